#include "DbfTable.h"

#include "types/Date.h"
#include "types/Utf8.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tlx4r {

namespace {

constexpr char kEndOfHeader = 0x0D;
constexpr char kEndOfFile = 0x1A;

void PutLe(std::string& buf, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) buf[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t GetLe(const unsigned char* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// The five bytes Windows-1252 leaves unassigned come back from older files as characters of
// their own; written into a table they would make strict readers refuse the whole file.
bool Unassigned(int byte) { return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D; }

std::string ToCp1252(const std::string& text) {
    std::string out;
    for (char32_t c : utf8::Decode(text)) {
        int b = utf8::ToCp1252(c);
        out += b < 0 || Unassigned(b) ? '?' : static_cast<char>(b);
    }
    return out;
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Today's date as the header's three bytes (years since 1900, month, day).
void PutDate(std::string& header) {
    Date today = Date::Today();
    header[1] = static_cast<char>(std::clamp(today.Year() - 1900, 0, 255));
    header[2] = static_cast<char>(today.Month());
    header[3] = static_cast<char>(today.Day());
}

}  // namespace

DbfTable::~DbfTable() {
    try {
        Close();
    } catch (...) {
        // closing writes nothing that could be saved here
    }
}

void DbfTable::Create(const std::string& path, const std::vector<FieldDef>& fields) {
    if (fields.empty() || fields.size() > 128) throw std::invalid_argument("dBase III: 1 to 128 fields");
    std::size_t record_length = 1;
    std::string out(32, '\0');
    for (const auto& f : fields) {
        std::string name = ToCp1252(f.name);
        if (name.empty() || name.size() > 10) {
            throw std::invalid_argument("dBase III: field name \"" + f.name + "\" must have 1 to 10 characters");
        }
        if (f.length < 1 || f.length > 254) {
            throw std::invalid_argument("dBase III: field \"" + f.name + "\" must be 1 to 254 characters long");
        }
        std::string d(32, '\0');
        std::memcpy(d.data(), name.data(), name.size());
        d[11] = 'C';
        d[16] = static_cast<char>(f.length);
        out += d;
        record_length += static_cast<std::size_t>(f.length);
    }
    if (record_length > 0xFFFF) throw std::invalid_argument("dBase III: record too long");
    out += kEndOfHeader;
    out += kEndOfFile;
    out[0] = 0x03;
    PutDate(out);
    PutLe(out, 8, static_cast<std::uint32_t>(32 + 32 * fields.size() + 1), 2);
    PutLe(out, 10, static_cast<std::uint32_t>(record_length), 2);

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) throw std::runtime_error("Die Datei \"" + path + "\" kann nicht geschrieben werden.");
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file) throw std::runtime_error("Die Datei \"" + path + "\" kann nicht geschrieben werden.");
}

void DbfTable::Open(const std::string& path) {
    Close();
    file_.open(path, std::ios::binary | std::ios::in | std::ios::out);
    if (!file_) throw std::runtime_error("Die Datei \"" + path + "\" kann nicht geöffnet werden.");
    unsigned char head[32];
    file_.read(reinterpret_cast<char*>(head), 32);
    auto fail = [&](const std::string& why) {
        file_.close();
        throw std::runtime_error("\"" + path + "\" ist keine dBase-III-Tabelle (" + why + ").");
    };
    if (!file_) fail("zu kurz");
    records_ = GetLe(head + 4, 4);
    header_length_ = static_cast<std::uint16_t>(GetLe(head + 8, 2));
    record_length_ = static_cast<std::uint16_t>(GetLe(head + 10, 2));
    if (header_length_ < 65 || (header_length_ - 33) % 32 != 0) fail("Kopflänge");
    fields_.clear();
    offsets_.clear();
    int offset = 1;
    for (int i = 0; i < (header_length_ - 33) / 32; ++i) {
        unsigned char d[32];
        file_.read(reinterpret_cast<char*>(d), 32);
        if (!file_) fail("Feldbeschreibung");
        std::string raw(reinterpret_cast<char*>(d), 11);
        FieldDef f{utf8::FromCp1252(raw.substr(0, raw.find('\0'))), d[16]};
        fields_.push_back(f);
        offsets_.push_back(offset);
        offset += f.length;
    }
    if (offset != record_length_) fail("Satzlänge");
    path_ = path;
}

void DbfTable::Close() {
    if (!file_.is_open()) return;
    pending_.clear();
    file_.close();
    fields_.clear();
    offsets_.clear();
}

void DbfTable::AddNew() {
    if (!IsOpen()) throw std::logic_error("dBase III: table not open");
    pending_.assign(record_length_, ' ');
}

void DbfTable::SetField(const std::string& name, const std::string& value) {
    if (pending_.empty()) throw std::logic_error("dBase III: no new record (AddNew first)");
    const std::string key = Upper(name);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (Upper(fields_[i].name) != key) continue;
        std::string bytes = ToCp1252(value).substr(0, static_cast<std::size_t>(fields_[i].length));
        bytes.resize(static_cast<std::size_t>(fields_[i].length), ' ');
        pending_.replace(static_cast<std::size_t>(offsets_[i]), bytes.size(), bytes);
        return;
    }
    throw std::out_of_range("dBase III: no field \"" + name + "\" in " + path_);
}

void DbfTable::Update() {
    if (pending_.empty()) throw std::logic_error("dBase III: no new record (AddNew first)");
    std::streamoff at = header_length_ + static_cast<std::streamoff>(records_) * record_length_;
    file_.seekp(at);
    file_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
    file_.put(kEndOfFile);
    ++records_;
    pending_.clear();
    WriteHeaderCounts();
    file_.flush();
    if (!file_) throw std::runtime_error("Die Datei \"" + path_ + "\" kann nicht geschrieben werden.");
}

void DbfTable::WriteHeaderCounts() {
    std::string head(8, '\0');
    head[0] = 0x03;
    PutDate(head);
    PutLe(head, 4, records_, 4);
    file_.seekp(0);
    file_.write(head.data(), 8);
}

}  // namespace tlx4r
