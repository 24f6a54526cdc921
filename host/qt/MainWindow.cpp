#include "host/qt/MainWindow.h"

#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/PgName.h"
#include "db/Recordset.h"
#include "entries/Entries.h"
#include "entries/EntryTypes.h"
#include "entries/TypeCharges.h"
#include "entries/TypeExpenses.h"
#include "host/DemoData.h"
#include "host/HostAccounts.h"
#include "host/qt/ReportRunner.h"
#include "host/frmAccount.h"
#include "host/frmBackups.h"
#include "host/frmOptions.h"
#include "masterdata/Clients.h"
#include "masterdata/Datas.h"
#include "masterdata/Projects.h"
#include "reporting/frmEntriesShow.h"
#include "platform/DocumentOpener.h"
#include "platform/Folders.h"
#include "types/Utf8.h"
#include "ui/Ui.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace tlx4r::qt {

namespace {

constexpr const char* kTitle = "Kelvora Finanz – Zeiterfassung";

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string DataHome() {
    if (auto xdg = platform::EnvironmentValue("XDG_DATA_HOME"); xdg && !xdg->empty()) return *xdg;
    return platform::EnvironmentValue("HOME").value_or(".") + "/.local/share";
}

std::string DocumentsHome() {
    if (auto docs = platform::XdgDocumentsDir()) return *docs;
    return platform::EnvironmentValue("HOME").value_or(".");
}

// A list whose column `stretch` takes the room the others leave; the others fit their contents,
// so that amounts at the right edge are never cut off.
QTreeWidget* MakeList(QWidget* parent, const QStringList& headers, int stretch) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAlternatingRowColors(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setHeaderLabels(headers);
    list->header()->setStretchLastSection(false);
    for (int column = 0; column < headers.size(); ++column)
        list->header()->setSectionResizeMode(column, column == stretch ? QHeaderView::Stretch
                                                                        : QHeaderView::ResizeToContents);
    return list;
}

}  // namespace

