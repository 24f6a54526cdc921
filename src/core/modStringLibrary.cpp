#include "modStringLibrary.h"

#include "db/DbError.h"
#include "types/Utf8.h"

namespace tlx4r {

namespace {

using utf8::Decode;
using utf8::Encode;

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t'; }

std::u32string TrimU(std::u32string s) {
    std::size_t a = 0, b = s.size();
    while (a < b && IsBlank(s[a])) ++a;
    while (b > a && IsBlank(s[b - 1])) --b;
    return s.substr(a, b - a);
}

bool IsSep(char c) { return c == '\\' || c == '/'; }

std::size_t LastSep(std::string_view p) {
    for (std::size_t i = p.size(); i > 0; --i) {
        if (IsSep(p[i - 1])) return i - 1;
    }
    return std::string_view::npos;
}

bool IsBareDrive(std::string_view p) {
    return p.size() == 2 && p[1] == ':' &&
           ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
}

}  // namespace

std::string StrMidSafe(std::string_view text, long start, long length) {
    if (text.empty() || length == 0 || start < 1) return {};
    if (length < 0) return utf8::Sub(text, static_cast<std::size_t>(start - 1));
    return utf8::Sub(text, static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length));
}

std::string StrInsert(std::string_view text, std::string_view insertion, long position) {
    std::u32string s = Decode(text);
    if (insertion.empty() || position < 1 || position > static_cast<long>(s.size()) + 1) {
        return std::string(text);
    }
    s.insert(static_cast<std::size_t>(position - 1), Decode(insertion));
    return Encode(s);
}

std::string StrFix(std::string_view text, long length, char32_t fill) {
    if (length < 1) return {};
    std::u32string s = Decode(text);
    s.resize(static_cast<std::size_t>(length), fill);
    return Encode(s);
}

std::string StrPadLeft(std::string_view text, long length, char32_t fill) {
    if (length < 1) return {};
    std::u32string s = TrimU(Decode(text));
    auto n = static_cast<std::size_t>(length);
    if (s.size() >= n) return Encode(s.substr(s.size() - n));
    return Encode(std::u32string(n - s.size(), fill) + s);
}

std::string NumZeroFill(long number, int width) {
    std::string digits = std::to_string(number < 0 ? -static_cast<long long>(number) : number);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
    return number < 0 ? "-" + digits : digits;
}

long StrCharFind(std::string_view text, std::string_view set, bool not_in_set, bool from_end) {
    if (set.empty()) return 0;
    std::u32string s = Decode(text), chars = Decode(set);
    auto matches = [&](char32_t c) { return (chars.find(c) != std::u32string::npos) != not_in_set; };
    if (from_end) {
        for (std::size_t i = s.size(); i > 0; --i) {
            if (matches(s[i - 1])) return static_cast<long>(i);
        }
    } else {
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (matches(s[i])) return static_cast<long>(i + 1);
        }
    }
    return 0;
}

std::string StrCharsReplace(std::string_view text, std::string_view source, std::string_view target) {
    std::u32string s = Decode(text), from = Decode(source), to = Decode(target);
    for (auto& c : s) {
        auto k = from.find(c);
        if (k != std::u32string::npos && k < to.size()) c = to[k];
    }
    return Encode(s);
}

