#pragma once

#include "db/Recordset.h"
#include "db/Value.h"
#include "types/Currency.h"
#include "types/Date.h"

#include <cstdint>
#include <string>
#include <string_view>

// Stateless string, number, path and conversion helpers shared by every part of the component.
// Positions and lengths count characters (UTF-8 code points), never bytes, and are 1-based
// where users or the old interfaces see them.
namespace tlx4r {

// The part from start (1-based) of length characters (all the rest when length < 0); "" for an
// empty text, a length of 0 or a start beyond the end.
std::string StrMidSafe(std::string_view text, long start, long length = -1);
// insertion placed before the character at position; position < 1 or > length + 1, or an
// empty insertion, leave the text unchanged.
std::string StrInsert(std::string_view text, std::string_view insertion, long position);
// Exactly length characters: cut on the right or filled with fill; "" for length < 1.
std::string StrFix(std::string_view text, long length, char32_t fill = U' ');
// The trimmed text right-aligned in length characters (a longer text keeps its rightmost
// length characters).
std::string StrPadLeft(std::string_view text, long length, char32_t fill = U' ');
// The number filled with "0" on the left to width digits (after a minus sign).
std::string NumZeroFill(long number, int width);
// The 1-based position of the first character (from the start, or the last from the end) that
// is in set (or, with not_in_set, is not); 0 when there is none or set is empty.
long StrCharFind(std::string_view text, std::string_view set, bool not_in_set = false,
                 bool from_end = false);
// Every character of source replaced by the one at the same position in target (a source
// character without a partner is kept).
std::string StrCharsReplace(std::string_view text, std::string_view source, std::string_view target);
std::string StrReplace(std::string_view text, std::string_view search, std::string_view replacement);
// quote + text with each quote doubled + quote.
std::string Quote(std::string_view text, char32_t quote = U'"');
// A name or file path in brackets for a statement ("[" + text with each "]" doubled + "]"), so
// that any path, "]" included, names its file.
std::string Bracket(std::string_view text);
// The trimmed text without one leading and one trailing quote where present.
std::string Unquote(std::string_view text, char32_t quote = U'"');
// Blanks (and tabs) removed at both ends.
std::string Trim(std::string_view text);
// "#,##0.00".
std::string AmountFormat(tlx4r::Currency amount);
// "#,##0": a whole number with thousands separators.
std::string CountFormat(long long number);
// The release date of this version of the component, "16.12.2017".
std::string ReleaseDate();

// Paths. Both "\" and "/" separate (settings and files bring Windows paths); a result keeps the
// separator the path uses.
std::string PathOf(std::string_view path);      // folder with its trailing separator; "" if none
std::string FileNameOf(std::string_view path);  // after the last separator
std::string BaseNameOf(std::string_view path);  // the file name without its last extension
std::string ExtOf(std::string_view path);       // "." + last extension; "." when there is none
// folder (trimmed, a separator appended when missing: the one the folder uses, "/" when it has
// none) + name (trimmed, one leading separator removed). An empty folder gives the name.
std::string PathCombine(std::string_view folder, std::string_view name);

// Database value → program value: Null reads as "" or 0.
std::string NullToString(const db::Value& value);
tlx4r::Currency NullToCurrency(const db::Value& value);
double NullToDouble(const db::Value& value);
std::int32_t NullToLong(const db::Value& value);
// A blank text is 0; otherwise the amount (DbError 13 "Type mismatch" when it is none).
tlx4r::Currency AmountFromText(std::string_view text);
// "" is the date 0; otherwise the date (DbError 13 "Type mismatch" when it is none).
tlx4r::Date DateFromText(std::string_view text);
// The date 0 is stored as Null.
db::Value DateToField(tlx4r::Date date);

// Field writers on a recordset row in Edit or AddNew: FieldValueSet stores the value as it is
// (DbError when the field does not take it); FieldTextSet cuts the text to the field's size in
// characters and stores an empty text as Null.
void FieldValueSet(db::Recordset& rs, std::string_view field, const db::Value& value);
void FieldTextSet(db::Recordset& rs, std::string_view field, std::string_view text);
// The same for the field at a position of the recordset (FieldIndex), for loops that write many
// rows of the same fields.
void FieldTextSet(db::Recordset& rs, int index, std::string_view text);

}  // namespace tlx4r
