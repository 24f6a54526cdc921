#pragma once

#include "ui/Controls.h"

#include "types/Date.h"

#include <optional>
#include <string>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

// The transfer of unbilled work into the accounting: the value of the entries that are neither
// billed nor archived, summed per project, becomes the worked balance of the project's client
// account in the host's finance database. "Testen" computes the same summary without writing.
//
// A run needs the open reporting database and the host's open finance database; it writes the
// finance database in one transaction, which is committed even when an error ends the run, so
// that the balances written before the error stay written (as the summary says).
class frmTransfer : public ui::Form {
public:
    frmTransfer();

    ui::Label Label1{*this, "Label1",
                     "Die erfassten Arbeiten gemäss Gebührenerfassung werden zur Anrechnung beim Deckungsnachweis "
                     "den Klientenkonti in Kelvora Finance zugewiesen."};
    ui::Frame grpTransfer{*this, "grpTransfer", "Angefangene Arbeiten"};
    ui::OptionButton optTransferClear{*this, "optTransferClear", "Alle erfassten Arbeiten auf &Null setzten.",
                                      &grpTransfer};
    ui::OptionButton optTransferDatum{*this, "optTransferDatum", "Übertragen bis und mit &Datum", &grpTransfer};
    ui::DatePicker dtpDatum{*this, "dtpDatum", &grpTransfer};
    ui::OptionButton optTransferAll{*this, "optTransferAll", "A&lle übertragen", &grpTransfer};
    ui::ProgressBar ctlProgress{*this, "ctlProgress"};
    ui::Button btnTest{*this, "btnTest", "&Testen"};
    ui::Button btnOk{*this, "btnOk", "OK"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbruch"};

    // Shows the dialog modally (Reporting.Transfer).
    void Choose();

    // One run with the chosen option, writing into the finance database iff write; what the
    // buttons do before they show the summary. Returns the summary; never throws (an error ends
    // the run with "Abgebrochen!" and its description). While it runs, the options and buttons
    // are disabled and the window cannot be closed, since the run lets pending events run.
    std::string Run(bool write);
    // Of the last run: its summary, and whether an error cut it short.
    const std::string& Summary() const { return summary_; }
    bool Failed() const { return failed_; }
    // The per-project sums of the entries that are not archived (up to until when given), as
    // the transfer reads them.
    static std::string SumsStatement(std::optional<Date> until);

private:
    void OptionChanged();
    void Execute(bool write);
    std::string Transfer();
    std::string TransferRows(db::Database& reporting, db::Database& finance);

    void Lock(bool running);

    bool write_ = false;
    bool running_ = false;
    std::string summary_;
    bool failed_ = false;
};

}  // namespace tlx4r
