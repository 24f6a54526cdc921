#include "ExportMdb.h"

#include "ExportFile.h"
#include "core/modStringLibrary.h"
#include "db/DbError.h"
#include "types/Utf8.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include <fcntl.h>
#include <unistd.h>

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
    RemoveFile(TempPath());  // left over by a run that was killed
    db::OpenOptions options;
    options.portable_text = true;
    // Like the text formats, the file is not forced to the disk on its own: waiting for the disk
    // on every file made a run of one file per project many times slower. The exporter makes the
    // whole run durable once at its end.
    options.durable = false;
    try {
        if (template_.image.empty() || template_.fields != fields) {
            MakeTemplate(fields, options);
        } else if (!CopyTemplate()) {
            throw ExportFile::Failure(path_);
        }
        try {
            db_ = db::Database::Open(TempPath(), options);
        } catch (const db::DbError&) {
            throw ExportFile::Failure(path_);
        }
        // One transaction for the file's records.
        db_.BeginTrans();
        rs_ = db_.OpenRecordset(kTable, db::RecordsetType::Table);
        if (template_.key < 0) {
            // Every copy has the template's table, so the columns are looked up by name once.
            std::vector<int> columns;
            for (const auto& name : fields) {
                columns.push_back(utf8::Upper(name) == "ID" ? -1 : rs_.FieldIndex(name));
            }
            template_.columns = std::move(columns);
            template_.key = rs_.FieldIndex("ID");
        }
    } catch (...) {
        Abort();
        throw;
    }
}

void ExportMdb::MakeTemplate(const std::vector<std::string>& fields, const db::OpenOptions& options) {
    template_ = Template{};
    db::Database db;
    try {
        db = db::Database::Create(TempPath(), options);
    } catch (const db::DbError&) {
        throw ExportFile::Failure(path_);
    }
    db.BeginTrans();
    CreateTable(db, fields);
    db.CommitTrans();
    db.Close();
    std::ifstream in(TempPath(), std::ios::binary);
    std::string image{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.is_open() || in.bad() || image.empty()) throw ExportFile::Failure(path_);
    template_.fields = fields;
    template_.image = std::move(image);
}

bool ExportMdb::CopyTemplate() const {
    // the permissions SQLite gives the database files it creates
    const int fd = ::open(TempPath().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const char* at = template_.image.data();
    std::size_t left = template_.image.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) break;
        at += written;
        left -= static_cast<std::size_t>(written);
    }
    return ::close(fd) == 0 && left == 0;
}

void ExportMdb::CreateTable(db::Database& db, const std::vector<std::string>& fields) {
    // The table the table and field routines make (key ID, Long, > 0; a Text(255) field per
    // name, a repeated name once), created in one statement: adding eighty fields one by one
    // costs more than the rest of a one-project file together.
    db::TableDef table(kTable);
    db::Field id("ID", db::FieldType::Long);
    id.SetDefaultValue("0").SetValidationRule("> 0");
    table.AppendField(id);
    std::set<std::string> names{"ID"};
    for (const auto& name : fields) {
        if (names.insert(utf8::Upper(name)).second) table.AppendField(db::Field(name, db::FieldType::Text, kFieldSize));
    }
    table.AppendIndex(db::Index("PrimaryKey", {"ID"}, true, true));
    // the unique index "ID" every table of the component has (as TableAssert makes it), made
    // with the table: asserting it afterwards looked the table and its fields up again, per file
    table.AppendIndex(db::Index("ID", {"ID"}, true));
    db.TableDefs().Append(table);
}

void ExportMdb::Write(const std::vector<std::string>& values) {
    rs_.AddNew();
    try {
        rs_.Set(template_.key, db::Value(static_cast<std::int32_t>(item_counter_)));
        for (std::size_t i = 0; i < template_.columns.size(); ++i) {
            const int column = template_.columns[i];
            if (column < 0) continue;
            FieldTextSet(rs_, column, i < values.size() ? std::string_view(values[i]) : std::string_view());
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
