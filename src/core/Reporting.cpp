#include "core/Reporting.h"

#include "core/DBReporting.h"
#include "core/DBSettings.h"
#include "core/Finance.h"
#include "core/ProgOption.h"
#include "core/frmInfo.h"
#include "core/frmTransfer.h"
#include "core/modBackup.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "entries/Entries.h"
#include "entries/TypeCharges.h"
#include "entries/TypeExpenses.h"
#include "hostapi/Calculator.h"
#include "hostapi/Interface.h"
#include "masterdata/Clients.h"
#include "masterdata/Datas.h"
#include "masterdata/OlContacts.h"
#include "masterdata/Projects.h"
#include "reporting/ItemSelect.h"
#include "reporting/ProjectView.h"
#include "types/AppError.h"
#include "types/Date.h"
#include "ui/Ui.h"

namespace tlx4r {

namespace {

const char* const kCaption = "Kelvora Reporting V4";
const char* const kNl = "\r\n";

bool IsQuiet(const std::optional<std::string>& par0) { return par0 && *par0 == "quiet"; }

ui::Answer Ask(const std::string& text, ui::Buttons buttons = ui::Buttons::YesNoCancel) {
    return ui::MsgBox(text, buttons, ui::Icon::Question, kCaption);
}

void Inform(const std::string& text) { ui::MsgBox(text, ui::Buttons::Ok, ui::Icon::Information, kCaption); }

void DoEvents() { ui::Current().DoEvents(); }

std::string OrNone(const std::string& path) { return path.empty() ? "(none)" : path; }

}  // namespace

Reporting::Reporting() {
    prog_option_ = std::make_unique<tlx4r::ProgOption>();
    Startup();
}

Reporting::Reporting(platform::SettingsStore& user, platform::SettingsStore& machine) {
    prog_option_ = std::make_unique<tlx4r::ProgOption>(user, machine);
    Startup();
}

Reporting::~Reporting() { Tini(); }

void Reporting::RequireAlive(const char* operation) const {
    if (tini_) throw AppError(91, operation, "Die Komponente wurde beendet (Objektvariable nicht festgelegt).");
}

void Reporting::Startup() {
    TraceWrite({"Initialize", "Version=" + Quote(Version())});
    goReporting = this;
    prog_option_->SetSectionRoot(ProgOption::kReportingRoot);
    try {
        if (prog_option_->LocalMachineCanWrite("")) {
            prog_option_->LocalMachineSet(ProgOption::kSectionRelease, ProgOption::kValueLegalCopyright,
                                          db::Value(LegalCopyright()));
            prog_option_->LocalMachineSet(ProgOption::kSectionRelease, ProgOption::kValueProductName,
                                          db::Value(kCaption));
            prog_option_->LocalMachineSet(ProgOption::kSectionRelease, ProgOption::kValueVersion, db::Value(Version()));
        }
    } catch (const std::exception&) {
        // the release values serve installers and support tools; the component works without
    }
    db_reporting_ = std::make_unique<DBReporting>([this] { return FinancePath(); });
    finance_ = std::make_unique<tlx4r::Finance>(*this);
    if (const auto& factory = CalculatorFactoryGet()) calculator_ = factory();
    goCalculator = calculator_.get();
    ol_contacts_ = std::make_unique<tlx4r::OlContacts>();
    ol_contacts_->Init();
    item_select_ = std::make_unique<tlx4r::ItemSelect>();
}

void Reporting::Tini() noexcept {
    item_select_.reset();
    project_view_.reset();
    if (ol_contacts_) ol_contacts_->Tini();
    ol_contacts_.reset();
    if (calculator_) {
        try {
            calculator_->Terminate();
        } catch (...) {
        }
    }
    if (goCalculator == calculator_.get()) goCalculator = nullptr;
    calculator_.reset();
    // The objects stay allocated until the destructor: a host may still hold DBSettings,
    // ProgOption or Finance, and must get "object variable not set" from them, not freed memory.
    tini_ = true;
    if (finance_) finance_->SetInterface(nullptr);
    if (db_reporting_) db_reporting_->DBClose();
    if (goReporting == this) {
        goInterface = nullptr;
        goReporting = nullptr;
    }
}

std::string Reporting::FinancePath() const { return finance_ ? finance_->DatabaseName() : std::string(); }

tlx4r::Clients* Reporting::Clients() const { return db_reporting_ ? db_reporting_->Clients() : nullptr; }
tlx4r::Entries* Reporting::Entries() const { return db_reporting_ ? db_reporting_->Entries() : nullptr; }
tlx4r::EntryTypes* Reporting::EntryTypes() const { return db_reporting_ ? db_reporting_->EntryTypes() : nullptr; }
tlx4r::Projects* Reporting::Projects() const { return db_reporting_ ? db_reporting_->Projects() : nullptr; }
Datas* Reporting::Departments() const { return db_reporting_ ? db_reporting_->Departments() : nullptr; }
Datas* Reporting::ProjectTypes() const { return db_reporting_ ? db_reporting_->ProjectTypes() : nullptr; }
Datas* Reporting::Persons() const { return db_reporting_ ? db_reporting_->Persons() : nullptr; }
Datas* Reporting::Templates() const { return db_reporting_ ? db_reporting_->Templates() : nullptr; }
tlx4r::TypeCharges* Reporting::TypeCharges() const { return db_reporting_ ? db_reporting_->TypeCharges() : nullptr; }
tlx4r::TypeExpenses* Reporting::TypeExpenses() const {
    return db_reporting_ ? db_reporting_->TypeExpenses() : nullptr;
}
tlx4r::FibuTables* Reporting::FibuTables() const { return db_reporting_ ? db_reporting_->FibuTables() : nullptr; }
tlx4r::DBSettings* Reporting::DBSettings() const { return db_reporting_ ? db_reporting_->DBSettings() : nullptr; }

hostapi::Interface* Reporting::Interface() const { return finance_ ? finance_->Interface() : nullptr; }

void Reporting::SetInterface(hostapi::Interface* host) {
    if (tini_ && host != nullptr) RequireAlive("SetInterface");
    goInterface = host;
    if (finance_) finance_->SetInterface(host);
}

db::Database* Reporting::Database() const { return db_reporting_ ? db_reporting_->Database() : nullptr; }

std::string Reporting::DatabaseName() const { return db_reporting_ ? db_reporting_->DatabaseName() : std::string(); }

std::string Reporting::Version() const { return VersionText(kVersionMajor, kVersionMinor, kVersionRevision); }

void Reporting::Info() {
    RequireAlive("Info");
    frmInfo form;
    form.ShowInfo("Reporting (" + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
                  std::to_string(kVersionRevision) + " - " + ReleaseDate() + ")");
}

bool Reporting::DatabaseDisconnectAsk(const std::optional<std::string>& database) {
    if (!finance_ || finance_->ReportingDB().empty()) return false;
    if (database && *database == finance_->ReportingDB()) return false;
    const ui::Answer answer = Ask(std::string("Wollen Sie die Verbindung mit der bisherigen Reporting Datenbank") + kNl +
                                      finance_->ReportingDB() + kNl + "wirklich unterbrechen?",
                                  ui::Buttons::YesNo);
    if (answer != ui::Answer::Yes) return true;
    DatabaseCloseExec();
    finance_->SetReportingDB("");
    return false;
}

std::string Reporting::DatabaseFileChoose(bool is_new, bool finance, const std::string& path) {
    const std::string base = finance ? "Finanzbuchhaltung" : "Gebührenbuchhaltung";
    ui::FileDialogRequest request;
    request.mode = is_new ? ui::FileDialogRequest::Mode::Save : ui::FileDialogRequest::Mode::Open;
    request.title = is_new ? "Neue " + base + " erstellen" : base + " öffnen";
    request.filters = {{finance ? "Kelvora Finance Datenbank (*.tdb4f)" : "Kelvora Reporting Datenbank (*.tdb4r)",
                        finance ? "*.tdb4f" : "*.tdb4r"},
                       {"Microsoft Access (*.mdb)", "*.mdb"},
                       {"Alle (*.*)", "*.*"}};
    request.default_ext = finance ? ".tdb4f" : ".tdb4r";
    request.file_name = FileNameOf(path);
    request.initial_dir = PathOf(path);
    request.must_exist = !is_new;
    request.confirm_overwrite = is_new;
    return ui::Current().FileDialog(request).value_or("");
}

void Reporting::DatabaseOpenExec(bool ask, bool is_new, std::string path) {
    if (ask) path = DatabaseFileChoose(is_new, false, path);
    if (path.empty()) return;
    TraceWrite({"DBOpen", "1", path});
    bool opened = false;
    try {
        if (is_new)
            db_reporting_->DBNew(path);
        else
            db_reporting_->DBOpen(path);
        opened = true;
    } catch (const std::exception& e) {
        ui::MsgBox(std::string("Kann Reporting Datenbank nicht ") + (is_new ? "erstellen!" : "öffnen!") + kNl + path +
                       kNl + e.what(),
                   ui::Buttons::Ok, ui::Icon::Critical, kCaption);
        DatabaseDisconnectAsk(std::nullopt);
    }
    if (opened) {
        // Opening completes or leaves nothing open: a later step that fails closes the database
        // again and says why.
        bool announced = false;
        try {
            finance_->SetReportingDB(db_reporting_->DatabaseName());
            // A write-protected database opens for reading; it cannot note its finance database.
            if (!db_reporting_->Database()->ReadOnly())
                db_reporting_->DBSettings()->Value("FinanceDatabase", db::Value(FileNameOf(finance_->DatabaseName())));
            db_reporting_->DBrsClose();
            announced = true;
            events_.DatabaseOpen.Raise();
            db_reporting_->DBrsOpen();
            project_view_ = std::make_unique<tlx4r::ProjectView>();
        } catch (const std::exception& e) {
            const std::string what = e.what();
            if (announced) {
                try {
                    events_.DatabaseClose.Raise();
                } catch (const std::exception&) {
                    // the host hears of the close; its own trouble with it changes nothing here
                }
            }
            db_reporting_->DBClose();
            TraceWrite({"DBOpen", "failed", path, what});
            ui::MsgBox(std::string("Kann Reporting Datenbank nicht öffnen!") + kNl + path + kNl + what, ui::Buttons::Ok,
                       ui::Icon::Critical, kCaption);
        }
    }
    TraceWrite({"DBOpen", "2", DatabaseName()});
}

void Reporting::DatabaseOpen(const std::optional<std::string>& database) {
    RequireAlive("DatabaseOpen");
    if (DatabaseDisconnectAsk(database)) return;
    if (!database)
        DatabaseOpenExec(true, false, PathOf(finance_->DatabaseName()));
    else
        DatabaseOpenExec(false, false, *database);
    TraceWrite({"DatabaseOpen", "1", OrNone(DatabaseName())});
}

void Reporting::DatabaseNew(const std::optional<std::string>& database) {
    RequireAlive("DatabaseNew");
    if (DatabaseDisconnectAsk(database)) return;
    if (!database) {
        const std::string finance = finance_->DatabaseName();
        std::string base = BaseNameOf(finance);
        const long keep = StrCharFind(base, "1234567890- ", true, true);
        base = StrMidSafe(base, 1, keep);
        DatabaseOpenExec(true, true, PathOf(finance) + base + " Data");
    } else {
        DatabaseOpenExec(false, true, *database);
    }
    if (Database() != nullptr) TraceWrite({"DatabaseNew", "1", DatabaseName()});
}

void Reporting::DatabaseClose() {
    RequireAlive("DatabaseClose");
    TraceWrite({"DatabaseClose", "1", DatabaseName()});
    DatabaseDisconnectAsk(std::string());
}

void Reporting::DatabaseCloseExec() {
    // The overview's dialog reads the database it was made on.
    project_view_.reset();
    events_.DatabaseClose.Raise();
    try {
        TraceWrite({"DBClose", "1", DatabaseName()});
        db_reporting_->DBClose();
    } catch (...) {
    }
}

void Reporting::DatabaseReopen() {
    if (tini_ || !finance_ || finance_->ReportingDB().empty()) return;
    try {
        DatabaseOpenExec(false, false, finance_->ReportingDB());
    } catch (...) {
        // the host's open must go on whatever the reporting database does
    }
}

void Reporting::DatabaseCloseByHost() {
    if (!tini_) DatabaseCloseExec();
}

bool Reporting::DatabaseCompact(const std::optional<std::string>& par0) {
    RequireAlive("DatabaseCompact");
    try {
        if (IsQuiet(par0)) {
            TraceWrite({"DatabaseCompact", "1", DatabaseName()});
            db_reporting_->Compact();
            return true;
        }
        if (Ask(std::string("Datenbank wird komprimiert (aufgeräumt und verkleinert)!") + kNl +
                "Ist die Datenbank gesichert worden?" + kNl + "Wollen Sie weiterfahren?") != ui::Answer::Yes)
            return false;
        {
            ui::BusyPointer busy;
            TraceWrite({"DatabaseCompact", "1", DatabaseName()});
            events_.DatabaseClose.Raise();
            db_reporting_->Compact();
            events_.DatabaseOpen.Raise();
        }
        Inform("Komprimieren beendet!");
        return true;
    } catch (const std::exception& e) {
        ui::MsgBox(std::string("Komprimieren fehlgeschlagen!") + kNl + e.what(), ui::Buttons::Ok, ui::Icon::Critical,
                   kCaption);
        return false;
    }
}

bool Reporting::DatabaseConvert(const std::optional<std::string>& par0) {
    RequireAlive("DatabaseConvert");
    if (Database() == nullptr) {
        ui::MsgBox(std::string("Kann nicht konvertieren, da keine") + kNl + "Reporting Datenbank geöffnet ist!",
                   ui::Buttons::Ok, ui::Icon::Exclamation, kCaption);
        return false;
    }
    if (IsQuiet(par0)) {
        TraceWrite({"DatabaseConvert", "1", DatabaseName()});
        return db_reporting_->Convert(par0).empty();
    }
    if (Ask(std::string("Datenbank wird konvertiert (ins neue Datenbankformat)!") + kNl +
            "Ist die Datenbank gesichert worden?" + kNl + "Wollen Sie weiterfahren?") != ui::Answer::Yes)
        return true;
    std::string message;
    {
        ui::BusyPointer busy;
        TraceWrite({"DatabaseConvert", "1", DatabaseName()});
        message = db_reporting_->Convert(par0);
    }
    Inform("Konvertieren beendet!");
    return message.empty();
}

db::Value Reporting::Verify(const std::optional<std::string>& par0, const std::optional<std::string>& par1) {
    RequireAlive("Verify");
    if (Database() == nullptr) throw AppError(91, "Verify", "Es ist keine Reporting Datenbank geöffnet.");
    if (IsQuiet(par0)) {
        if (par1 && *par1 == "full") {
            BackupBefore(*Database(), "verify-full");
            db_reporting_->DBrsClose();
            events_.VerifyStart.Raise();
            db_reporting_->DBAssert(true);
            events_.VerifyExecute.Raise();
            events_.VerifyStop.Raise();
            db_reporting_->DBrsOpen();
        }
        VerifyAll(par1 && *par1 == "full");
        return {};
    }
    if (Ask(std::string("Datenbank wird verifiziert (Datenkontrolle und -reparatur)!") + kNl +
            "Ist die Datenbank gesichert worden?" + kNl + "Wollen Sie weiterfahren?") != ui::Answer::Yes)
        return {};
    bool remove = false;
    ui::Answer keep = Ask(std::string("Beim Verifizieren können Sie Optional auch die Geschäfte löschen lassen,") + kNl +
                          "die in der aktuellen Datenbank kein zugehöriges Klientenkonto mehr haben." + kNl + kNl +
                          "Wollen Sie diese Geschäfte trotzdem behalten?");
    if (keep == ui::Answer::Cancel) return {};
    if (keep == ui::Answer::No) {
        ui::Answer second = Ask(std::string("Wollen Sie jetzt die Geschäfte löschen lassen, die in der aktuellen") +
                                kNl + "Datenbank kein zugehöriges Klientenkonto mehr haben?");
        if (second == ui::Answer::Cancel) return {};
        remove = second == ui::Answer::Yes;
    }
    if (remove) {
        auto rs = Database()->OpenRecordset(
            "SELECT Count(ID) AS ToBeDeleted FROM Project WHERE (AccountCode NOT IN (SELECT Code FROM " +
                Bracket(FinancePath()) + ".Accounts) );",
            db::RecordsetType::Snapshot);
        const long long count = rs.Get("ToBeDeleted").IsNull() ? 0 : rs.Get("ToBeDeleted").ToLong();
        if (count > 0) {
            ui::Answer really = Ask("Wollen sie wirklich die " + CountFormat(count) +
                                    " Geschäfte löschen lassen, die in der" + kNl +
                                    "aktuellen Datenbank kein zugehöriges Klientenkonto mehr haben?" + kNl + kNl +
                                    "VORSICHT: Dieser Vorgang kann nicht mehr rückgängig gemacht werden!" + kNl + kNl +
                                    "Wollen Sie diese Geschäfte dennoch löschen?");
            if (really == ui::Answer::Cancel) return {};
            remove = really == ui::Answer::Yes;
        } else {
            ui::MsgBox("Keine Geschäfte zum Löschen gefunden!", ui::Buttons::Ok, ui::Icon::Exclamation, kCaption);
            remove = false;
        }
    }
    if (remove) BackupBefore(*Database(), "verify-full");
    {
        ui::BusyPointer busy;
        db_reporting_->DBrsClose();
        events_.VerifyStart.Raise();
        db_reporting_->DBAssert(true);
        events_.VerifyExecute.Raise();
        events_.VerifyStop.Raise();
        db_reporting_->DBrsOpen();
        DoEvents();
        VerifyAll(remove);
    }
    Inform("Verifizieren beendet!");
    return {};
}

void Reporting::VerifyAll(bool full) {
    const auto step = [](auto&& action) {
        DoEvents();
        action();
        DoEvents();
    };
    step([&] { Clients()->Verify(); });
    step([&] { Persons()->Verify(); });
    step([&] { Projects()->Verify(full, FinancePath()); });
    step([&] { Entries()->Verify(); });
    step([&] { TypeCharges()->Verify(); });
    step([&] { TypeExpenses()->Verify(); });
    step([&] { Templates()->Verify(); });
}

void Reporting::Transfer() {
    frmTransfer form;
    form.Choose();
}

void Reporting::EntriesArchive(std::optional<std::int32_t> project_id, std::optional<Date> date_to) {
    if (Entries() == nullptr) throw AppError(91, "EntriesArchive", "Es ist keine Reporting Datenbank geöffnet.");
    Entries()->Archive(project_id, date_to);
}

void Reporting::EntriesDeleteArchive() {
    if (Entries() == nullptr) throw AppError(91, "EntriesDeleteArchive", "Es ist keine Reporting Datenbank geöffnet.");
    Entries()->DeleteArchive();
}

db::Value Reporting::DebugMode(const std::vector<db::Value>& args) {
    if (args.size() > 10) throw AppError(450, "DebugMode", "Falsche Anzahl an Argumenten.");
    return {};
}

db::Value Reporting::ServiceEntry(const std::vector<db::Value>& args) {
    if (args.size() > 10) throw AppError(450, "ServiceEntry", "Falsche Anzahl an Argumenten.");
    return {};
}

bool Reporting::CalculatorShow() {
    RequireAlive("CalculatorShow");
    if (goCalculator == nullptr) throw AppError(91, "CalculatorShow", "Es ist kein Tarifrechner vorhanden.");
    return goCalculator->Show(Date::Now());
}

}  // namespace tlx4r
