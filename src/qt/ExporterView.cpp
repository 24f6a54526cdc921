#include "qt/ExporterView.h"

#include "qt/FormBinder.h"
#include "qt/MakeWidget.h"
#include "reporting/frmExporter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx4r::qt {

ExporterView::ExporterView(frmExporter& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* row = new QHBoxLayout(this);
    auto* formats = MakeWidget<QGroupBox>(this, "fraExportFormat");
    auto* boxes = new QVBoxLayout(formats);
    for (const char* key : {"chkXML", "chkMDB", "chkCSV", "chkTXT", "chkDBF"})
        boxes->addWidget(MakeWidget<QCheckBox>(formats, key));
    row->addWidget(formats, 1);
    auto* buttons = new QVBoxLayout;
    for (const char* key : {"btnExportStd", "btnExportAll", "btnExportNone"}) {
        auto* b = MakeWidget<QPushButton>(this, key);
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    for (const char* key : {"btnOK", "btnCancel"}) {
        auto* b = MakeWidget<QPushButton>(this, key);
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    row->addLayout(buttons);
    binder_ = new FormBinder(form, this);
}

}  // namespace tlx4r::qt
