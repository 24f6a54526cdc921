#pragma once

#include "ui/Control.h"
#include "ui/Ui.h"

#include <string>

namespace tlx4r::ui {

// The file open/save dialog placed on a form: the request is kept between uses (the folder and
// file of the last choice come back next time), and the dialog itself is the current Ui's.
class CommonDialog : public Control {
public:
    CommonDialog(Form& form, std::string name)
        : Control(form, ControlKind::CommonDialog, std::move(name)) {}

    FileDialogRequest& Request() { return request_; }
    const FileDialogRequest& Request() const { return request_; }
    const std::string& FileName() const { return request_.file_name; }

    // Show the dialog; true and FileName() set to the choice, false when cancelled.
    bool ShowOpen();
    bool ShowSave();

protected:
    bool TakesFocus() const override { return false; }

private:
    bool Run(FileDialogRequest::Mode mode);
    FileDialogRequest request_;
};

}  // namespace tlx4r::ui
