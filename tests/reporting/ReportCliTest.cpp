// tlx4r report run as a user runs it, on a reporting database the test fills.
#include "reporting/frmEntriesSelect.h"
#include "reporting/ReportsDb.h"
#include "support/RunProgram.h"

#include <fstream>
#include <sstream>

namespace tlx4r::test {
namespace {

class ReportCli : public ReportsDb {
protected:
    void SetUp() override {
        ReportsDb::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;  // no test server, or no database
        std::vector<EntryRow> rows;
        // Project 1100.001 (even entries): A, T, A, A; project 1100.002 (odd): G, A, G, N.
        const char* const types[] = {"", "G  ", "A  ", "A  ", "T  ", "G  ", "A  ", "N  ", "A  "};
        for (int i = 1; i <= 8; ++i) {
            EntryRow e;
            e.id = i;
            e.project = 1 + i % 2;
            e.person = 1 + i % 2;
            e.rec_type_text = types[i];
            e.book_date = Date::FromYmd(2024, 3, i);
            e.text = "Eintrag " + std::to_string(i);
            e.charges = Currency::FromUnits(1000000LL * i);  // 100.00 × i
            e.time_from = 8.0 / 24;
            e.time_to = (8.0 + i) / 24;
            rows.push_back(e);
        }
        InsertEntries(rows);
        Db().Execute("CREATE TABLE Accounts (ID Long, Code Text(50), Name Text(50))");
        Db().Execute("INSERT INTO Accounts (ID, Code, Name) VALUES (1, \"1100.001\", \"Bachmann\")");
        Db().Execute("UPDATE Project SET DateEnd = #06/30/2024# WHERE ID = 1");
    }

    // The statement and summary the dialog itself gives after the user's clicks.
    std::string DialogAnswer(const std::function<void(frmEntriesSelect&)>& clicks) {
        frmEntriesSelect form;
        form.SetTypeStd();
        form.Show(false);
        clicks(form);
        form.Hide();
        return form.SQL() + "\n" + form.lblSelected.Caption() + "\n";
    }

