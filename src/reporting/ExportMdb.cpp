#include "ExportMdb.h"

#include "ExportFile.h"
#include "core/modStringLibrary.h"
#include "db/DbError.h"
#include "types/Utf8.h"

#include <filesystem>
#include <set>

namespace tlx4r {

namespace fs = std::filesystem;

namespace {

void RemoveFile(const std::string& path) noexcept {
    std::error_code ec;
    fs::remove(path, ec);
    fs::remove(path + "-journal", ec);
}

}  // namespace

void ExportMdb::Open(const std::string& base_path, const std::vector<std::string>& fields,
                     const std::vector<std::string>&) {
    Abort();
    path_ = base_path + ".mdb";
    fields_ = fields;
    RemoveFile(TempPath());  // left over by a run that was killed
    try {
        db::OpenOptions options;
        options.portable_text = true;
        // Like the text formats, the file is not forced to the disk on its own: waiting for the
        // disk on every file made a run of one file per project many times slower. The exporter
        // makes the whole run durable once at its end.
        options.durable = false;
        db_ = db::Database::Create(TempPath(), options);
    } catch (const db::DbError&) {
        path_.clear();
        throw ExportFile::Failure(base_path + ".mdb");
    }
    try {
        // One transaction for the file: the table, its fields and every record.
        db_.BeginTrans();
        CreateTable();
        rs_ = db_.OpenRecordset(kTable, db::RecordsetType::Table);
    } catch (...) {
        Abort();
        throw;
    }
}

void ExportMdb::CreateTable() {
    // The table the table and field routines make (key ID, Long, > 0; a Text(255) field per
    // name, a repeated name once), created in one statement: adding eighty fields one by one
    // costs more than the rest of a one-project file together.
    db::TableDef table(kTable);
    db::Field id("ID", db::FieldType::Long);
    id.SetDefaultValue("0").SetValidationRule("> 0");
    table.AppendField(id);
    std::set<std::string> names{"ID"};
    columns_.clear();
    for (const auto& name : fields_) {
        const bool key = utf8::Upper(name) == "ID";
        columns_.push_back(!key);
        if (!key && names.insert(utf8::Upper(name)).second)
            table.AppendField(db::Field(name, db::FieldType::Text, kFieldSize));
    }
    table.AppendIndex(db::Index("PrimaryKey", {"ID"}, true, true));
    // the unique index "ID" every table of the component has (as TableAssert makes it), made
    // with the table: asserting it afterwards looked the table and its fields up again, per file
    table.AppendIndex(db::Index("ID", {"ID"}, true));
    db_.TableDefs().Append(table);
}

void ExportMdb::Write(const std::vector<std::string>& values) {
    rs_.AddNew();
    try {
        rs_.Set("ID", db::Value(static_cast<std::int32_t>(item_counter_)));
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            if (columns_[i]) FieldTextSet(rs_, fields_[i], i < values.size() ? values[i] : std::string());
        }
        rs_.Update();
    } catch (...) {
        rs_.CancelUpdate();
        throw;
    }
}

void ExportMdb::Close() {
    if (!db_.IsOpen()) return;
    try {
        rs_.Close();
        db_.CommitTrans();
        db_.Close();
    } catch (...) {
        Abort();
        throw;
    }
    std::error_code ec;
    fs::rename(TempPath(), path_, ec);
    if (ec) {
        const std::string path = path_;
        Abort();
        throw ExportFile::Failure(path);
    }
    finished_ = path_;
    path_.clear();
}

void ExportMdb::Abort() noexcept {
    rs_.Close();
    db_.Close();  // rolls the open transaction back
    if (!path_.empty()) RemoveFile(TempPath());
    path_.clear();
}

}  // namespace tlx4r
