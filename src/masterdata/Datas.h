#pragma once

#include "core/TableCursor.h"
#include "masterdata/Data.h"
#include "masterdata/DataTextFile.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

class frmData;
class frmDataImpExp;
class frmDatas;

// One of the four small lookup tables (departments, project types, persons, templates). The
// table is named after the Flavor and each of its fields begins with it. The configuration is
// set right after creation, before the first Assert. The database must outlive it.
//
// The cursor must be open (rsOpen) for Add, Item, Delete, Sync, Export and Import.
class Datas {
public:
    explicit Datas(db::Database& db);
    ~Datas();
    Datas(const Datas&) = delete;
    Datas& operator=(const Datas&) = delete;

    const std::string& Flavor() const { return flavor_; }
    void SetFlavor(std::string flavor);
    // The German names of one row and of the table, for captions and messages.
    const std::string& FlavorText() const { return flavor_text_; }
    void SetFlavorText(std::string text) { flavor_text_ = std::move(text); }
    const std::string& FlavorTextAll() const { return flavor_text_all_; }
    void SetFlavorTextAll(std::string text) { flavor_text_all_ = std::move(text); }
    // Persons have a short name besides the full one.
    bool WithNameShort() const { return with_name_short_; }
    void SetWithNameShort(bool on) { with_name_short_ = on; }
    // Templates carry charges, expenses and their categories instead of a rate.
    bool WithChargesAndExpenses() const { return with_charges_and_expenses_; }
    void SetWithChargesAndExpenses(bool on) { with_charges_and_expenses_ = on; }
    // Set by the list dialog when a template is taken to go before ("Vorne") or after ("Hinten")
    // the text it is added to; read by the entry form.
    bool Prefix() const { return prefix_; }
    void SetPrefix(bool on) { prefix_ = on; }
    bool Postfix() const { return postfix_; }
    void SetPostfix(bool on) { postfix_ = on; }

    // Makes the table, its missing fields and indexes exist, then carries the values of an older
    // column layout (F + "Name", "ShortName", "Rate", "Charges", … without the prefix) over into
    // the current columns and mirrors them back, so that older and newer programs see the same
    // values. Single failing steps are skipped. Requires a Flavor.
    void Assert();
    // Removes rows without a name and gives templates a missing category 1 (none).
    void Verify();
    void rsOpen();
    void rsClose() noexcept { cursor_.Close(); }
    TableCursor& Cursor() { return cursor_; }

    // An empty row configured like this table (ID 0).
    Data NewData() const;
    // Adds an empty row under the next free ID and returns it.
    Data Add();
    // The row of that ID; a row with ID 0 when id < 1 or there is none.
    Data Item(std::int32_t id);
    // Deletes the row when there is one.
    void Delete(std::int32_t id);
    void DeleteAll();
    // Nothing to clear: rows live in the table only.
    void ClearAll() {}

    // The dialogs. Each instance has its own list, row editor and settings dialog, made on first
    // use and kept (hidden) while the instance lives, so that they remember their state.
    //
    // Shows the list for choosing, with row id selected, at the screen position x, y (twips)
    // when both are given. Returns the chosen ID, 0 for the row "(ohne Zuordnung)" (which tables
    // without charges and expenses offer), -1 when cancelled or the table is empty. Prefix and
    // Postfix tell afterwards whether a template was taken with "Vorne" or "Hinten".
    std::int32_t Choose(std::int32_t id = 0, std::optional<int> x = std::nullopt, std::optional<int> y = std::nullopt);
    // Shows the list for maintaining the table.
    void EditAll();
    // Fills the list dialog's list in the order of the full names, selecting row id (the first
    // row when there is none of that id).
    void LoadView(std::int32_t id);
    // Edits row id in the row editor and saves it when the user confirms; the saved row, or
    // nullopt when cancelled.
    std::optional<Data> Edit(std::int32_t id);
    std::optional<Data> EditByID(std::int32_t id) { return Edit(id); }
    // Adds a row and edits it; a cancelled editor deletes the row again.
    std::optional<Data> EditNew();
    // Lets the user choose a row (id preselected) and edits it; nullopt when none was chosen.
    std::optional<Data> EditChoose(std::int32_t id = 0);
    // Lets the user choose the default row and stores it; returns the choice (as Choose).
    std::int32_t DefaultIDChoose();
    // The dialogs themselves, for views and scripts.
    frmDatas& ListForm();
    frmData& RowForm();
    frmDataImpExp& SettingsForm();

    // The per-user default row (option "Options", Flavor + "DefaultID"); 0 when none is stored.
    // Writing stores only values greater than 0. Both throw AppError 91 without a root object.
    std::int32_t DefaultID() const;
    void SetDefaultID(std::int32_t id);

    // Inserts a placeholder row "Department(7)" for every ID that projects (and, for persons,
    // entries) use but the table lacks, so that lists and joins show them.
    void Sync();

    // The column names in the order of the text file: ID, NameFull, then Charges, Expenses,
    // TypeCharges, TypeExpenses, or NameShort (persons only) and Rate.
    std::vector<std::string> TextColumns() const;
    // Writes every row in ID order and reports the count; an empty file_name lets the user choose
    // the file (0 when cancelled). A value that the chosen format cannot carry (a line break, or
    // the separator without a delimiter) throws AppError 5 before the file is touched.
    long Export(const std::string& file_name, const DataTextSettings& settings);
    // The same with the settings the user chooses in the settings dialog (0 when cancelled).
    long Export(const std::string& file_name = {});
    // Reads the rows of a text file and reports the count of lines imported; an empty file_name
    // lets the user choose the file. With DeleteAllFirst the user is asked before the table is
    // emptied (anything but Yes imports nothing). A line that fails stops the import with a
    // message naming its line number; the rows before it stay. Returns the lines imported.
    long Import(const std::string& file_name, const DataTextSettings& settings);
    // The same with the settings the user chooses in the settings dialog (0 when cancelled).
    long Import(const std::string& file_name = {});
    // The message of the line that stopped the last Import; "" when it ran to its end.
    const std::string& ImportError() const { return import_error_; }
    // Imports one line (not empty, not the header). Throws AppError 900 (source "ImportOneLine")
    // when the number of fields is not that of the table, AppError 13 for a number that is none.
    void ImportOneLine(const DataTextFile& format, std::string_view line);

private:
    std::string Column(std::string_view field) const { return flavor_ + std::string(field); }
    void MigrateColumn(const std::string& new_column, const std::string& old_column, char kind);
    std::string ChooseFile(const DataTextSettings& settings, bool save);

    db::Database& db_;
    std::string flavor_;
    std::string flavor_text_;
    std::string flavor_text_all_;
    bool with_name_short_ = false;
    bool with_charges_and_expenses_ = false;
    bool prefix_ = false;
    bool postfix_ = false;
    std::string import_error_;
    TableCursor cursor_;
    bool creating_ = false;
    std::unique_ptr<frmDatas> list_form_;
    std::unique_ptr<frmData> row_form_;
    std::unique_ptr<frmDataImpExp> settings_form_;
};

}  // namespace tlx4r
