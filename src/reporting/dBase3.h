#pragma once

#include "DbfTable.h"

#include <string>
#include <vector>

namespace tlx4r {

// Creates or opens one dBase III table for the exporter, defines its text fields, gives access
// to its records for appending and, after closing, forces header bytes 0 and 1 to 3 and 10, the
// values the files' readers expect.
//
// The table lives in Path + Table + ".dbf", where Table is the given file's base name cut to
// eight characters: "…/DB00001A.DBF" is written as "…/DB00001A.dbf". Callers that look for an
// existing table must therefore compare names without regard to case.
class dBase3 {
public:
    // The only field type the writer knows: the old engine's text type.
    static constexpr int kText = 10;

    dBase3() = default;
    ~dBase3();
    dBase3(const dBase3&) = delete;
    dBase3& operator=(const dBase3&) = delete;

    const std::string& Fullpath() const { return fullpath_; }
    const std::string& Path() const { return path_; }
    const std::string& Table() const { return table_; }

    // Deletes file_name (errors ignored), closes what is open and starts a new definition.
    void dBaseCreate(const std::string& file_name);
    // Closes what is open and takes the existing table's definition. Throws when it is none.
    void dBaseOpen(const std::string& file_name);
    // Adds a field to a definition started by dBaseCreate. Throws std::invalid_argument for a
    // type other than kText, a size outside 1..254 or a name the format cannot hold.
    void FieldCreate(const std::string& name, int type, int size);
    // Writes the file when fields were defined since the last save; otherwise does nothing.
    void TableDefSave();
    void RecordsetOpen();
    void RecordsetClose();
    // The open table for appending records (AddNew, SetField, Update). Throws std::logic_error
    // when no recordset is open.
    DbfTable& Recordset();
    // Saves a pending definition, closes the table and fixes the header; ignores every error.
    void dBaseClose();
    // Sets byte 0 to 3 and byte 1 to 10 where they differ; nothing else of the file changes.
    // A missing file is left alone.
    static void dBaseFixSignature(const std::string& file_name);

private:
    void DeriveNames(const std::string& file_name);

    std::string fullpath_, path_, table_;
    std::vector<DbfTable::FieldDef> definition_;
    bool pending_ = false;
    bool defined_ = false;  // a definition exists (created and saved, or opened)
    DbfTable recordset_;
};

}  // namespace tlx4r
