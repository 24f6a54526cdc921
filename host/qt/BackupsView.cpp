#include "host/qt/BackupsView.h"

#include "host/frmBackups.h"
#include "qt/FormBinder.h"
#include "qt/ViewParts.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tlx4r::qt {

BackupsView::BackupsView(frmBackups& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    column->addWidget(MakeWidget<QLabel>(this, "lblDatabase"));
    auto* list = MakeWidget<QTreeWidget>(this, "lvwBackups");
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->header()->setStretchLastSection(true);
    column->addWidget(list, 1);
    column->addLayout(ButtonRow(this, {"btnBackupNow", "btnRestore", "btnFolder", "btnClose"}));
    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    new FormBinder(form, this);
}

}  // namespace tlx4r::qt
