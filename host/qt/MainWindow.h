#pragma once

#include "core/Reporting.h"
#include "host/HostDocuments.h"
#include "host/HostInterface.h"
#include "host/HostOptions.h"
#include "host/HostTrace.h"
#include "qt/QtUi.h"

#include <QMainWindow>

#include <memory>
#include <optional>
#include <string>

class QLabel;
class QMessageBox;
class QLineEdit;
class QTreeWidget;

namespace tlx4r {
class frmEntriesShow;
}
namespace tlx4r::qt {
class ReportRunner;
}

namespace tlx4r::qt {

// The substitute host's main window: the office's client accounts with their projects and the
// latest entries, and the component's operations in menus and a tool bar. It plays the
// accounting program: it opens the finance database, hands the component its interface and
// calls the component's members; every dialog is the component's own.
class MainWindow : public QMainWindow {
public:
    // Opens finance when given, else the office used last; on the very first start it offers
    // to create an office or to open the demonstration office.
    explicit MainWindow(std::optional<std::string> finance = std::nullopt, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The option under which the last finance database is remembered.
    static constexpr const char* kLastFinance = "LastFinanceDatabase";

    Reporting& Root() { return *root_; }
    HostInterface& Host() { return host_; }
    // Opens an office by its finance database; false (after a message) when it cannot.
    bool OpenOffice(const std::string& finance);
    // Creates the demonstration office in the user's data folder on first use and opens it.
    bool OpenDemo();
    // The question of the very first start: a new office, an existing one, the demonstration
    // office, or later. Its buttons are named "create", "open", "demo" and "later".
    static std::unique_ptr<QMessageBox> FirstStartQuestion(QWidget* parent);
    // Re-reads accounts, entries and the status line.
    void RefreshAll();

private:
    void BuildMenus();
    void FirstStart();
    void NewOffice();
    void OpenOfficeChoose();
    void OpenOfficeOnServer();
    void AccountNew();
    void AccountEdit();
    void AccountDelete();
    void RefreshAccounts();
    void RefreshEntries();
    void EntryNew();
    void EntryEdit();
    void EntriesList();
    void OptionsEdit();
    void UserGuide();
    // Runs a component operation: its errors become messages, the lists are read again after.
    template <class F>
    void Run(F&& operation);
    std::string SelectedCode() const;
    std::int32_t ProjectOf(const std::string& code) const;

    HostOptions options_;
    HostTrace trace_;
    HostDocuments documents_;
    HostInterface host_;
    std::unique_ptr<Reporting> root_;
    std::unique_ptr<frmEntriesShow> entries_list_;
    std::unique_ptr<ReportRunner> reports_;
    QtUi ui_;
    ui::ScopedUi installed_;
    QLineEdit* search_ = nullptr;
    QTreeWidget* accounts_ = nullptr;
    QLabel* project_ = nullptr;
    QTreeWidget* entries_ = nullptr;
    QLabel* balance_ = nullptr;
};

}  // namespace tlx4r::qt
