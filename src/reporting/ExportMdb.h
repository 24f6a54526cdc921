#pragma once

#include "ExportFormat.h"
#include "db/Database.h"

namespace tlx4r {

// The MDB format. On this platform an ".mdb" file is a database of the component's own engine
// (the same kind of file as the reporting database, opened through db::Database), holding the
// table "ProjectData": the key "ID" (Long, > 0; the item counter) and one Text(255) field per
// field name, values cut to 255 characters and empty values stored as Null. A name that comes
// twice (names compare without regard to case) is one field holding the later value; a field
// named ID is dropped, as the key holds the item counter. Written as
// name.mdb.part inside one transaction and renamed when complete. Text fields use SQLite's own
// NOCASE collation, so that any SQLite tool reads the file.
class ExportMdb : public ExportFormat {
public:
    static constexpr const char* kTable = "ProjectData";
    static constexpr int kFieldSize = 255;

    // item_counter is the exporter's count of written items: a record's ID.
    explicit ExportMdb(const long& item_counter) : item_counter_(item_counter) {}
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
    void CreateTable();

    const long& item_counter_;
    std::string path_;
    std::string finished_;
    std::vector<std::string> fields_;
    std::vector<bool> columns_;  // per field: it has a column of its own (not the key ID)
    db::Database db_;
    db::Recordset rs_;
};

}  // namespace tlx4r
