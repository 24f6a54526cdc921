#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

class Clients;
class DBSettings;
class Datas;
class Entries;
class EntryTypes;
class FibuTables;
class Projects;
class TypeCharges;
class TypeExpenses;

// The connection to the reporting database: opens and creates the file, brings its schema up to
// date on every open, owns the catalogue objects exactly while a database is open, and compacts
// and converts the file.
//
// Compact and Convert never put the file at risk: the new file is made beside it and renamed
// over it, so that at any moment the path holds either the old or the new database complete.
class DBReporting {
public:
    // finance_path gives the path of the host's open finance database ("" when none); the
    // linked finance tables need it.
    explicit DBReporting(std::function<std::string()> finance_path = {});
    // Closes the database.
    ~DBReporting();
    DBReporting(const DBReporting&) = delete;
    DBReporting& operator=(const DBReporting&) = delete;

    // The name of the scratch file beside a database: folder + base name + "_comp_" + extension
    // ("Kanzlei.tdb4r" gives "Kanzlei_comp_.tdb4r", "Kanzlei" gives "Kanzlei_comp_.").
    static std::string TempName(const std::string& path);

    // Closes what was open, opens the file, creates the catalogues, asserts the schema and opens
    // the catalogues' cursors. A file that is not a database throws DbError 3343 and is left
    // untouched; a missing one DbError 3024. After any failure no database is open.
    void DBOpen(const std::string& path);
    // Creates an empty database (DbError 3204 when the file exists), then opens it.
    void DBNew(const std::string& path);
    // Makes every table, field, index and stored query exist, then the relations; with reset the
    // cursors are closed and every relation is deleted and made anew (the caller reopens the
    // cursors).
    void DBAssert(bool reset = false);
    // Opens / closes the cursors of every catalogue.
    void DBrsOpen();
    void DBrsClose() noexcept;
    // Releases the catalogues and closes the database; never fails.
    void DBClose() noexcept;
    // Compacts the open database in place and reopens it. Errors pass to the caller; the
    // database may then be closed, but its file is complete.
    void Compact();
    // Rebuilds the open database into a new file of the current format and reopens it; with par0
    // "quiet" an already converted database is left alone without asking. Never throws: a
    // failure is shown as one message and the file is left as it was. Returns that message
    // ("" when the conversion succeeded or was not wanted).
    std::string Convert(const std::optional<std::string>& par0 = {});

    bool IsOpen() const { return db_ != nullptr; }
    // The open database; nullptr while none is open.
    db::Database* Database() const { return db_.get(); }
    // The full path of the open database; "" while none is open.
    std::string DatabaseName() const;

    // The catalogues: nullptr while no database is open. DBSettings is the exception: it lives as
    // long as this object, so that a host holding it gets an error rather than freed memory
    // once the database is closed.
    tlx4r::Entries* Entries() const { return entries_.get(); }
    tlx4r::EntryTypes* EntryTypes() const { return entry_types_.get(); }
    tlx4r::Projects* Projects() const { return projects_.get(); }
    Datas* Departments() const { return departments_.get(); }
    Datas* ProjectTypes() const { return project_types_.get(); }
    Datas* Persons() const { return persons_.get(); }
    Datas* Templates() const { return templates_.get(); }
    tlx4r::Clients* Clients() const { return clients_.get(); }
    tlx4r::TypeCharges* TypeCharges() const { return type_charges_.get(); }
    tlx4r::TypeExpenses* TypeExpenses() const { return type_expenses_.get(); }
    tlx4r::FibuTables* FibuTables() const { return fibu_tables_.get(); }
    tlx4r::DBSettings* DBSettings() const { return db_settings_.get(); }

private:
    void AssertAll(bool reset);
    void CatalogsCreate();
    void CatalogsRelease() noexcept;
    void Import(const std::string& source);
    bool AlreadyConverted() const;

    std::function<std::string()> finance_path_;
    std::unique_ptr<db::Database> db_;

    std::unique_ptr<tlx4r::DBSettings> db_settings_;
    std::unique_ptr<tlx4r::Entries> entries_;
    std::unique_ptr<tlx4r::EntryTypes> entry_types_;
    std::unique_ptr<tlx4r::Projects> projects_;
    std::unique_ptr<Datas> departments_;
    std::unique_ptr<Datas> project_types_;
    std::unique_ptr<Datas> persons_;
    std::unique_ptr<Datas> templates_;
    std::unique_ptr<tlx4r::Clients> clients_;
    std::unique_ptr<tlx4r::TypeCharges> type_charges_;
    std::unique_ptr<tlx4r::TypeExpenses> type_expenses_;
    std::unique_ptr<tlx4r::FibuTables> fibu_tables_;
};

}  // namespace tlx4r
