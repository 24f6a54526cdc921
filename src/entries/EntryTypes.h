#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tlx4r {

// The seven record types of an entry, 1 "Gebühren" … 7 "Mehrwertsteuer", with 0 "*Alles*" as the
// filter value for all of them. A record type's code is the first letter of its name.
class EntryTypes {
public:
    static constexpr int kAll = 0;
    static constexpr int kCount = 7;
    static constexpr int kNone = -1;

    // The name of a record type 1..7; "???" for any other number, 0 included.
    static std::string EntryTopic(int entry_type);
    // The one-letter code of a record type 1..7 (G, R, A, T, D, N, M); "?" for any other number.
    static std::string EntryCode(int entry_type);
    // The same for a record type given by its code or name (as EntryType reads it).
    static std::string EntryTopic(std::string_view code_or_name) { return EntryTopic(EntryType(code_or_name)); }
    static std::string EntryCode(std::string_view code_or_name) { return EntryCode(EntryType(code_or_name)); }
    // The number of a record type given by its code (one character, any case, "*" for all) or
    // its exact name; kNone when nothing matches.
    static int EntryType(std::string_view code_or_name);
    // A number outside 0..7 gives kNone.
    static int EntryType(long number);

    // Shows the record-type chooser modally with init_value selected (the first type when it is
    // missing or no type 1..7), its top left corner at the screen position left, top in twips
    // when given. The chosen record type 1..7; kNone when the user cancelled.
    int Choose(std::optional<int> init_value = std::nullopt, std::optional<int> left = std::nullopt,
               std::optional<int> top = std::nullopt) const;
};

}  // namespace tlx4r
