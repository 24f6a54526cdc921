#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The fee and disbursement categories 1..37 and their one-character codes: 1 is the blank (no
// category), 2..11 are "0".."9", 12..37 are "A".."Z". The code is what an entry's RecTypeText
// carries, so that one text column can be filtered by record type and both categories.
namespace tlx4r {

// The highest category number.
inline constexpr std::int32_t kTypeMax = 37;

// The code character of a category; " " for a number outside 1..37.
std::string TypeCode(std::int32_t number);
// The category of the first character of code: " " → 1, "0".."9" → 2..11, "A".."Z" → 12..37;
// 0 for anything else, lower-case letters and an empty text included.
std::int32_t TypeNumber(std::string_view code);

// A category given either by its number or by its code, as the catalogues' members take it.
class IDorCode {
public:
    IDorCode(std::int32_t number) : number_(number) {}
    IDorCode(std::string_view code) : number_(TypeNumber(code)) {}
    IDorCode(const char* code) : number_(TypeNumber(code)) {}
    IDorCode(const std::string& code) : number_(TypeNumber(code)) {}

    // 0 when the code names no category; a number is kept as given, even out of range.
    std::int32_t Number() const { return number_; }
    bool Valid() const { return number_ >= 1 && number_ <= kTypeMax; }

private:
    std::int32_t number_;
};

}  // namespace tlx4r
