#pragma once

#include "ui/Ui.h"

#include <QWidget>

#include <map>
#include <memory>

namespace tlx4r::qt {

class FormDialog;

// The desktop's Ui: Qt's message box, input dialog and file dialog, the busy cursor, the event
// pump, and the forms' views from the ViewRegistry. Requires a QApplication. A modal form
// gets a window for each show; a form shown modeless must outlive the Ui, as its window is kept
// for the next Show.
class QtUi : public ui::Ui {
public:
    // parent, when given, owns the dialogs' windows (centred on it).
    explicit QtUi(QWidget* parent = nullptr);
    ~QtUi() override;

    ui::Answer MsgBox(const ui::Message& message) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& caption,
                                        const std::string& default_text) override;
    std::optional<std::string> FileDialog(const ui::FileDialogRequest& request) override;
    void SetBusy(bool busy) override;
    void DoEvents() override;
    void Beep() override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    // Throws std::runtime_error when no view is registered for the form.
    void ShowModal(ui::Form& form) override;
    void ShowModeless(ui::Form& form) override;

private:
    FormDialog* DialogFor(ui::Form& form);
    QWidget* parent_;
    int busy_ = 0;
    // One window per modeless form, kept while the form lives hidden, as the form keeps its state.
    std::map<ui::Form*, std::unique_ptr<FormDialog>> dialogs_;
};

}  // namespace tlx4r::qt
