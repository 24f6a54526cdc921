#pragma once

#include "core/TableCursor.h"
#include "entries/modTypeBase.h"

#include <optional>
#include <string>
#include <vector>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

// What the two tariff catalogues share: a table of exactly the categories 1..37 named like the
// catalogue, with the columns <table>Code, <table>Name and <table>Account. The rows always
// exist (Assert makes them); their names and accounts belong to the users. The database must
// outlive the object.
class TypeBase {
public:
    virtual ~TypeBase() = default;

    // 0 for the fee categories, 1 for the disbursement categories.
    int Kind() const { return kind_; }
    // "TypeCharges" or "TypeExpenses".
    const std::string& TableName() const { return cursor_.Table(); }
    const std::string& Table() const { return cursor_.Table(); }
    // The catalogue's name for users ("Gebühren", "Auslagen"), also the name of row 1.
    const std::string& DisplayName() const { return display_name_; }

    // Makes the table, its columns and the rows 1..37 with their codes exist, then Verify; a
    // table made just now gets the built-in names. Names and accounts of existing rows are
    // never touched. Single steps that fail are skipped.
    void Assert();
    // Removes the rows outside 1..37 and names row 1 with DisplayName unless it has a name.
    void Verify();
    // Sets the name and/or the account of one category: an empty text clears it, nullopt leaves
    // it; with only_if_empty only a row without a name is changed. A code that names no
    // category changes nothing.
    void Update(IDorCode id_or_code, const std::optional<std::string>& type_name = std::nullopt,
                const std::optional<std::string>& type_account = std::nullopt, bool only_if_empty = false);
    // Clears every name and account, then writes the built-in names of the kind.
    void LoadDefaults();
    // The names LoadDefaults gives the categories 1..37 of kind 0 (fees) or 1 (disbursements),
    // "" for a category it leaves unnamed.
    static std::vector<std::string> DefaultTopics(int kind);

    // The category's name and account; "" when unset or when there is no such category.
    // Require the cursor (rsOpen).
    std::string Topic(IDorCode id_or_code);
    std::string Account(IDorCode id_or_code);
    // The name of the category's account in the host's accounting; "" without an account, a
    // host or a finance database, or when the host does not know the account.
    std::string AccountName(IDorCode id_or_code);

    // Shows the category chooser modally with init_value selected, its top left corner at the
    // screen position left, top in twips when given. The chosen category 1..37; 0 when the user
    // cancelled (no change). Requires the cursor.
    int Choose(std::optional<int> init_value = std::nullopt, std::optional<int> left = std::nullopt,
               std::optional<int> top = std::nullopt);
    // Shows the category editor modally; its changes are written as they are made. Requires the
    // cursor.
    void Edit();

    void rsOpen() { cursor_.Open(); }
    void rsClose() noexcept { cursor_.Close(); }
    void Refresh();
    TableCursor& Cursor() { return cursor_; }

protected:
    TypeBase(db::Database& db, int kind, std::string table, std::string display_name);

private:
    std::string Column(const std::string& name) const;

    db::Database& db_;
    int kind_;
    TableCursor cursor_;
    std::string display_name_;
};

}  // namespace tlx4r