    Outcome Report(std::vector<std::string> args) {
        args.insert(args.begin() + 1, File());
        args.insert(args.begin(), "report");
        return RunProgram(TLX4R_CLI, args, dir);
    }
    // The command line opens the file itself.
    void Release() { root.DatabaseCloseByHost(); }
};

TEST_F(ReportCli, SqlIsExactlyTheDialogsStatementAndSummary) {
    const std::string defaults = DialogAnswer([](frmEntriesSelect&) {});
    const std::string full = DialogAnswer([](frmEntriesSelect& f) {
        f.tabSelect.UserSelect(3);
        f.btnSelNone.UserClick();
        f.cbT.UserClick();
        f.cbA.UserClick();
        f.cbArchive.UserClick();
        f.cbArchive.UserClick();
        f.tabSelect.UserSelect(0);
        f.txtTextSearch.UserType("Brief \"Huber\"");
        f.optText[1].UserClick();
        f.tabSelect.UserSelect(1);
        f.optSortItem[1].UserClick();
        f.optSortDirection[1].UserClick();
        f.cbxCount.UserSelect(3);
        f.DateRange.SetFromTo(Date::FromYmd(2024, 3, 1), Date::FromYmd(2024, 3, 31));
        f.SetProject(2);
        f.SetPerson(1);
    });
    const std::string archived_to = DialogAnswer([](frmEntriesSelect& f) {
        f.tabSelect.UserSelect(3);
        f.cbArchive.UserClick();
        f.DateRange.SetFromTo(std::nullopt, Date::FromYmd(2024, 3, 4));
    });
    Release();

    auto out = Report({"entries", "--sql"});
    ASSERT_EQ(out.exit_code, 0) << out.err;
    EXPECT_EQ(out.out, defaults);
    out = Report({"entries", "--types", "ta", "--archive", "all", "--text", "Brief \"Huber\"", "--match", "begins",
                  "--sort", "entry", "--reverse", "--max", "50", "--from", "01.03.2024", "--to", "31.03.2024",
                  "--project", "1100.002", "--person", "MS", "--sql"});
    ASSERT_EQ(out.exit_code, 0) << out.err;
    EXPECT_EQ(out.out, full);
    out = Report({"entries", "--archive", "yes", "--to", "04.03.2024", "--sql"});
    EXPECT_EQ(out.out, archived_to);
}

TEST_F(ReportCli, BadOptionsExitTwoNamingTheOption) {
    Release();
    const std::string csv = dir.File("out.csv");
    struct Case {
        std::vector<std::string> args;
        const char* named;
    };
    const std::vector<Case> cases{
        {{"entries", "--types", "AX", "--csv", csv}, "--types"},
        {{"entries", "--from", "31.02.2024", "--csv", csv}, "--from"},
        {{"entries", "--to", "2024-03-01", "--csv", csv}, "--to"},
        {{"entries", "--project", "9999.999", "--csv", csv}, "--project"},
        {{"entries", "--person", "ZZ", "--csv", csv}, "--person"},
        {{"entries", "--archive", "maybe", "--csv", csv}, "--archive"},
        {{"entries", "--max", "30", "--csv", csv}, "--max"},
        {{"entries", "--colour", "red"}, "--colour"},
        {{"entries", "--csv", csv, "--pdf", dir.File("out.pdf")}, "--pdf"},
        {{"work"}, "--project"},
        {{"projects", "--closed", "01.01.2024..31.13.2024"}, "--closed"},
        {{"projects", "--group", "client"}, "--group"},
    };
    for (const Case& c : cases) {
        auto out = Report(c.args);
        EXPECT_EQ(out.exit_code, 2) << c.named << "\n" << out.err;
        EXPECT_NE(out.err.find(c.named), std::string::npos) << out.err;
        EXPECT_FALSE(std::filesystem::exists(csv)) << c.named;
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.pdf")));
    }
}

TEST_F(ReportCli, RowsAsTableWithTotalsAsCsvAndAsWorkReport) {
    Release();
    auto out = Report({"entries", "--types", "A", "--project", "1100.001"});
    ASSERT_EQ(out.exit_code, 0) << out.err;
    // Entries 2, 6 and 8 are "Arbeitszeit" of 1100.001: 100.00 × i and i hours each.
    EXPECT_NE(out.out.find("Geschäft: 1100.001 Bachmann Immobilien AG"), std::string::npos) << out.out;
    EXPECT_NE(out.out.find("Eintrag 8"), std::string::npos);
    EXPECT_EQ(out.out.find("Eintrag 4"), std::string::npos);
    EXPECT_EQ(out.out.find("Eintrag 3"), std::string::npos);
    const auto totals = out.out.substr(out.out.rfind("Total"));
    EXPECT_NE(totals.find("3 Einträge"), std::string::npos) << totals;
    EXPECT_NE(totals.find("1,600.00"), std::string::npos) << totals;
    EXPECT_NE(totals.find("16:00"), std::string::npos) << totals;

    const std::string csv = dir.File("Auszug.csv");
    out = Report({"entries", "--types", "A", "--sort", "entry", "--reverse", "--max", "10", "--csv", csv});
    ASSERT_EQ(out.exit_code, 0) << out.err;
    std::ifstream in(csv);
    std::string header, first;
    std::getline(in, header);
    std::getline(in, first);
    EXPECT_EQ(header, "ID,Kurz,Datum,Typ,Text,Total,Stunden,Ansatz,Konto,Geschäft,Person\r");
    EXPECT_EQ(first, "8,MS,08.03.2024,A  ,Eintrag 8,800.00,08:00,0.00,1100.001,Bachmann Immobilien AG,Max Sutter\r");

    out = Report({"work", "--project", "1100.001", "--from", "01.03.2024", "--to", "06.03.2024"});
    ASSERT_EQ(out.exit_code, 0) << out.err;
    EXPECT_NE(out.out.find("Arbeitsrapport: 1100.001 Bachmann Immobilien AG"), std::string::npos) << out.out;
    EXPECT_NE(out.out.find("Eintrag 2"), std::string::npos);   // A, in range
    EXPECT_NE(out.out.find("Eintrag 6"), std::string::npos);   // A, last day of the range
    EXPECT_EQ(out.out.find("Eintrag 4"), std::string::npos);   // T
    EXPECT_EQ(out.out.find("Eintrag 8"), std::string::npos);   // after the range
    EXPECT_EQ(out.out.find("Eintrag 3"), std::string::npos);   // another project
    out = Report({"work", "--project", "1100.001", "--fees"});
    EXPECT_NE(out.out.find("Gebührenauszug"), std::string::npos) << out.out;
    EXPECT_EQ(out.out.find("Eintrag 4"), std::string::npos);  // GAN: no "Termin"
}

TEST_F(ReportCli, ProjectsPrintTheOverviewsStatementThenItsDescription) {
    Release();
    auto out = Report({"projects", "--group", "department", "--order", "opened", "--desc", "--closed", "empty",
                       "--sql"});
    ASSERT_EQ(out.exit_code, 0) << out.err;
    std::istringstream lines(out.out);
    std::string sql, description, rest;
    std::getline(lines, sql);
    std::getline(lines, description);
    EXPECT_FALSE(std::getline(lines, rest));
    EXPECT_EQ(sql.substr(sql.find(" WHERE")),
              " WHERE ((DateEnd Is Null)) ORDER BY DepartmentID, DateBegin DESC, AccountCode;");
    EXPECT_EQ(description,
              "Gruppiert: Abteilung / Sortiert: Eröffnung (absteigend), Konto / Abschluss: Nur leeres Datum / "
              "Anzahl = 2");
    out = Report({"projects", "--accounts", "with"});
    ASSERT_EQ(out.exit_code, 0) << out.err;
    EXPECT_NE(out.out.find("1100.001"), std::string::npos);
    EXPECT_EQ(out.out.find("1100.002"), std::string::npos);
    EXPECT_NE(out.out.find("1 Geschäfte"), std::string::npos) << out.out;
}

TEST_F(ReportCli, PdfHoldsTheSelectedRowsAndTheirTotal) {
    Release();
    const std::string pdf = dir.File("Einträge.pdf");
    auto out = Report({"entries", "--types", "A", "--project", "1100.001", "--pdf", pdf});
    if (!TLX4R_HAS_PDF) {
        EXPECT_EQ(out.exit_code, 2);
        EXPECT_NE(out.err.find("no PDF output"), std::string::npos) << out.err;
        EXPECT_FALSE(std::filesystem::exists(pdf));
        return;
    }
    ASSERT_EQ(out.exit_code, 0) << out.err;
    const Outcome text = RunProgram("pdftotext", {"-layout", pdf, "-"}, dir);
    ASSERT_EQ(text.exit_code, 0) << text.err;
    EXPECT_NE(text.out.find("Geschäft: 1100.001 Bachmann Immobilien AG / Sortiert"), std::string::npos) << text.out;
    for (const char* shown : {"Eintrag 2", "Eintrag 6", "Eintrag 8", "08.03.2024", "3 Einträge", "16:00", "1'600.00",
                              "Seite 1 von 1"})
        EXPECT_NE(text.out.find(shown), std::string::npos) << shown << "\n" << text.out;
    EXPECT_EQ(text.out.find("Eintrag 3"), std::string::npos);
}

}  // namespace
}  // namespace tlx4r::test
