#include "qt/DatasView.h"

#include "masterdata/frmDatas.h"
#include "qt/FormBinder.h"
#include "qt/KeyForward.h"
#include "qt/ViewParts.h"

#include <QTreeWidget>
#include <QVBoxLayout>

namespace tlx4r::qt {

DatasView::DatasView(frmDatas& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* row = new QHBoxLayout(this);
    auto* list = MakeWidget<QTreeWidget>(this, "ListView1");
    list->setUniformRowHeights(true);
    row->addWidget(list, 1);
    auto* buttons = new QVBoxLayout;
    for (const char* key : {"btnOk", "btnCancel", "btnPrefix", "btnPostfix", "btnNew", "btnEdit", "btnDelete",
                            "btnDeleteAll", "btnExport", "btnImport", "btnSync"}) {
        auto* button = MakeWidget<QPushButton>(this, key);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    row->addLayout(buttons);
    new KeyForward(list, [&form](int key, bool alt) { return form.ListKeyDown(key, alt); });
    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    new FormBinder(form, this);
}

}  // namespace tlx4r::qt