MainWindow::MainWindow(std::optional<std::string> finance, QWidget* parent)
    : QMainWindow(parent), host_(options_, trace_, documents_), ui_(this), installed_(ui_) {
    HostInterface::CalculatorInstall();
    root_ = std::make_unique<Reporting>();
    root_->SetInterface(&host_);
    setWindowTitle(kTitle);
    resize(1100, 680);

    auto* splitter = new QSplitter(this);
    auto* left = new QWidget(splitter);
    auto* left_column = new QVBoxLayout(left);
    auto* search_row = new QHBoxLayout;
    auto* search_label = new QLabel("&Suchen:", left);
    search_ = new QLineEdit(left);
    search_->setObjectName("searchAccounts");
    search_label->setBuddy(search_);
    search_row->addWidget(search_label);
    search_row->addWidget(search_, 1);
    left_column->addLayout(search_row);
    accounts_ = MakeList(left, {"Konto", "Name", "Saldo", "HB", "JA"}, 1);
    accounts_->setObjectName("listAccounts");
    accounts_->headerItem()->setToolTip(3, "Hauptbuchkonto");
    accounts_->headerItem()->setToolTip(4, "Beim Jahresabschluss löschen");
    left_column->addWidget(accounts_, 1);

    auto* right = new QWidget(splitter);
    auto* right_column = new QVBoxLayout(right);
    project_ = new QLabel(right);
    QFont bold = project_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    project_->setFont(bold);
    right_column->addWidget(project_);
    entries_ = MakeList(right, {"Datum", "Art", "Person", "Text", "Betrag"}, 3);
    entries_->setObjectName("listEntries");
    right_column->addWidget(entries_, 1);
    balance_ = new QLabel(right);
    balance_->setAlignment(Qt::AlignRight);
    balance_->setFont(bold);
    right_column->addWidget(balance_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({430, 670});
    setCentralWidget(splitter);

    connect(search_, &QLineEdit::textChanged, this, [this] { RefreshAccounts(); });
    connect(accounts_, &QTreeWidget::currentItemChanged, this, [this] { RefreshEntries(); });
    connect(accounts_, &QTreeWidget::itemActivated, this, [this] { AccountEdit(); });
    connect(entries_, &QTreeWidget::itemActivated, this, [this] { EntryEdit(); });
    BuildMenus();

    if (finance) {
        OpenOffice(*finance);
    } else if (const std::string last = options_.Text(kLastFinance);
               !last.empty() && (db::PgName::IsServerName(last) || std::filesystem::exists(last))) {
        OpenOffice(last);
    }
    RefreshAll();
    // Asked once the window is on the screen, so that the question has something behind it.
    if (!finance && !host_.IsOpen()) QTimer::singleShot(0, this, [this] { FirstStart(); });
}

MainWindow::~MainWindow() {
    reports_.reset();
    entries_list_.reset();
    // The component first: it closes its database while the finance file is still open.
    root_.reset();
    host_.DatabaseClose();
}

void MainWindow::BuildMenus() {
    const auto action = [this](QMenu* menu, const QString& text, auto slot, QKeySequence keys = {}) {
        QAction* a = menu->addAction(text);
        if (!keys.isEmpty()) a->setShortcut(keys);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu* file = menuBar()->addMenu("&Datei");
    action(file, "&Neue Kanzlei…", [this] { NewOffice(); });
    action(file, "Kanzlei ö&ffnen…", [this] { OpenOfficeChoose(); }, QKeySequence::Open);
    action(file, "Kanzlei auf einem &Server öffnen…", [this] { OpenOfficeOnServer(); });
    action(file, "&Demo-Kanzlei öffnen", [this] {
        OpenDemo();
        RefreshAll();
    });
    file->addSeparator();
    action(file, "&Beenden", [this] { close(); }, QKeySequence::Quit);

    QMenu* accounts = menuBar()->addMenu("&Konten");
    QAction* account_new = action(accounts, "&Neues Konto…", [this] { AccountNew(); });
    action(accounts, "Konto &bearbeiten…", [this] { AccountEdit(); });
    action(accounts, "Konto &löschen", [this] { AccountDelete(); });
    action(accounts, "&Suchen", [this] { search_->setFocus(); }, QKeySequence::Find);

    QMenu* entries = menuBar()->addMenu("&Einträge");
    QAction* entry_new = action(entries, "&Neuer Eintrag…", [this] { EntryNew(); }, QKeySequence::New);
    action(entries, "Eintrag &bearbeiten…", [this] { EntryEdit(); });

    action(entries, "Einträge &auflisten…", [this] { Run([this] { EntriesList(); }); });

    QMenu* master = menuBar()->addMenu("&Stammdaten");
    action(master, "&Geschäft des Kontos…", [this] {
        Run([this] {
            if (QTreeWidgetItem* item = accounts_->currentItem())
                root_->Projects()->EditByAcc(item->text(0).toStdString(), item->text(1).toStdString());
        });
    });
    action(master, "Geschä&fte…", [this] { Run([this] { root_->Projects()->EditChoose(); }); });
    action(master, "&Klienten…", [this] { Run([this] { root_->Clients()->EditChoose(); }); });
    master->addSeparator();
    action(master, "&Personen…", [this] { Run([this] { root_->Persons()->EditAll(); }); });
    action(master, "&Abteilungen…", [this] { Run([this] { root_->Departments()->EditAll(); }); });
    action(master, "Gesc&häftsarten…", [this] { Run([this] { root_->ProjectTypes()->EditAll(); }); });
    action(master, "&Standardtexte…", [this] { Run([this] { root_->Templates()->EditAll(); }); });
    master->addSeparator();
    action(master, "Gebühre&nkategorien…", [this] { Run([this] { root_->TypeCharges()->Edit(); }); });
    action(master, "Auslagenka&tegorien…", [this] { Run([this] { root_->TypeExpenses()->Edit(); }); });

    QMenu* accounting = menuBar()->addMenu("&Buchhaltung");
    action(accounting, "&Übertrag in die Buchhaltung…", [this] { Run([this] { root_->Transfer(); }); });
    action(accounting, "Einträge &archivieren…", [this] {
        Run([this] {
            const std::int32_t project = ProjectOf(SelectedCode());
            root_->EntriesArchive(project > 0 ? std::optional<std::int32_t>(project) : std::nullopt);
        });
    });
    action(accounting, "Archivierte Einträge &löschen…", [this] { Run([this] { root_->EntriesDeleteArchive(); }); });

    reports_ = std::make_unique<ReportRunner>(*this, *root_, host_);
    QMenu* reports = menuBar()->addMenu("Be&richte");
    action(reports, "&Einträge…", [this] { Run([this] { reports_->Entries(); }); });
    action(reports, "&Arbeitsrapport des Geschäfts…", [this] { Run([this] { reports_->Work(SelectedCode(), true); }); });
    action(reports, "&Gebührenauszug des Geschäfts…", [this] { Run([this] { reports_->Work(SelectedCode(), false); }); });
    action(reports, "Geschäfts&übersicht…", [this] { Run([this] { reports_->Projects(); }); });

    QMenu* database = menuBar()->addMenu("Date&nbank");
    action(database, "&Neue Reporting-Datenbank…", [this] { Run([this] { root_->DatabaseNew(); }); });
    action(database, "Reporting-Datenbank ö&ffnen…", [this] { Run([this] { root_->DatabaseOpen(); }); });
    action(database, "&Prüfen", [this] { Run([this] { root_->Verify(); }); });
    action(database, "&Komprimieren", [this] { Run([this] { root_->DatabaseCompact(); }); });
    action(database, "K&onvertieren", [this] { Run([this] { root_->DatabaseConvert(); }); });
    action(database, "&Schliessen", [this] { Run([this] { root_->DatabaseClose(); }); });
    database->addSeparator();
    action(database, "&Datensicherungen…", [this] { Run([this] { frmBackups(*root_).ShowFor(); }); });

    QMenu* extras = menuBar()->addMenu("E&xtras");
    action(extras, "&Rechner…", [this] { Run([this] { root_->CalculatorShow(); }); });
    action(extras, "&Optionen…", [this] { OptionsEdit(); });

    QMenu* help = menuBar()->addMenu("&Hilfe");
    action(help, "&Benutzerhandbuch", [this] { UserGuide(); }, QKeySequence::HelpContents);
    action(help, "&Info…", [this] { Run([this] { root_->Info(); }); });

    QToolBar* bar = addToolBar("Werkzeuge");
    bar->setObjectName("toolBar");
    bar->addAction(entry_new);
    bar->addAction(account_new);
}

void MainWindow::OptionsEdit() {
    try {
        frmOptions(options_, *root_).Edit();
    } catch (const std::exception& e) {
        QMessageBox::critical(this, kTitle, "Die Optionen können nicht gespeichert werden.\n" + Q(e.what()));
    }
    RefreshAll();
}

void MainWindow::UserGuide() {
    // Installed beside the programs; a build tree finds it in its sources.
    const std::string installed =
        (QCoreApplication::applicationDirPath() + "/../share/doc/tlx4r/user-guide.md").toStdString();
    std::error_code ec;
    const std::string guide = std::filesystem::exists(installed, ec) ? installed : TLX4R_DOCS_SOURCE "/user-guide.md";
    if (platform::DefaultOpener().Open(guide, "") <= 32)
        QMessageBox::information(this, kTitle, "Das Benutzerhandbuch kann nicht geöffnet werden:\n" + Q(guide));
}

template <class F>
void MainWindow::Run(F&& operation) {
    try {
        if (root_->Database() == nullptr && !host_.IsOpen()) {
            QMessageBox::information(this, kTitle, "Es ist keine Kanzlei geöffnet.");
            return;
        }
        operation();
    } catch (const std::exception& e) {
        QMessageBox::critical(this, kTitle, Q(e.what()));
    }
    RefreshAll();
}

bool MainWindow::OpenOffice(const std::string& finance) {
    try {
        host_.DatabaseOpen(finance);
    } catch (const std::exception& e) {
        QMessageBox::critical(this, kTitle, "Kann Finanzbuchhaltung nicht öffnen!\n" + Q(finance) + "\n" + Q(e.what()));
        return false;
    }
    options_.SetText(kLastFinance, finance);
    return true;
}

bool MainWindow::OpenDemo() {
    const std::string folder = DataHome() + "/tlx4r/demo";
    DemoFiles files{folder + "/Kanzlei Muster 2024.tdb4f", folder + "/Kanzlei Muster Data.tdb4r"};
    if (std::filesystem::exists(files.finance)) return OpenOffice(files.finance);
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        root_->DatabaseCloseByHost();
        host_.DatabaseClose();
        files = DemoCreate(folder, host_, *root_);
        QApplication::restoreOverrideCursor();
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        QMessageBox::critical(this, kTitle, "Kann die Demo-Kanzlei nicht anlegen!\n" + Q(e.what()));
        return false;
    }
    options_.SetText(kLastFinance, files.finance);
    return true;
}

std::unique_ptr<QMessageBox> MainWindow::FirstStartQuestion(QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(
        QMessageBox::Question, kTitle,
        "Willkommen! Es ist noch keine Kanzlei geöffnet.\n\nMöchten Sie eine neue Kanzlei anlegen, "
        "eine bestehende öffnen oder die Demo-Kanzlei ausprobieren?",
        QMessageBox::NoButton, parent);
    box->addButton("&Neue Kanzlei…", QMessageBox::AcceptRole)->setObjectName("create");
    box->addButton("&Öffnen…", QMessageBox::AcceptRole)->setObjectName("open");
    QPushButton* demo = box->addButton("&Demo-Kanzlei", QMessageBox::AcceptRole);
    demo->setObjectName("demo");
    box->addButton("&Später", QMessageBox::RejectRole)->setObjectName("later");
    box->setDefaultButton(demo);
    return box;
}

void MainWindow::FirstStart() {
    auto box = FirstStartQuestion(this);
    box->exec();
    const QString chosen = box->clickedButton() ? box->clickedButton()->objectName() : QString();
    if (chosen == "create") NewOffice();
    if (chosen == "open") OpenOfficeChoose();
    if (chosen == "demo") OpenDemo();
    RefreshAll();
}

void MainWindow::NewOffice() {
    const QString path = QFileDialog::getSaveFileName(this, "Neue Kanzlei anlegen", Q(DocumentsHome() + "/Kanzlei.tdb4f"),
                                                      "Finanzbuchhaltung (*.tdb4f)");
    if (path.isEmpty()) return;
    std::string finance = path.toStdString();
    if (std::filesystem::path(finance).extension() != ".tdb4f") finance += ".tdb4f";
    const std::string reporting = std::filesystem::path(finance).replace_extension(".tdb4r").string();
    try {
        root_->DatabaseCloseByHost();
        host_.DatabaseNew(finance);
        root_->DatabaseNew(reporting);
        options_.SetText(kLastFinance, finance);
    } catch (const std::exception& e) {
        QMessageBox::critical(this, kTitle, "Kann die Kanzlei nicht anlegen!\n" + Q(e.what()));
    }
    RefreshAll();
}

void MainWindow::OpenOfficeChoose() {
    const QString path = QFileDialog::getOpenFileName(this, "Kanzlei öffnen", Q(DocumentsHome()),
                                                      "Finanzbuchhaltung (*.tdb4f);;Alle Dateien (*)");
    if (path.isEmpty()) return;
    OpenOffice(path.toStdString());
    RefreshAll();
}

// An office on a database server is named, not chosen from files (docs/server.md).
void MainWindow::OpenOfficeOnServer() {
    const std::string last = options_.Text(kLastFinance);
    const auto name = ui::Current().InputBox(
        "Name der Finanzbuchhaltung auf dem Server, z.B.\r\npostgresql://server/kanzlei/Kanzlei 2024.tdb4f\r\n"
        "(das Passwort steht in ~/.pgpass, nicht hier)",
        "Kanzlei auf einem Server öffnen", db::PgName::IsServerName(last) ? last : "postgresql://");
    if (!name || name->empty()) return;
    if (!db::PgName::IsServerName(*name)) {
        QMessageBox::warning(this, kTitle, "Ein Server-Name beginnt mit postgresql://\n" + Q(*name));
        return;
    }
    OpenOffice(*name);
    RefreshAll();
}

std::string MainWindow::SelectedCode() const {
    QTreeWidgetItem* item = accounts_->currentItem();
    return item == nullptr ? std::string() : item->text(0).toStdString();
}

std::int32_t MainWindow::ProjectOf(const std::string& code) const {
    db::Database* db = root_->Database();
    if (db == nullptr || code.empty()) return 0;
    auto rs = db->OpenRecordset("SELECT ID FROM Project WHERE AccountCode = " + Quote(code) + ";",
                                db::RecordsetType::Snapshot);
    return rs.Eof() ? 0 : NullToLong(rs.Get("ID"));
}

void MainWindow::RefreshAll() {
    QString title = kTitle;
    if (host_.IsOpen()) title += " – " + Q(std::filesystem::path(host_.FinanceDatabasePath()).stem().string());
    setWindowTitle(title);
    statusBar()->showMessage(root_->Database() != nullptr ? "Reporting: " + Q(root_->DatabaseName())
                                                          : "Keine Reporting-Datenbank geöffnet");
    RefreshAccounts();
}

void MainWindow::RefreshAccounts() {
    const std::string keep = SelectedCode();
    accounts_->clear();
    if (host_.Accounts() == nullptr) {
        RefreshEntries();
        return;
    }
    const std::string search = utf8::Lower(search_->text().toStdString());
    QTreeWidgetItem* select = nullptr;
    for (const AccountData& a : host_.Accounts()->List(true)) {
        if (!search.empty() && utf8::Lower(a.code).rfind(search, 0) != 0 &&
            utf8::Lower(a.name).find(search) == std::string::npos)
            continue;
        auto* item = new QTreeWidgetItem(accounts_, {Q(a.code), Q(a.name), Q(AmountFormat(a.worked_balance)),
                                                     a.general_ledger ? "✓" : "", a.delete_on_cloture ? "✓" : ""});
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        if (a.closed) item->setForeground(1, palette().brush(QPalette::Disabled, QPalette::Text));
        if (a.code == keep || select == nullptr) select = item;
    }
    if (select != nullptr) accounts_->setCurrentItem(select);
    RefreshEntries();
}

void MainWindow::RefreshEntries() {
    entries_->clear();
    project_->clear();
    balance_->clear();
    db::Database* db = root_->Database();
    const std::string code = SelectedCode();
    const std::int32_t project = ProjectOf(code);
    if (db == nullptr || project == 0) {
        project_->setText(code.empty() ? QString() : Q(code) + "  (kein Geschäft)");
        return;
    }
    if (QTreeWidgetItem* item = accounts_->currentItem()) project_->setText(item->text(0) + "  " + item->text(1));
    const std::string where = " WHERE ProjectID = " + std::to_string(project);
    auto rs = db->OpenRecordset("SELECT TOP 200 ID, BookDate, RecType, PersonNameShort, Text, Charges, Expenses, "
                                "Adapted, Billed, VAT FROM vEntry" + where + " ORDER BY BookDate DESC, ID DESC;",
                                db::RecordsetType::Snapshot);
    for (; !rs.Eof(); rs.MoveNext()) {
        const Currency amount = NullToCurrency(rs.Get("Charges")) + NullToCurrency(rs.Get("Expenses")) +
                                NullToCurrency(rs.Get("Adapted")) - NullToCurrency(rs.Get("Billed")) +
                                NullToCurrency(rs.Get("VAT"));
        auto* item = new QTreeWidgetItem(
            entries_, {Q(rs.Get("BookDate").IsNull() ? std::string() : rs.Get("BookDate").ToDate().Format("dd.mm.yyyy")),
                       Q(EntryTypes::EntryTopic(static_cast<int>(NullToLong(rs.Get("RecType"))))),
                       Q(NullToString(rs.Get("PersonNameShort"))), Q(NullToString(rs.Get("Text"))),
                       Q(AmountFormat(amount))});
        item->setData(0, Qt::UserRole, static_cast<int>(NullToLong(rs.Get("ID"))));
        item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
    }
    auto sums = db->OpenRecordset("SELECT Sum(Charges) AS C, Sum(Expenses) AS E, Sum(Adapted) AS A, Sum(Billed) AS B, "
                                  "Sum(VAT) AS V FROM Entry" + where + ";",
                                  db::RecordsetType::Snapshot);
    const Currency open = NullToCurrency(sums.Get("C")) + NullToCurrency(sums.Get("E")) + NullToCurrency(sums.Get("A")) -
                          NullToCurrency(sums.Get("B")) + NullToCurrency(sums.Get("V"));
    balance_->setText("Offener Saldo: CHF " + Q(AmountFormat(open)));
}

void MainWindow::AccountNew() {
    if (host_.Accounts() == nullptr) return;
    frmAccount form;
    AccountData data;
    data.level = 2;
    if (auto edited = form.Edit(data, true)) {
        Run([&] { host_.Accounts()->Create(*edited); });
        search_->clear();
        for (int i = 0; i < accounts_->topLevelItemCount(); ++i) {
            if (accounts_->topLevelItem(i)->text(0).toStdString() == edited->code)
                accounts_->setCurrentItem(accounts_->topLevelItem(i));
        }
    }
}

void MainWindow::AccountEdit() {
    if (host_.Accounts() == nullptr) return;
    auto account = host_.Accounts()->Find(SelectedCode());
    if (!account) return;
    frmAccount form;
    if (auto edited = form.Edit(account->Data(), false)) Run([&] { host_.Accounts()->Update(*edited); });
}

void MainWindow::AccountDelete() {
    const std::string code = SelectedCode();
    if (host_.Accounts() == nullptr || code.empty()) return;
    if (QMessageBox::question(this, kTitle, "Konto " + Q(code) + " löschen?\n\nDas Geschäft mit seinen Einträgen bleibt "
                                            "bis zur nächsten vollständigen Prüfung erhalten.",
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    Run([&] { host_.Accounts()->Delete(code); });
}

void MainWindow::EntryNew() {
    if (root_->Entries() == nullptr) {
        QMessageBox::information(this, kTitle, "Es ist keine Reporting-Datenbank geöffnet.");
        return;
    }
    Run([this] { root_->Entries()->EditNew(1); });
}

void MainWindow::EntriesList() {
    if (root_->Entries() == nullptr) return;
    // The list keeps its criteria for the session; a chosen entry opens in the entry form.
    if (!entries_list_) entries_list_ = std::make_unique<frmEntriesShow>();
    if (auto id = entries_list_->ChooseEntry(); id && *id > 0) root_->Entries()->EditByID(*id, 1);
}

void MainWindow::EntryEdit() {
    QTreeWidgetItem* item = entries_->currentItem();
    if (item == nullptr || root_->Entries() == nullptr) return;
    const int id = item->data(0, Qt::UserRole).toInt();
    Run([this, id] { root_->Entries()->EditByID(id, 1); });
}

}  // namespace tlx4r::qt
