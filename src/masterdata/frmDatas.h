#pragma once

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/ListView.h"

#include <cstdint>
#include <optional>

namespace tlx4r {

class Datas;

// The list of one lookup table: for choosing a row (Choose) and for maintaining the table
// (EditAll: new, edit, delete, delete all, export, import, restore missing rows). Templates are
// also taken to go before or after an existing text ("Vorne", "Hinten"). Rows carry their ID as
// key; the row "(ohne Zuordnung)" has the key "0". The owning Datas fills the list (LoadView)
// and must outlive the form.
class frmDatas : public ui::Form {
public:
    explicit frmDatas(Datas& owner);

    ui::ListView ListView1{*this, "ListView1"};
    ui::Button btnNew{*this, "btnNew", "&Neu"};
    ui::Button btnEdit{*this, "btnEdit", "&Bearbeiten"};
    ui::Button btnDelete{*this, "btnDelete", "&Löschen"};
    ui::Button btnDeleteAll{*this, "btnDeleteAll", "Alle löschen"};
    ui::Button btnExport{*this, "btnExport", "Exportieren"};
    ui::Button btnImport{*this, "btnImport", "Importieren"};
    ui::Button btnSync{*this, "btnSync", "Abgleichen"};
    ui::Button btnPrefix{*this, "btnPrefix", "Vorne"};
    ui::Button btnPostfix{*this, "btnPostfix", "Hinten"};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbrechen"};

    // Shows the list for choosing with row id selected, at the screen position x, y (twips) when
    // both are given. The chosen ID (0 for "(ohne Zuordnung)"); -1 when cancelled or when the
    // table has no row (after saying so).
    std::int32_t Choose(std::int32_t id, std::optional<int> x = std::nullopt, std::optional<int> y = std::nullopt);
    // Shows the list for maintaining the table.
    void EditAll();

    // A key pressed in the list (maintenance only): Insert adds a row, Delete deletes the
    // selected one, Alt+Enter edits it. True when the key was taken.
    bool ListKeyDown(int key_code, bool alt = false);

    bool Canceled() const { return canceled_; }
    bool Maintenance() const { return maintenance_; }
    // The ID of the selected row; -1 when none is selected.
    std::int32_t SelectedID() const;

private:
    void Reload(std::int32_t select_id);
    void SelectionChanged();
    void Confirm();
    void DoNew();
    void DoEdit();
    void DoDelete();

    Datas& owner_;
    bool canceled_ = true;
    bool maintenance_ = false;
};

}  // namespace tlx4r
