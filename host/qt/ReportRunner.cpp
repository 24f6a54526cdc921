#include "host/qt/ReportRunner.h"

#include "core/Reporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "entries/Entries.h"
#include "host/HostInterface.h"
#include "host/report/EntriesReport.h"
#include "host/report/ProjectsReport.h"
#include "host/report/ReportPainter.h"
#include "host/report/ReportText.h"
#include "host/report/WorkReport.h"
#include "reporting/EntriesRange.h"
#include "reporting/EntriesSelect.h"
#include "reporting/ProjectView.h"

#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace tlx4r::qt {

ReportRunner::ReportRunner(QWidget& window, Reporting& root, HostInterface& host)
    : window_(window), root_(root), host_(host) {}

void ReportRunner::Entries() {
    if (root_.Entries() == nullptr) return;
    EntriesSelect& select = root_.Entries()->EntriesSelect();
    select.Choose(false);
    if (select.DialogCanceled) return;
    Preview(report::EntriesReport::Build(*root_.Database(), select.SQL, select.Selected));
}

void ReportRunner::Work(const std::string& account_code, bool work) {
    if (root_.Entries() == nullptr) return;
    db::Database& db = *root_.Database();
    auto rs = db.OpenRecordset("SELECT ID, AccountName FROM Project WHERE AccountCode = " + Quote(account_code) + ";",
                               db::RecordsetType::Snapshot);
    if (account_code.empty() || rs.Eof()) {
        QMessageBox::information(&window_, window_.windowTitle(), "Bitte zuerst ein Konto mit einem Geschäft wählen.");
        return;
    }
    const std::int32_t project = rs.Get(0).ToLong();
    EntriesRange& range = root_.Entries()->EntriesRange();
    range.Topic = "Geschäft";
    range.SelectedName = account_code + " " + NullToString(rs.Get(1));
    range.WorkType = work;
    range.Choose();
    if (range.DialogCanceled) return;
    Preview(report::WorkReport::Build(db, project, range));
}

void ReportRunner::Projects() {
    if (root_.ProjectView() == nullptr || root_.Database() == nullptr) return;
    ProjectView& view = *root_.ProjectView();
    view.Choose();
    if (view.DialogCanceled()) return;
    Preview(report::ProjectsReport::Build(*root_.Database(), view));
}

void ReportRunner::Preview(report::ReportDocument doc) {
    doc.office = report::OfficeName(host_, root_.DatabaseName());
    doc.printed = report::PrintedToday();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(doc.title));
    QPrintPreviewDialog preview(&printer, &window_);
    preview.setObjectName("reportPreview");
    preview.setWindowTitle(QString::fromStdString(doc.title));
    preview.resize(900, 1000);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&doc](QPrinter* target) { report::ReportPainter::Paint(doc, *target); });
    preview.exec();
}

}  // namespace tlx4r::qt
