#pragma once

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"

#include <string>

namespace tlx4r {

// The info dialog: the component's program line, the product and the legal notice; OK closes it.
class frmInfo : public ui::Form {
public:
    frmInfo();

    ui::Label lblProduct{*this, "lblProduct", "Kelvora Reporting V4"};
    ui::Label lblProgram{*this, "lblProgram"};
    ui::Label lblCopyright{*this, "lblCopyright"};
    ui::Button btnOk{*this, "btnOk", "&Ok"};

    // Shows the dialog modally with the program line.
    void ShowInfo(const std::string& program_line);
};

}  // namespace tlx4r
