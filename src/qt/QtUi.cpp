#include "qt/QtUi.h"

#include "qt/FormDialog.h"
#include "qt/ViewRegistry.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <stdexcept>
#include <vector>

namespace tlx4r::qt {

namespace {

QString Q(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace("\r\n", "\n");
    return s;
}

QMessageBox::Icon ToQt(ui::Icon icon) {
    switch (icon) {
        case ui::Icon::Critical: return QMessageBox::Critical;
        case ui::Icon::Question: return QMessageBox::Question;
        case ui::Icon::Exclamation: return QMessageBox::Warning;
        case ui::Icon::Information: return QMessageBox::Information;
        case ui::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

std::vector<std::pair<QMessageBox::StandardButton, ui::Answer>> ButtonsOf(ui::Buttons buttons) {
    using B = QMessageBox;
    using A = ui::Answer;
    switch (buttons) {
        case ui::Buttons::Ok: return {{B::Ok, A::Ok}};
        case ui::Buttons::OkCancel: return {{B::Ok, A::Ok}, {B::Cancel, A::Cancel}};
        case ui::Buttons::YesNo: return {{B::Yes, A::Yes}, {B::No, A::No}};
        case ui::Buttons::YesNoCancel: return {{B::Yes, A::Yes}, {B::No, A::No}, {B::Cancel, A::Cancel}};
        case ui::Buttons::RetryCancel: return {{B::Retry, A::Retry}, {B::Cancel, A::Cancel}};
        case ui::Buttons::AbortRetryIgnore: return {{B::Abort, A::Abort}, {B::Retry, A::Retry}, {B::Ignore, A::Ignore}};
    }
    return {{B::Ok, A::Ok}};
}

// German texts on the standard buttons, as the component's users read them everywhere else.
QString GermanText(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Yes: return "&Ja";
        case QMessageBox::No: return "&Nein";
        case QMessageBox::Cancel: return "Abbrechen";
        case QMessageBox::Retry: return "&Wiederholen";
        case QMessageBox::Abort: return "Ab&brechen";
        case QMessageBox::Ignore: return "&Ignorieren";
        default: return "OK";
    }
}

}  // namespace

QtUi::QtUi(QWidget* parent) : parent_(parent) {}

QtUi::~QtUi() {
    while (busy_ > 0) SetBusy(false);
}

ui::Answer QtUi::MsgBox(const ui::Message& message) {
    QMessageBox box(ToQt(message.icon), Q(message.caption), Q(message.text), QMessageBox::NoButton, parent_);
    auto buttons = ButtonsOf(message.buttons);
    for (const auto& [button, answer] : buttons) box.addButton(button)->setText(GermanText(button));
    std::size_t def = static_cast<std::size_t>(std::max(1, message.default_button)) - 1;
    if (def < buttons.size()) box.setDefaultButton(buttons[def].first);
    // Escape answers Cancel where there is one, else the last button (No of Yes/No, OK alone).
    box.setEscapeButton(buttons.back().first);
    box.exec();
    auto clicked = box.standardButton(box.clickedButton());
    for (const auto& [button, answer] : buttons) {
        if (button == clicked) return answer;
    }
    return buttons.back().second;
}

std::optional<std::string> QtUi::InputBox(const std::string& prompt, const std::string& caption,
                                          const std::string& default_text) {
    bool ok = false;
    QString text = QInputDialog::getText(parent_, Q(caption), Q(prompt), QLineEdit::Normal, Q(default_text), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

std::optional<std::string> QtUi::FileDialog(const ui::FileDialogRequest& request) {
    QStringList filters;
    for (const auto& [description, patterns] : request.filters) {
        QString p = Q(patterns);
        p.replace(';', ' ');
        filters << Q(description) + " (" + p + ")";
    }
    QFileDialog dialog(parent_, Q(request.title), Q(request.initial_dir));
    dialog.setNameFilters(filters);
    if (request.filter_index >= 1 && request.filter_index <= filters.size()) {
        dialog.selectNameFilter(filters[request.filter_index - 1]);
    }
    if (!request.file_name.empty()) dialog.selectFile(Q(request.file_name));
    if (!request.default_ext.empty()) dialog.setDefaultSuffix(Q(request.default_ext));
    if (request.mode == ui::FileDialogRequest::Mode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

void QtUi::SetBusy(bool busy) {
    if (busy) {
        if (busy_++ == 0) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busy_ > 0) {
        if (--busy_ == 0) QGuiApplication::restoreOverrideCursor();
    }
}

void QtUi::DoEvents() { QCoreApplication::processEvents(); }

void QtUi::Beep() { QApplication::beep(); }

std::string QtUi::ClipboardText() { return QGuiApplication::clipboard()->text().toStdString(); }

void QtUi::SetClipboardText(const std::string& text) { QGuiApplication::clipboard()->setText(QString::fromStdString(text)); }

FormDialog* QtUi::DialogFor(ui::Form& form) {
    auto it = dialogs_.find(&form);
    if (it != dialogs_.end()) return it->second.get();
    QWidget* view = ViewRegistry::Instance().CreateView(form);
    if (view == nullptr) throw std::runtime_error("no view for form " + form.Name());
    auto dialog = std::make_unique<FormDialog>(form, view, parent_);
    return dialogs_.emplace(&form, std::move(dialog)).first->second.get();
}

void QtUi::ShowModal(ui::Form& form) {
    auto it = dialogs_.find(&form);
    if (it != dialogs_.end()) {
        it->second->setModal(true);
        if (form.Visible()) it->second->exec();
        return;
    }
    // A window for this show only: many forms are made for one use and die after it, and a
    // window kept for them would outlive its form. The form keeps its geometry for the next one.
    QWidget* view = ViewRegistry::Instance().CreateView(form);
    if (view == nullptr) throw std::runtime_error("no view for form " + form.Name());
    FormDialog dialog(form, view, parent_);
    dialog.setModal(true);
    if (form.Visible()) dialog.exec();
}

void QtUi::ShowModeless(ui::Form& form) {
    FormDialog* dialog = DialogFor(form);
    dialog->setModal(false);
    dialog->show();
}

}  // namespace tlx4r::qt
