#pragma once

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

namespace tlx4r {

class OlContacts;

// The contact list of the vCard source: a search text narrows it (any part of the name, case
// ignored); OK takes the selected contact. The line below names the source and how many cards
// could not be read; btnSource chooses another source.
class frmOlContacts : public ui::Form {
public:
    explicit frmOlContacts(OlContacts& owner);

    ui::Label lblCon{*this, "lblCon", "Suchen..."};
    ui::TextBox txtCon{*this, "txtCon"};
    ui::ListBox lstCon{*this, "lstCon"};
    ui::Label lblSource{*this, "lblSource"};
    ui::Button btnSource{*this, "btnSource", "&Quelle..."};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbrechen"};

    // Shows the list modally; the chosen contact's index (1-based), 0 when cancelled.
    int Choose();
    // Refills the list from the reader (loading it first when needed).
    void Fill();

    // Keys that type nothing: the down arrow in the search box moves to the list, the up arrow
    // on the list's first entry back. True when taken.
    bool SearchKeyDown(int key_code);
    bool ListKeyDown(int key_code);

private:
    OlContacts& owner_;
    int chosen_ = 0;
};

}  // namespace tlx4r
