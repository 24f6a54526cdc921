#pragma once

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tlx4r {

// A search-and-pick list over the names of a lookup kind (1 client, 2 person, 3 project type,
// 4 department, 5 template); used for choosing a client. Every word typed narrows the list to
// the names that begin with the words in that order; at most kMaxRows rows are listed.
class frmDataChoose : public ui::Form {
public:
    static constexpr int kMaxRows = 51;

    frmDataChoose();

    ui::Label lblClient1{*this, "lblClient1", "Suchen..."};
    ui::TextBox txtData{*this, "txtData"};
    ui::Label lblClient2{*this, "lblClient2", "Auswählen..."};
    ui::ListBox lstData{*this, "lstData"};
    ui::Button btnNew{*this, "btnNew", "&Neu"};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbrechen"};

    // Shows the list of kind with row current_id's name as the search text; the chosen ID, 0
    // when nothing was chosen. Requires an open reporting database.
    std::int32_t Choose(int kind, std::int32_t current_id = 0);

    // A key pressed in the search box: the down arrow moves to the list. True when taken.
    bool SearchKeyDown(int key_code);

    int Kind() const { return kind_; }
    // The statement that filled the list last.
    const std::string& Sql() const { return sql_; }
    // The statement for a search text: the words joined by "* " and followed by "*".
    static std::string SqlFor(int kind, const std::string& search);

private:
    void Fill();
    void Accept();

    int kind_ = 1;
    std::int32_t chosen_ = 0;
    std::vector<std::int32_t> ids_;
    std::string sql_;
};

}  // namespace tlx4r
