#pragma once

#include <array>

// The texts the demonstration offices' entries are made of, as an office writes them (German,
// with umlauts): the small demonstration office and the large one draw from the same lists.
namespace tlx4r::demo {

inline constexpr std::array<const char*, 12> kWork{
    "Besprechung mit Klient",       "Entwurf Kaufvertrag",          "Telefonat mit Gegenanwalt",
    "Aktenstudium",                 "Korrespondenz",                "Grundbuchabklärungen",
    "Entwurf Testament",            "Rechtsschrift verfasst",       "Verhandlung Bezirksgericht",
    "Entwurf Ehevertrag",           "Abklärungen Handelsregister",  "Nachlassinventar erstellt",
};
inline constexpr std::array<const char*, 6> kFees{
    "Beglaubigung Unterschrift", "Grundbuchauszug",    "Handelsregisterauszug",
    "Kopien und Porti",          "Pauschale Beratung", "Betreibungsauskunft",
};
inline constexpr std::array<const char*, 5> kNotary{
    "Beurkundung Kaufvertrag", "Beurkundung Gründung AG", "Beurkundung Erbvertrag",
    "Öffentliches Testament",  "Beurkundung Schuldbrief",
};
inline constexpr std::array<const char*, 5> kMeetings{
    "Termin Beurkundung", "Termin Klient", "Augenschein Liegenschaft", "Gerichtstermin", "Erbenversammlung",
};
inline constexpr std::array<const char*, 6> kDocuments{
    "Kaufvertrag.docx", "Testament.docx", "Statuten.pdf", "Klageschrift.docx", "Vollmacht.pdf", "Inventar.xlsx",
};

}  // namespace tlx4r::demo
