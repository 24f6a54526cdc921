#pragma once

#include "ui/Button.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tlx4r {

// Links projects to one client: lists the projects of this client (to unlink them), those of no
// client (to link them) or those of other clients (to move them here), narrowed by a search
// text on account code and name, at most kMaxRows of them. Each change is asked for and written
// at once. Requires an open reporting database.
class frmClientProjects : public ui::Form {
public:
    static constexpr int kMaxRows = 51;

    frmClientProjects();

    ui::Frame fraType{*this, "fraType", "Geschäfte"};
    // 0 this client's projects, 1 projects of no client, 2 projects of other clients.
    ui::ControlArray<ui::OptionButton> optLinked{*this, "optLinked", {0, 1, 2}, &fraType};
    ui::Label lblClient1{*this, "lblClient1", "Suchen..."};
    ui::TextBox txtProject{*this, "txtProject"};
    ui::Label lblClient2{*this, "lblClient2", "Auswählen..."};
    ui::ListBox lstProject{*this, "lstProject"};
    ui::Button btnLink{*this, "btnLink", "&Verbinden"};
    ui::Button btnLinkRemove{*this, "btnLinkRemove", "&Lösen"};
    ui::Button btnLinkReplace{*this, "btnLinkReplace", "&Ersetzen"};
    ui::Button btnDone{*this, "btnDone", "&Fertig"};

    // Shows the projects of client client_id modally, captioned caption.
    void ShowFor(std::int32_t client_id, const std::string& caption);

    // The statement that filled the list last.
    const std::string& Sql() const { return sql_; }
    // A key pressed in the search box: the down arrow moves to the list. True when taken.
    bool SearchKeyDown(int key_code);

private:
    void Fill();
    void Link(std::int32_t new_client, const char* action, bool with_caption);

    std::int32_t client_id_ = 0;
    std::vector<std::int32_t> ids_;
    int rows_ = 0;
    std::string sql_;
};

}  // namespace tlx4r
