#pragma once

#include "ExportFormat.h"
#include "db/Database.h"

namespace tlx4r {

// The MDB format. On this platform an ".mdb" file is a database of the component's own engine
// (the same kind of file as the reporting database, opened through db::Database), holding the
// table "ProjectData": the key "ID" (Long, > 0; the item counter) and one Text(255) field per
// field name, values cut to 255 characters and empty values stored as Null. A name that comes
// twice (names compare without regard to case) is one field holding the later value; a field
// named ID is dropped, as the key holds the item counter. Written as name.mdb.part (the empty
// database, then the records in one transaction) and renamed when complete. Text fields use
// SQLite's own NOCASE collation, so that any SQLite tool reads the file.
class ExportMdb : public ExportFormat {
public:
    static constexpr const char* kTable = "ProjectData";
    static constexpr int kFieldSize = 255;

    // What the files of one run share: the empty database with its table, made with the run's
    // first file and copied for every further one (making it statement by statement cost more
    // than everything else of a one-project file), and the table's column for each field. The
    // files get copies; the template itself is never opened as a database.
    struct Template {
        std::vector<std::string> fields;  // the field names it was made for
        std::string image;                // the bytes of the empty database file
        int key = -1;                     // the column of ID
        std::vector<int> columns;         // per field: its column, -1 for a field named ID
    };

    // item_counter is the exporter's count of written items: a record's ID. shared is the run's
    // template, kept by the exporter from one file set to the next.
    ExportMdb(const long& item_counter, Template& shared) : item_counter_(item_counter), template_(shared) {}
    ~ExportMdb() override { Abort(); }

    std::vector<std::string> Patterns() const override { return {"*.mdb"}; }
    std::vector<std::string> Finished() const override { return {finished_}; }
    void Open(const std::string& base_path, const std::vector<std::string>& fields,
              const std::vector<std::string>& values) override;
    void Write(const std::vector<std::string>& values) override;
    void Close() override;
    void Abort() noexcept override;

private:
    std::string TempPath() const { return path_ + ".part"; }
    // Creates the empty database at TempPath and takes its bytes as the template.
    void MakeTemplate(const std::vector<std::string>& fields, const db::OpenOptions& options);
    void CreateTable(db::Database& db, const std::vector<std::string>& fields);
    // The template's bytes as the file TempPath; false when the file cannot be written.
    bool CopyTemplate() const;

    const long& item_counter_;
    Template& template_;
    std::string path_;
    std::string finished_;
    db::Database db_;
    db::Recordset rs_;
};

}  // namespace tlx4r
