#include "qt/ClientProjectsView.h"

#include "masterdata/frmClientProjects.h"
#include "qt/FormBinder.h"
#include "qt/KeyForward.h"
#include "qt/ViewParts.h"

#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tlx4r::qt {

ClientProjectsView::ClientProjectsView(frmClientProjects& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    auto* type = MakeWidget<QGroupBox>(this, "fraType");
    auto* options = new QVBoxLayout(type);
    for (int i = 0; i < 3; ++i) options->addWidget(MakeWidget<QRadioButton>(type, "optLinked[" + QString::number(i) + "]"));
    column->addWidget(type);
    auto* label1 = MakeWidget<QLabel>(this, "lblClient1");
    auto* search = MakeWidget<QLineEdit>(this, "txtProject");
    label1->setBuddy(search);
    column->addWidget(label1);
    column->addWidget(search);
    auto* label2 = MakeWidget<QLabel>(this, "lblClient2");
    auto* list = MakeWidget<QListWidget>(this, "lstProject");
    label2->setBuddy(list);
    column->addWidget(label2);
    column->addWidget(list, 1);
    column->addLayout(ButtonRow(this, {"btnLink", "btnLinkRemove", "btnLinkReplace", "btnDone"}));
    new KeyForward(search, [&form](int key, bool) { return form.SearchKeyDown(key); });
    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    new FormBinder(form, this);
}

}  // namespace tlx4r::qt
