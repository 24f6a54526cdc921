#pragma once

#include <string>

class QWidget;

namespace tlx4r {
class HostInterface;
class Reporting;
}  // namespace tlx4r
namespace tlx4r::report {
class ReportDocument;
}

namespace tlx4r::qt {

// The main window's reports: each runs the component's selection dialog, builds the report from
// what the dialog hands back and shows it in a print preview, from which the user prints it or
// saves it as PDF. Cancelling the dialog shows nothing. Errors of the database pass to the caller.
class ReportRunner {
public:
    ReportRunner(QWidget& window, Reporting& root, HostInterface& host);

    void Entries();
    // The work report (work) or the fee statement of the project of the account code; a message
    // when the account has no project.
    void Work(const std::string& account_code, bool work);
    void Projects();
    // Shows doc in a print preview over window, with the office's name and today's date.
    void Preview(report::ReportDocument doc);

private:
    QWidget& window_;
    Reporting& root_;
    HostInterface& host_;
};

}  // namespace tlx4r::qt