std::string StrReplace(std::string_view text, std::string_view search, std::string_view replacement) {
    if (search.empty()) return std::string(text);
    std::string out;
    std::size_t pos = 0;
    while (true) {
        auto k = text.find(search, pos);
        if (k == std::string_view::npos) break;
        out.append(text.substr(pos, k - pos));
        out.append(replacement);
        pos = k + search.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string Bracket(std::string_view text) { return "[" + StrReplace(text, "]", "]]") + "]"; }

std::string Quote(std::string_view text, char32_t quote) {
    std::u32string out(1, quote);
    for (char32_t c : Decode(text)) {
        out += c;
        if (c == quote) out += c;
    }
    out += quote;
    return Encode(out);
}

std::string Unquote(std::string_view text, char32_t quote) {
    std::u32string s = TrimU(Decode(text));
    if (!s.empty() && s.front() == quote) s.erase(0, 1);
    if (!s.empty() && s.back() == quote) s.pop_back();
    return Encode(s);
}

std::string Trim(std::string_view text) {
    std::size_t a = 0, b = text.size();
    while (a < b && (text[a] == ' ' || text[a] == '\t')) ++a;
    while (b > a && (text[b - 1] == ' ' || text[b - 1] == '\t')) --b;
    return std::string(text.substr(a, b - a));
}

std::string AmountFormat(tlx4r::Currency amount) { return amount.Format(2, true); }

std::string CountFormat(long long number) { return tlx4r::Currency::FromInt(number).Format(0, true); }

std::string ReleaseDate() { return "16.12.2017"; }

std::string PathOf(std::string_view path) {
    if (IsBareDrive(path)) return std::string(path) + "\\";
    auto k = LastSep(path);
    if (k == std::string_view::npos) return {};
    return std::string(path.substr(0, k + 1));
}

std::string FileNameOf(std::string_view path) {
    auto k = LastSep(path);
    return std::string(k == std::string_view::npos ? path : path.substr(k + 1));
}

std::string BaseNameOf(std::string_view path) {
    std::string name = FileNameOf(path);
    auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ExtOf(std::string_view path) {
    std::string name = FileNameOf(path);
    auto dot = name.rfind('.');
    return dot == std::string::npos ? "." : name.substr(dot);
}

std::string PathCombine(std::string_view folder, std::string_view name) {
    std::string f = Trim(folder), n = Trim(name);
    if (!n.empty() && IsSep(n.front())) n.erase(0, 1);
    if (f.empty()) return n;
    if (!IsSep(f.back())) {
        bool windows = f.find('\\') != std::string::npos && f.find('/') == std::string::npos;
        f += windows || IsBareDrive(f) ? '\\' : '/';
    }
    return f + n;
}

std::string NullToString(const db::Value& value) { return value.IsNull() ? std::string() : value.ToText(); }

tlx4r::Currency NullToCurrency(const db::Value& value) {
    return value.IsNull() ? tlx4r::Currency() : value.ToCurrency();
}

double NullToDouble(const db::Value& value) { return value.IsNull() ? 0.0 : value.ToDouble(); }

std::int32_t NullToLong(const db::Value& value) { return value.IsNull() ? 0 : value.ToLong(); }

tlx4r::Currency AmountFromText(std::string_view text) {
    if (Trim(text).empty()) return {};
    auto amount = tlx4r::Currency::Parse(text);
    if (!amount) throw db::DbError(13, "Type mismatch");
    return *amount;
}

tlx4r::Date DateFromText(std::string_view text) {
    if (Trim(text).empty()) return {};
    auto date = tlx4r::Date::Parse(text);
    if (!date) throw db::DbError(13, "Type mismatch");
    return *date;
}

db::Value DateToField(tlx4r::Date date) { return date.IsNull() ? db::Value() : db::Value(date); }

void FieldValueSet(db::Recordset& rs, std::string_view field, const db::Value& value) { rs.Set(field, value); }

void FieldTextSet(db::Recordset& rs, std::string_view field, std::string_view text) {
    if (text.empty()) {
        rs.Set(field, db::Value());
        return;
    }
    FieldTextSet(rs, rs.FieldIndex(field), text);
}

void FieldTextSet(db::Recordset& rs, int index, std::string_view text) {
    if (text.empty()) {
        rs.Set(index, db::Value());
        return;
    }
    const auto& definition = rs.Fields()[static_cast<std::size_t>(index)];
    // a Memo has no size; the engine never cuts, so the writer does
    if (definition.Type() == db::FieldType::Text && text.size() > static_cast<std::size_t>(definition.Size()) &&
        utf8::Length(text) > static_cast<std::size_t>(definition.Size())) {
        rs.Set(index, db::Value(StrFix(text, definition.Size())));
    } else {
        rs.Set(index, db::Value(std::string(text)));
    }
}

}  // namespace tlx4r
