#include "core/frmTransfer.h"

#include "core/modBackup.h"

#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/JetTextCollation.h"
#include "db/Transaction.h"
#include "entries/modDateTime.h"
#include "hostapi/Interface.h"
#include "types/AppError.h"
#include "ui/Ui.h"

#include <exception>
#include <optional>
#include <set>

namespace tlx4r {

namespace {

const char* const kCaption = "Kelvora Reporting V4";
const char* const kNl = "\r\n";

// Codes compare as the finance database compares them in a search: without regard to case,
// trailing blanks ignored.
struct CodeLess {
    bool operator()(const std::string& a, const std::string& b) const { return db::JetTextCollation::Compare(a, b) < 0; }
};

// The accounting keeps its accounts unique by code in the index "Code"; a table recordset on it
// finds an account by Seek. false when the finance database has no such index.
bool CodeIndexSet(db::Recordset& accounts) {
    try {
        accounts.SetIndex("Code");
        return true;
    } catch (const db::DbError&) {
        return false;
    }
}

// Stores amount as the worked balance of the client account of code. With a unique index on the
// codes the account is found by Seek (one look-up per project however many accounts there are),
// otherwise by a search over the client accounts.
void BalanceWrite(db::Recordset& accounts, bool seek, const std::string& code, Currency amount) {
    if (seek)
        accounts.Seek("=", db::Value(code));
    else
        accounts.FindFirst("(Code=" + Quote(code) + ") AND (IsGeneralLedger=False)");
    if (accounts.NoMatch()) return;
    accounts.Edit();
    accounts.Set("WorkedBalance", db::Value(amount));
    accounts.Update();
}

}  // namespace

frmTransfer::frmTransfer() : ui::Form("frmTransfer", "Angefangene Arbeiten übertragen") {
    optTransferAll.SetValue(true);
    dtpDatum.SetValue(Date::Today());
    ctlProgress.SetRange(0, 100);
    ctlProgress.SetVisible(false);
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    for (ui::OptionButton* option : {&optTransferClear, &optTransferDatum, &optTransferAll})
        option->Click = [this] { OptionChanged(); };
    OptionChanged();
    btnTest.Click = [this] { Execute(false); };
    btnOk.Click = [this] { Execute(true); };
    btnCancel.Click = [this] { Hide(); };
    QueryUnload = [this](bool& cancel) { cancel = running_; };
}

void frmTransfer::Choose() { FormShowModal(*this); }

void frmTransfer::OptionChanged() { dtpDatum.SetEnabled(optTransferDatum.Value()); }

void frmTransfer::Execute(bool write) {
    {
        ui::BusyPointer busy;
        Run(write);
    }
    ui::MsgBox(summary_, ui::Buttons::Ok, ui::Icon::Information, kCaption);
    Hide();
}

void frmTransfer::Lock(bool running) {
    running_ = running;
    for (ui::Control* control : {static_cast<ui::Control*>(&grpTransfer), static_cast<ui::Control*>(&btnTest),
                                 static_cast<ui::Control*>(&btnOk), static_cast<ui::Control*>(&btnCancel)})
        control->SetEnabled(!running);
}

std::string frmTransfer::Run(bool write) {
    Lock(true);
    write_ = write;
    failed_ = false;
    ctlProgress.SetValue(0);
    ctlProgress.SetVisible(true);
    std::string text;
    try {
        text = Transfer();
    } catch (const std::exception& e) {
        failed_ = true;
        text = std::string("Abgebrochen!") + kNl + e.what();
    }
    if (!write_) text += std::string(kNl) + "(Nur Demo! Keine Daten geändert!)";
    ctlProgress.SetValue(100);
    summary_ = text;
    Lock(false);
    return text;
}

std::string frmTransfer::Transfer() {
    db::Database* reporting = goDatabase;
    if (reporting == nullptr) throw AppError(91, "Transfer", "Es ist keine Reporting Datenbank geöffnet.");
    db::Database* finance = goInterface != nullptr ? goInterface->FinanceDatabase() : nullptr;
    if (finance == nullptr) throw AppError(91, "Transfer", "Es ist keine Finanzbuchhaltung geöffnet.");

    std::optional<db::Transaction> tx;
    if (write_) {
        // Every balance is rewritten: a copy of the finance database first, outside the
        // transaction; without it the run does not start.
        BackupBefore(*finance, "transfer");
        tx.emplace(*finance);
    }
    try {
        std::string text = TransferRows(*reporting, *finance);
        if (tx) tx->Commit();
        return text;
    } catch (...) {
        // The balances written before the error stay, as the summary tells the user.
        if (tx) {
            try {
                tx->Commit();
            } catch (const std::exception&) {
                // the run's own error is the one to report
            }
        }
        throw;
    }
}

std::string frmTransfer::SumsStatement(std::optional<Date> until) {
    std::string condition = "(Entry.Archive = False)";
    if (until) condition += " AND (Entry.BookDate<=" + DateSqlLiteral(*until) + ")";
    return "SELECT  First(Project.AccountCode) as AccountCode, SUM(Entry.Charges+Entry.Expenses+Entry.Adapted-Entry."
           "Billed) AS WorkedBalance FROM Project INNER JOIN Entry ON Project.ID = Entry.ProjectID WHERE(" +
           condition + ") GROUP BY Entry.ProjectID;";
}

std::string frmTransfer::TransferRows(db::Database& reporting, db::Database& finance) {
    if (write_) finance.Execute("UPDATE Accounts SET Accounts.WorkedBalance=0;");
    if (optTransferClear.Value()) return "Alle erfassten Arbeiten auf Null gesetzt.";

    const bool until = optTransferDatum.Value();
    const Date date = dtpDatum.Value().value_or(Date::Today());
    auto sums = reporting.OpenRecordset(SumsStatement(until ? std::optional<Date>(date) : std::nullopt),
                                        db::RecordsetType::Snapshot);
    auto accounts = finance.OpenRecordset(
        "SELECT Accounts.Code As AccountCode, Accounts.WorkedBalance AS WorkedBalance FROM Accounts WHERE "
        "Accounts.IsGeneralLedger=FALSE ORDER BY Accounts.Code;",
        db::RecordsetType::Snapshot);
    std::set<std::string, CodeLess> codes;
    for (; !accounts.Eof(); accounts.MoveNext()) codes.insert(NullToString(accounts.Get("AccountCode")));

    Currency total;
    if (!sums.Eof()) {
        db::Recordset table;
        bool seek = false;
        if (write_) {
            table = finance.OpenRecordset("Accounts", db::RecordsetType::Table);
            seek = CodeIndexSet(table);
        }
        sums.MoveLast();
        const long long count = sums.RecordCount();
        sums.MoveFirst();
        for (long long row = 1; !sums.Eof(); sums.MoveNext(), ++row) {
            ctlProgress.SetValue(static_cast<int>(row * 100 / count));
            const std::string code = NullToString(sums.Get("AccountCode"));
            const Currency sum = NullToCurrency(sums.Get("WorkedBalance"));
            if (codes.count(code) > 0) {
                if (write_ && sum > Currency()) BalanceWrite(table, seek, code, sum);
                total += sum;
            }
            Flush();
            ui::Current().DoEvents();
        }
    }
    std::string text = until ? "Erfassten Arbeiten übertragen bis und mit " + date.Format("dd.mm.yyyy")
                             : std::string("Alle erfassten Arbeiten übertragen");
    return text + kNl + "im Betrag von Total" + kNl + "CHF " + AmountFormat(total);
}

}  // namespace tlx4r
