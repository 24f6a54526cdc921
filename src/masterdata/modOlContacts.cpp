#include "masterdata/modOlContacts.h"

#include "db/JetTextCollation.h"
#include "types/Utf8.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace tlx4r {

namespace {

namespace fs = std::filesystem;

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && Lower(text.substr(0, prefix.size())) == Lower(prefix);
}

std::string TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// One property line after unfolding: "item1.TEL;TYPE=work,voice:+41 31 000 00 00".
struct Property {
    std::string name;                 // upper case, group removed
    std::vector<std::string> types;   // lower case, from TYPE=… and the bare parameters of 2.1
    std::string encoding;             // lower case: "quoted-printable", "base64", "b" or ""
    std::string charset;              // lower case
    std::string sort_as;
    int pref = 0;                     // 1 is most preferred; 0 none
    std::string value;                // raw, still escaped
    bool Has(std::string_view type) const { return std::find(types.begin(), types.end(), type) != types.end(); }
};

// The position of the first ch outside double quotes; npos when none.
std::size_t FindOutsideQuotes(std::string_view text, char ch) {
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        if (!quoted && text[i] == ch) return i;
    }
    return std::string_view::npos;
}

std::vector<std::string> SplitOutsideQuotes(std::string_view text, char sep) {
    std::vector<std::string> parts;
    for (;;) {
        const std::size_t at = FindOutsideQuotes(text, sep);
        parts.emplace_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

std::string Unquoted(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return std::string(text.substr(1, text.size() - 2));
    return std::string(text);
}

std::optional<Property> ParseLine(std::string_view line) {
    const std::size_t colon = FindOutsideQuotes(line, ':');
    if (colon == std::string_view::npos || colon == 0) return std::nullopt;
    Property p;
    p.value = std::string(line.substr(colon + 1));
    const std::vector<std::string> head = SplitOutsideQuotes(line.substr(0, colon), ';');
    std::string name = head.front();
    if (const auto dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);
    name = TrimBlanks(name);
    if (name.empty()) return std::nullopt;
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    p.name = name;
    for (std::size_t i = 1; i < head.size(); ++i) {
        const std::string& param = head[i];
        const auto eq = param.find('=');
        const std::string key = Lower(TrimBlanks(param.substr(0, eq)));
        const std::string value = eq == std::string::npos ? std::string() : Unquoted(TrimBlanks(param.substr(eq + 1)));
        if (eq == std::string::npos) {
            // vCard 2.1 names types and the encoding without a key.
            if (key == "quoted-printable" || key == "base64") {
                p.encoding = key;
            } else if (key == "pref") {
                p.pref = 1;
            } else {
                p.types.push_back(key);
            }
        } else if (key == "type") {
            for (const std::string& t : SplitOutsideQuotes(value, ',')) {
                const std::string type = Lower(TrimBlanks(t));
                if (type == "pref")
                    p.pref = p.pref == 0 ? 1 : std::min(p.pref, 1);
                else if (!type.empty())
                    p.types.push_back(type);
            }
        } else if (key == "encoding") {
            p.encoding = Lower(value);
        } else if (key == "charset") {
            p.charset = Lower(value);
        } else if (key == "sort-as") {
            p.sort_as = value;
        } else if (key == "pref") {
            int n = 0;
            for (char c : value) {
                if (!std::isdigit(static_cast<unsigned char>(c)) || n > 100) break;
                n = n * 10 + (c - '0');
            }
            if (n > 0) p.pref = p.pref == 0 ? n : std::min(p.pref, n);
        }
    }
    return p;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Quoted-printable: "=XX" is a byte, "=" at a line end joins the lines. A broken escape stays as
// it is, as mail programs show it.
std::string QuotedPrintable(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size()) {
            const int hi = HexDigit(text[i + 1]);
            const int lo = HexDigit(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// Bytes in the card's character set as UTF-8. Without a set, or with UTF-8 named, text that is
// not valid UTF-8 is read as Windows-1252, as older address books wrote it.
std::string ToUtf8(const std::string& bytes, const std::string& charset) {
    const bool single_byte = charset == "windows-1252" || charset == "cp1252" || charset == "iso-8859-1" ||
                             charset == "iso-8859-15" || charset == "latin1";
    if (single_byte || !utf8::IsValid(bytes)) return utf8::FromCp1252(bytes);
    return bytes;
}

// The components of a structured value (N, ADR, ORG), split at unescaped ";" and unescaped.
std::vector<std::string> Components(std::string_view value) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            if (next == 'n' || next == 'N')
                parts.back() += "\r\n";
            else
                parts.back() += next;
        } else if (c == ';') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

std::string Text(std::string_view value) {
    std::string out;
    for (const std::string& part : Components(value)) {
        if (!out.empty()) out += ";";
        out += part;
    }
    return out;
}

// A value for a one-line text box: line breaks become " - ", blanks around it go.
std::string OneLine(std::string_view text) {
    std::string out;
    std::string t = TrimBlanks(text);
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\r' || t[i] == '\n') {
            if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
            out = TrimBlanks(out) + " - ";
            while (i + 1 < t.size() && (t[i + 1] == ' ' || t[i + 1] == '\t')) ++i;
        } else {
            out += t[i];
        }
    }
    return TrimBlanks(out);
}

std::string Component(const std::vector<std::string>& parts, std::size_t index) {
    return index < parts.size() ? OneLine(parts[index]) : std::string();
}

// The card being read.
struct Card {
    std::size_t line = 0;
    std::vector<Property> props;
};

bool IsFax(const Property& p) { return p.Has("fax"); }
bool IsVoice(const Property& p) {
    return !IsFax(p) && !p.Has("pager") && !p.Has("modem") && !p.Has("bbs") && !p.Has("textphone");
}

const Property* First(const std::vector<const Property*>& list, bool (*fits)(const Property&)) {
    for (const Property* p : list) {
        if (fits(*p)) return p;
    }
    return nullptr;
}

void Finish(const Card& card, VCardResult& result) {
    std::vector<const Property*> adr, tel, email, url;
    const Property* fn = nullptr;
    const Property* n = nullptr;
    const Property* org = nullptr;
    const Property* title = nullptr;
    std::string file_as, sort_string;
    for (const Property& p : card.props) {
        const std::string& name = p.name;
        if (name == "KIND" || name == "X-ADDRESSBOOKSERVER-KIND") {
            const std::string kind = Lower(TrimBlanks(p.value));
            if (kind == "group") {
                ++result.groups;
                return;
            }
        } else if (name == "FN") {
            if (fn == nullptr) fn = &p;
        } else if (name == "N") {
            if (n == nullptr) n = &p;
        } else if (name == "ORG") {
            if (org == nullptr) org = &p;
        } else if (name == "TITLE") {
            if (title == nullptr) title = &p;
        } else if (name == "ADR") {
            adr.push_back(&p);
        } else if (name == "TEL") {
            tel.push_back(&p);
        } else if (name == "EMAIL") {
            email.push_back(&p);
        } else if (name == "URL") {
            url.push_back(&p);
        } else if (name == "SORT-STRING") {
            if (sort_string.empty()) sort_string = OneLine(Text(p.value));
        } else if (name.size() > 10 && StartsWithNoCase(name, "X-") && name.substr(name.size() - 8) == "-FILE-AS") {
            if (file_as.empty()) file_as = OneLine(Text(p.value));
        }
    }
    OlContact c;
    const std::vector<std::string> names = n ? Components(n->value) : std::vector<std::string>();
    c.LastName = Component(names, 0);
    c.FirstName = Component(names, 1);
    c.FullName = fn ? OneLine(Text(fn->value)) : std::string();
    if (file_as.empty()) file_as = sort_string;
    if (file_as.empty() && n != nullptr && !n->sort_as.empty()) {
        for (const std::string& part : SplitOutsideQuotes(n->sort_as, ',')) {
            const std::string t = OneLine(part);
            if (t.empty()) continue;
            if (!file_as.empty()) file_as += ", ";
            file_as += t;
        }
    }
    if (file_as.empty()) {
        file_as = c.LastName;
        if (!c.FirstName.empty()) file_as += (file_as.empty() ? "" : ", ") + c.FirstName;
    }
    if (file_as.empty()) file_as = c.FullName;
    if (file_as.empty()) {
        ++result.nameless;
        return;
    }
    c.FileAs = file_as;
    if (org != nullptr) c.CompanyName = Component(Components(org->value), 0);
    if (title != nullptr) c.Title = OneLine(Text(title->value));

    const Property* address = nullptr;
    for (const Property* p : adr) {
        if (p->Has("work")) {
            address = p;
            break;
        }
    }
    if (address == nullptr && !adr.empty()) address = adr.front();
    if (address != nullptr) {
        const std::vector<std::string> a = Components(address->value);
        c.BusinessAddressPostOfficeBox = Component(a, 0);
        c.BusinessAddressStreet = Component(a, 2);
        if (c.BusinessAddressStreet.empty()) c.BusinessAddressStreet = Component(a, 1);
        c.MailingAddressCity = Component(a, 3);
        c.MailingAddressPostalCode = Component(a, 5);
        c.MailingAddressCountry = Component(a, 6);
    }

    // A work number first; else any number that is no fax (a private or mobile number is better
    // than none for reaching a client).
    const auto number = [](const Property* p) {
        std::string t = OneLine(Text(p->value));
        if (StartsWithNoCase(t, "tel:")) t = t.substr(4);
        return t;
    };
    const Property* voice = nullptr;
    for (const Property* p : tel) {
        if (IsVoice(*p) && p->Has("work")) {
            voice = p;
            break;
        }
    }
    if (voice == nullptr) voice = First(tel, [](const Property& p) { return IsVoice(p); });
    if (voice != nullptr) c.BusinessTelephoneNumber = number(voice);
    const Property* fax = nullptr;
    for (const Property* p : tel) {
        if (IsFax(*p) && p->Has("work")) {
            fax = p;
            break;
        }
    }
    if (fax == nullptr) fax = First(tel, [](const Property& p) { return IsFax(p); });
    if (fax != nullptr) c.BusinessFaxNumber = number(fax);

    const Property* mail = nullptr;
    for (const Property* p : email) {
        if (p->pref > 0 && (mail == nullptr || mail->pref == 0 || p->pref < mail->pref)) mail = p;
    }
    if (mail == nullptr && !email.empty()) mail = email.front();
    if (mail != nullptr) c.Email1Address = OneLine(Text(mail->value));
    if (!url.empty()) c.WebPage = OneLine(Text(url.front()->value));
    result.contacts.push_back(std::move(c));
}

// The text's lines without their ends (CR LF, LF or CR).
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

bool IsQuotedPrintableHead(std::string_view line) {
    const std::size_t colon = FindOutsideQuotes(line, ':');
    return colon != std::string_view::npos && Lower(line.substr(0, colon)).find("quoted-printable") != std::string::npos;
}

bool IsBase64Head(std::string_view line) {
    const std::size_t colon = FindOutsideQuotes(line, ':');
    if (colon == std::string_view::npos) return false;
    const std::string head = Lower(line.substr(0, colon));
    return head.find("base64") != std::string::npos || head.find("encoding=b") != std::string::npos;
}

}  // namespace

std::string OlContact::MailingAddress() const {
    std::string out;
    const std::string zip_city = TrimBlanks(MailingAddressPostalCode + " " + MailingAddressCity);
    for (const std::string& line : {BusinessAddressStreet, BusinessAddressPostOfficeBox, zip_city, MailingAddressCountry}) {
        const std::string t = TrimBlanks(line);
        if (t.empty()) continue;
        if (!out.empty()) out += "\r\n";
        out += t;
    }
    return out;
}

void VCardRead(std::string_view text, const std::string& file, VCardResult& result) {
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const std::vector<std::string_view> lines = Lines(text);
    std::optional<Card> card;
    std::string problem;      // why the current card cannot be read; "" while it can
    int nested = 0;           // depth of cards inside the current one (2.1 AGENT)
    std::string logical;      // the property line being unfolded
    std::size_t logical_line = 0;
    bool base64 = false;

    const auto flush = [&] {
        if (logical.empty() || !card) {
            logical.clear();
            return;
        }
        if (nested == 0 && problem.empty()) {
            if (auto p = ParseLine(logical)) {
                if (p->encoding == "quoted-printable") p->value = QuotedPrintable(p->value);
                if (p->encoding != "base64" && p->encoding != "b") p->value = ToUtf8(p->value, p->charset);
                card->props.push_back(std::move(*p));
            } else {
                problem = "Zeile " + std::to_string(logical_line) + " ist keine Eigenschaft";
            }
        }
        logical.clear();
    };
    const auto report = [&](const std::string& reason) {
        result.problems.push_back({file, card->line, reason});
        card.reset();
        problem.clear();
        nested = 0;
    };

    bool any_card = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const bool folded = !line.empty() && (line[0] == ' ' || line[0] == '\t');
        if (!logical.empty()) {
            if (folded) {
                logical.append(line.substr(1));
                continue;
            }
            // Quoted-printable of 2.1 breaks long values with "=" at the line end.
            if (!base64 && logical.back() == '=' && IsQuotedPrintableHead(logical)) {
                logical.pop_back();
                logical.append(line);
                continue;
            }
            // 2.1 base64 data may go on without indentation until an empty line.
            if (base64 && !line.empty() && line.find(':') == std::string_view::npos) {
                logical.append(TrimBlanks(line));
                continue;
            }
        }
        flush();
        base64 = false;
        const std::string trimmed = TrimBlanks(line);
        if (trimmed.empty()) continue;
        if (StartsWithNoCase(trimmed, "BEGIN:VCARD") && trimmed.size() == 11) {
            any_card = true;
            if (card) {
                ++nested;
            } else {
                card = Card{i + 1, {}};
            }
            continue;
        }
        if (StartsWithNoCase(trimmed, "END:VCARD") && trimmed.size() == 9) {
            if (!card) continue;
            if (nested > 0) {
                --nested;
                continue;
            }
            if (!problem.empty()) {
                report(problem);
            } else {
                Finish(*card, result);
                card.reset();
            }
            continue;
        }
        if (!card) continue;  // text between cards belongs to none
        if (folded && nested == 0) {
            if (problem.empty()) problem = "Zeile " + std::to_string(i + 1) + " setzt keine Eigenschaft fort";
            continue;
        }
        logical = std::string(line);
        logical_line = i + 1;
        base64 = IsBase64Head(logical);
    }
    flush();
    if (card) report("END:VCARD fehlt");
    if (!any_card && text.find_first_not_of(" \t\r\n") != std::string_view::npos)
        result.problems.push_back({file, 1, "keine vCard gefunden"});
}

std::vector<std::string> VCardFiles(const std::string& source) {
    std::vector<std::string> files;
    std::error_code ec;
    if (source.empty()) return files;
    if (fs::is_regular_file(source, ec)) {
        files.push_back(source);
        return files;
    }
    if (!fs::is_directory(source, ec)) return files;
    for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        if (!it->is_regular_file(type_ec)) continue;
        if (Lower(it->path().extension().string()) == ".vcf") files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

VCardResult VCardReadSource(const std::string& source) {
    VCardResult result;
    for (const std::string& file : VCardFiles(source)) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            result.problems.push_back({file, 0, "kann die Datei nicht lesen"});
            continue;
        }
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        VCardRead(text, file, result);
    }
    std::stable_sort(result.contacts.begin(), result.contacts.end(), [](const OlContact& a, const OlContact& b) {
        return db::JetTextCollation::Compare(a.FileAs, b.FileAs) < 0;
    });
    return result;
}

}  // namespace tlx4r
