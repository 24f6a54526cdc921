#include "entries/EntryTypes.h"

#include "entries/frmEntryTypeChoose.h"
#include "types/Utf8.h"

#include <array>

namespace tlx4r {

namespace {

// In catalogue order; the index is the record-type number.
const std::array<const char*, 8> kNames{"*Alles*",  "Gebühren", "Rechnung",       "Arbeitszeit",
                                        "Termin",   "Dokument", "Notariatstarif", "Mehrwertsteuer"};

}  // namespace

std::string EntryTypes::EntryTopic(int entry_type) {
    return entry_type >= 1 && entry_type <= kCount ? kNames[static_cast<std::size_t>(entry_type)] : "???";
}

std::string EntryTypes::EntryCode(int entry_type) {
    return entry_type >= 1 && entry_type <= kCount ? std::string(1, kNames[static_cast<std::size_t>(entry_type)][0])
                                                   : "?";
}

int EntryTypes::EntryType(std::string_view code_or_name) {
    if (utf8::Length(code_or_name) == 1) {
        const std::string upper = utf8::Upper(code_or_name);
        for (std::size_t i = 0; i < kNames.size(); ++i)
            if (upper[0] == kNames[i][0]) return static_cast<int>(i);
        return kNone;
    }
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (code_or_name == kNames[i]) return static_cast<int>(i);
    return kNone;
}

int EntryTypes::EntryType(long number) { return number >= 0 && number <= kCount ? static_cast<int>(number) : kNone; }

int EntryTypes::Choose(std::optional<int> init_value, std::optional<int> left, std::optional<int> top) const {
    frmEntryTypeChoose form;
    form.SetInitValue(init_value.value_or(kNone));
    form.SetPosition(left, top);
    return form.Choose();
}

}  // namespace tlx4r
