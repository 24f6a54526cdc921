#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Texts are UTF-8; lengths and positions that users see count characters (code points), so
// that a name with umlauts is cut at a character boundary, never inside one.
namespace tlx4r::utf8 {

// Decodes; an invalid byte is taken as the Windows-1252 character of that byte, so that texts
// from older files never lose a character.
std::u32string Decode(std::string_view text);
std::string Encode(std::u32string_view text);
void Append(std::string& out, char32_t c);

std::size_t Length(std::string_view text);
// The characters [start, start + count) with a 0-based start; clipped to the text.
std::string Sub(std::string_view text, std::size_t start, std::size_t count = std::string::npos);
bool IsValid(std::string_view text);

// Case mapping for the scripts the offices write in (ASCII, Latin-1, Latin Extended-A, Greek
// and Cyrillic basics); other characters are left as they are.
char32_t ToLower(char32_t c);
char32_t ToUpper(char32_t c);
std::string Lower(std::string_view text);
std::string Upper(std::string_view text);
// The lower-case letter without its diacritic (Ä, á, ç → a, a, c; ß → s); what sorting and
// searching treat as the "same letter" before looking at accents. Other characters are
// returned lower-cased.
char32_t BaseLetter(char32_t c);

// The Windows-1252 byte of a character, or -1 when it has none.
int ToCp1252(char32_t c);
char32_t FromCp1252(unsigned char byte);
std::string FromCp1252(std::string_view bytes);

}  // namespace tlx4r::utf8
