#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace tlx4r {

// One dBase III table file, written byte by byte in the published layout: a 32-byte header,
// 32-byte character-field descriptors, 0x0D, the fixed-length records, 0x1A at the end.
// Text is stored in Windows-1252, the code page the old files used; a character without a
// Windows-1252 form is written as "?".
//
// Records are appended the way the old recordsets did it: AddNew, set fields by name, Update.
// The header's record count and date are brought up to date on every Update, so the file is a
// valid table after each record, even if the program stops before Close.
class DbfTable {
public:
    struct FieldDef {
        std::string name;  // at most 10 characters
        int length = 0;    // 1..254
    };

    DbfTable() = default;
    ~DbfTable();
    DbfTable(const DbfTable&) = delete;
    DbfTable& operator=(const DbfTable&) = delete;

    // Writes an empty table with these fields, replacing any file of that name.
    // Throws std::runtime_error naming the file when it cannot be written, and
    // std::invalid_argument for a field the format cannot hold.
    static void Create(const std::string& path, const std::vector<FieldDef>& fields);

    // Opens an existing table for appending. Throws std::runtime_error when the file is no
    // dBase III table or cannot be opened.
    void Open(const std::string& path);
    void Close();
    bool IsOpen() const { return file_.is_open(); }

    const std::vector<FieldDef>& Fields() const { return fields_; }
    std::uint32_t RecordCount() const { return records_; }

    // The position of a field in Fields() (name case-insensitive). Throws std::out_of_range for
    // an unknown field.
    std::size_t FieldIndex(const std::string& name) const;

    // Starts a new blank record.
    void AddNew();
    // Sets a field of the new record (name case-insensitive); a longer value is cut to the
    // field's length. Throws std::out_of_range for an unknown field, std::logic_error without
    // AddNew.
    void SetField(const std::string& name, const std::string& value);
    // The same for the field at a position of Fields().
    void SetField(std::size_t index, const std::string& value);
    // Appends the new record.
    void Update();
    // Appends whole records at once (each a value per field, in the order of Fields(); missing
    // ones are blank), with one write and one header update instead of one per record.
    void Append(const std::vector<std::vector<std::string>>& records);

private:
    // value in the field at index of record, cut or padded to the field's length
    void Put(std::string& record, std::size_t index, const std::string& value) const;
    // writes records (whole ones, back to back) after the last record, then the count
    void AppendBytes(const std::string& records, std::uint32_t count);
    void WriteHeaderCounts();

    std::fstream file_;
    std::string path_;
    std::vector<FieldDef> fields_;
    std::vector<std::string> keys_;  // the field names in upper case, for SetField by name
    std::vector<int> offsets_;
    std::uint16_t header_length_ = 0;
    std::uint16_t record_length_ = 0;
    std::uint32_t records_ = 0;
    std::string pending_;  // the record being built, empty when none
};

}  // namespace tlx4r
