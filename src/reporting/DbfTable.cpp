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
    // the first 128 characters are the same bytes in both
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) return text;
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
    keys_.clear();
    offsets_.clear();
    int offset = 1;
    for (int i = 0; i < (header_length_ - 33) / 32; ++i) {
        unsigned char d[32];
        file_.read(reinterpret_cast<char*>(d), 32);
        if (!file_) fail("Feldbeschreibung");
        std::string raw(reinterpret_cast<char*>(d), 11);
        FieldDef f{utf8::FromCp1252(raw.substr(0, raw.find('\0'))), d[16]};
        keys_.push_back(Upper(f.name));
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
    keys_.clear();
    offsets_.clear();
}

void DbfTable::AddNew() {
    if (!IsOpen()) throw std::logic_error("dBase III: table not open");
    pending_.assign(record_length_, ' ');
}

std::size_t DbfTable::FieldIndex(const std::string& name) const {
    const auto found = std::find(keys_.begin(), keys_.end(), Upper(name));
    if (found == keys_.end()) throw std::out_of_range("dBase III: no field \"" + name + "\" in " + path_);
    return static_cast<std::size_t>(found - keys_.begin());
}

void DbfTable::SetField(const std::string& name, const std::string& value) {
    if (pending_.empty()) throw std::logic_error("dBase III: no new record (AddNew first)");
    Put(pending_, FieldIndex(name), value);
}

void DbfTable::SetField(std::size_t index, const std::string& value) {
    if (pending_.empty()) throw std::logic_error("dBase III: no new record (AddNew first)");
    if (index >= fields_.size()) {
        throw std::out_of_range("dBase III: no field number " + std::to_string(index) + " in " + path_);
    }
    Put(pending_, index, value);
}

void DbfTable::Put(std::string& record, std::size_t index, const std::string& value) const {
    const auto length = static_cast<std::size_t>(fields_[index].length);
    std::string bytes = ToCp1252(value);
    bytes.resize(length, ' ');  // cut, or padded with blanks
    record.replace(static_cast<std::size_t>(offsets_[index]), length, bytes);
}

void DbfTable::Update() {
    if (pending_.empty()) throw std::logic_error("dBase III: no new record (AddNew first)");
    std::string record;
    record.swap(pending_);  // a failed write leaves no record pending, as before
    AppendBytes(record, 1);
}

void DbfTable::Append(const std::vector<std::vector<std::string>>& records) {
    if (!IsOpen()) throw std::logic_error("dBase III: table not open");
    if (records.empty()) return;
    std::string bytes;
    bytes.reserve(records.size() * record_length_);
    for (const auto& values : records) {
        std::string record(record_length_, ' ');
        for (std::size_t i = 0; i < values.size() && i < fields_.size(); ++i) Put(record, i, values[i]);
        bytes += record;
    }
    AppendBytes(bytes, static_cast<std::uint32_t>(records.size()));
}

void DbfTable::AppendBytes(const std::string& records, std::uint32_t count) {
    std::streamoff at = header_length_ + static_cast<std::streamoff>(records_) * record_length_;
    file_.seekp(at);
    file_.write(records.data(), static_cast<std::streamsize>(records.size()));
    file_.put(kEndOfFile);
    records_ += count;
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
