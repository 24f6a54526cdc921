#include "qt/EntryTextEditView.h"

#include "entries/frmEntryTextEdit.h"
#include "qt/FormBinder.h"
#include "qt/MakeWidget.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx4r::qt {

EntryTextEditView::EntryTextEditView(frmEntryTextEdit& form, QWidget* parent)
    : QWidget(parent), form_(form) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    auto* text = MakeWidget<QPlainTextEdit>(this, "txtText");
    // Tab leaves the box for the buttons, as everywhere else in the forms.
    text->setTabChangesFocus(true);
    column->addWidget(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const char* name : {"btnOk", "btnCancel"}) {
        auto* button = MakeWidget<QPushButton>(this, name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    column->addLayout(buttons);

    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    binder_ = new FormBinder(form, this);
}

QSize EntryTextEditView::sizeHint() const {
    return {ui::TwipsToPixels(form_.Width()), ui::TwipsToPixels(form_.Height())};
}

}  // namespace tlx4r::qt
