// The transfer of unbilled work into the finance database, through the dialog and its run.
#include "core/frmTransfer.h"

#include "core/AccountingFixture.h"
#include "db/Database.h"
#include "entries/Entry.h"

#include <gtest/gtest.h>

namespace tlx4r::test {
namespace {

const std::string kNl = "\r\n";
const std::string kDemo = kNl + "(Nur Demo! Keine Daten geändert!)";

class TransferTest : public AccountingFixture {
protected:
    // K100 and K200 have work, K300 none; the ledger account 1000 and the code K900 without an
    // account have projects with work that must never count.
    void Office() {
        for (const char* code : {"K100", "K200", "K300"}) Account(code);
        Account("1000", true);
        ProjectWithoutAccount("1000");
        ProjectWithoutAccount("K900");
        AddEntry(1, "K100", Entry::kCharges, D(10, 1, 2024), "100.10");
        AddEntry(2, "K100", Entry::kWork, D(5, 3, 2024), "0", "50.05");
        AddEntry(3, "K100", Entry::kCharges, D(1, 1, 2024), "1000", "0", "0", true);  // archived
        AddEntry(4, "K100", Entry::kWork, D(1, 6, 2024), "200");                      // after 31.03.
        AddEntry(5, "K200", Entry::kCharges, D(1, 2, 2024), "20", "0", "50");         // billed beyond
        AddEntry(6, "1000", Entry::kCharges, D(1, 1, 2024), "500");
        AddEntry(7, "K900", Entry::kCharges, D(1, 1, 2024), "700");
        Finance().Execute("UPDATE Accounts SET WorkedBalance = 9.99");
    }
};

TEST_F(TransferTest, TheDialogsOptionsTotalWriteOrOnlyTell) {
    Office();
    enum Option { kAll, kUntil, kClear };
    const Currency old = C("9.99"), zero;
    struct Case {
        Option option;
        bool write;
        std::string summary;
        Currency k100, k200, k300, ledger;
        int pumps;  // one per project sum read
    } cases[] = {
        {kAll, false, "Alle erfassten Arbeiten übertragen" + kNl + "im Betrag von Total" + kNl + "CHF 320.15" + kDemo,
         old, old, old, old, 4},
        {kUntil, false,
         "Erfassten Arbeiten übertragen bis und mit 31.03.2024" + kNl + "im Betrag von Total" + kNl + "CHF 120.15" +
             kDemo,
         old, old, old, old, 4},
        {kClear, false, "Alle erfassten Arbeiten auf Null gesetzt." + kDemo, old, old, old, old, 0},
        {kUntil, true,
         "Erfassten Arbeiten übertragen bis und mit 31.03.2024" + kNl + "im Betrag von Total" + kNl + "CHF 120.15",
         C("150.15"), zero, zero, zero, 4},
        {kAll, true, "Alle erfassten Arbeiten übertragen" + kNl + "im Betrag von Total" + kNl + "CHF 320.15",
         C("350.15"), zero, zero, zero, 4},
        {kClear, true, "Alle erfassten Arbeiten auf Null gesetzt.", zero, zero, zero, zero, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.summary);
        Finance().Execute("UPDATE Accounts SET WorkedBalance = 9.99");
        ui.OnForm("frmTransfer", [&](ui::Form& f) {
            auto& form = dynamic_cast<frmTransfer&>(f);
            EXPECT_EQ(form.Caption(), "Angefangene Arbeiten übertragen");
            EXPECT_TRUE(form.optTransferAll.Value());
            EXPECT_FALSE(form.dtpDatum.Enabled());
            EXPECT_FALSE(form.ctlProgress.Visible());
            if (c.option == kClear) form.optTransferClear.UserClick();
            if (c.option == kUntil) {
                form.optTransferDatum.UserClick();
                EXPECT_TRUE(form.dtpDatum.Enabled());
                form.dtpDatum.UserSetValue(D(31, 3, 2024));
            }
            (c.write ? form.btnOk : form.btnTest).UserClick();
            EXPECT_EQ(form.ctlProgress.Value(), 100);
            EXPECT_TRUE(form.ctlProgress.Visible());
        });
        ui.ExpectMessage(c.summary, ui::Answer::Ok, "Kelvora Reporting V4", ui::Icon::Information);
        const int pumps = ui.EventPumps();
        root.Transfer();
        // A run that writes first copies the finance database, which lets events run once more.
        EXPECT_EQ(ui.EventPumps() - pumps, c.pumps + (c.write ? 1 : 0));
        auto balances = Balances();
        EXPECT_EQ(balances["K100"], c.k100);
        EXPECT_EQ(balances["K200"], c.k200);
        EXPECT_EQ(balances["K300"], c.k300);
        EXPECT_EQ(balances["1000"], c.ledger);
    }
}

TEST_F(TransferTest, CancelWritesNothingAndAbbruchClosesTheDialog) {
    Office();
    ui.OnForm("frmTransfer", [](ui::Form& f) {
        auto& form = dynamic_cast<frmTransfer&>(f);
        EXPECT_EQ(Shown(form.btnCancel.Caption()), "Abbruch");
        EXPECT_TRUE(form.UserKey(27));
    });
    root.Transfer();
    EXPECT_EQ(Balances()["K100"], C("9.99"));
}

TEST_F(TransferTest, TotalsAndBalancesAgreeToTheRappenOnAmountsBinaryCannotHold) {
    // Sums of 0.10 and 0.05 drift in binary floating point; the transfer must not.
    std::int64_t expected_total = 0;
    std::map<std::string, Currency> expected;
    std::int32_t id = 0;
    Reporting().BeginTrans();
    for (int p = 0; p < 40; ++p) {
        const std::string code = "K" + std::to_string(1000 + p);
        Account(code);
        std::int64_t units = 0;
        for (int e = 0; e < 7 * p + 3; ++e) {
            AddEntry(++id, code, Entry::kCharges, D(1, 1, 2024), "0.10", "0.05", e % 5 == 0 ? "0.05" : "0", false,
                  e % 3 == 0 ? "0.10" : "0");
            units += 1000 + 500 - (e % 5 == 0 ? 500 : 0) + (e % 3 == 0 ? 1000 : 0);
        }
        expected[code] = Currency::FromUnits(units);
        expected_total += units;
    }
    Reporting().CommitTrans();

    frmTransfer form;
    const std::string summary = form.Run(true);
    EXPECT_FALSE(form.Failed());
    EXPECT_EQ(summary, "Alle erfassten Arbeiten übertragen" + kNl + "im Betrag von Total" + kNl + "CHF " +
                           Currency::FromUnits(expected_total).Format(2, true));
    auto balances = Balances();
    for (const auto& [code, sum] : expected) EXPECT_EQ(balances[code], sum) << code;
    // The host's own total over the balances agrees as well.
    auto total = Finance().OpenRecordset("SELECT Sum(WorkedBalance) FROM Accounts", db::RecordsetType::Snapshot);
    EXPECT_EQ(total.Get(0).ToCurrency(), Currency::FromUnits(expected_total));
}

TEST_F(TransferTest, AnErrorEndsTheRunAndKeepsTheBalancesWrittenBeforeIt) {
    for (const char* code : {"K100", "K200", "K300"}) Account(code);
    AddEntry(1, "K100", Entry::kCharges, D(1, 1, 2024), "10");
    AddEntry(2, "K200", Entry::kCharges, D(1, 1, 2024), "20");
    AddEntry(3, "K300", Entry::kCharges, D(1, 1, 2024), "30");
    Finance().Execute("UPDATE Accounts SET WorkedBalance = 5");
    // The accounting refuses a balance on K200, half-way through the run.
    if (ServerRun()) {
        Finance().GetEngine().Exec(
            "CREATE FUNCTION refuse_k200() RETURNS trigger LANGUAGE plpgsql AS $f$ BEGIN IF NEW.code = 'K200' AND "
            "NEW.workedbalance > 0 THEN RAISE EXCEPTION 'Konto K200 gesperrt'; END IF; RETURN NEW; END $f$; "
            "CREATE TRIGGER refuse_k200 BEFORE UPDATE OF workedbalance ON accounts FOR EACH ROW EXECUTE FUNCTION "
            "refuse_k200()");
    } else {
        Finance().GetEngine().Exec(
            "CREATE TRIGGER refuse_k200 BEFORE UPDATE OF WorkedBalance ON Accounts "
            "WHEN NEW.Code = 'K200' AND NEW.WorkedBalance > 0 BEGIN SELECT RAISE(ABORT, 'Konto K200 gesperrt'); END");
    }

    // A test run reads the same sums but writes nothing, so the refusal never comes.
    frmTransfer test;
    EXPECT_EQ(test.Run(false),
              "Alle erfassten Arbeiten übertragen" + kNl + "im Betrag von Total" + kNl + "CHF 60.00" + kDemo);

    frmTransfer form;
    const std::string summary = form.Run(true);
    EXPECT_TRUE(form.Failed());
    EXPECT_EQ(summary.rfind("Abgebrochen!" + kNl, 0), 0u) << summary;
    EXPECT_NE(summary.find("Konto K200 gesperrt"), std::string::npos) << summary;
    EXPECT_EQ(form.ctlProgress.Value(), 100);

    // Committed: another connection to the file sees the reset and K100's balance.
    db::Database other = db::Database::Open(Finance().Name());
    std::map<std::string, Currency> seen;
    auto rs = other.OpenRecordset("SELECT Code, WorkedBalance FROM Accounts", db::RecordsetType::Snapshot);
    for (; !rs.Eof(); rs.MoveNext()) seen[rs.Get(0).ToText()] = rs.Get(1).ToCurrency();
    EXPECT_EQ(seen, (std::map<std::string, Currency>{{"K100", C("10")}, {"K200", Currency()}, {"K300", Currency()}}));
}

TEST_F(TransferTest, WithoutAFinanceDatabaseTheRunIsCutShortAndSaysWhy) {
    root.SetInterface(nullptr);
    frmTransfer form;
    EXPECT_EQ(form.Run(false), "Abgebrochen!" + kNl + "Es ist keine Finanzbuchhaltung geöffnet." + kDemo);
    EXPECT_TRUE(form.Failed());
}

}  // namespace
}  // namespace tlx4r::test
