// `tlx4r play` on the demonstration office: a script records one entry of every record type
// through the entry form, and the rows in the database are what the form showed.
#include "db/TempDb.h"
#include "support/RunProgram.h"
#include "types/Currency.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace tlx4r {
namespace {

using db::test::TempDir;
using test::Outcome;

class PlayCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto demo = Tlx4r({"demo", dir.File("demo")});
        ASSERT_EQ(demo.exit_code, 0) << demo.err;
    }
    Outcome Tlx4r(const std::vector<std::string>& args) { return test::RunProgram(TLX4R_CLI, args, dir); }
    Outcome Play(const std::string& script) {
        const std::string file = dir.File("script.txt");
        std::ofstream(file) << script;
        return Tlx4r({"play", reporting, "--finance", finance, file});
    }
    // The "NAME=VALUE" lines after each "form:" line of a show, one map per show.
    static std::vector<std::map<std::string, std::string>> Shows(const std::string& out) {
        std::vector<std::map<std::string, std::string>> shows;
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("form: ", 0) == 0) {
                shows.emplace_back();
            } else if (!shows.empty() && line.find('=') != std::string::npos && line.find(": ") == std::string::npos) {
                shows.back()[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
            }
        }
        return shows;
    }

    TempDir dir;
    std::string finance = dir.File("demo/Kanzlei Muster 2024.tdb4f");
    std::string reporting = dir.File("demo/Kanzlei Muster Data.tdb4r");
};

TEST_F(PlayCliTest, RecordsEveryRecordTypeAndTheRowsMatchTheForm) {
    const std::string document = dir.File("Vertrag.odt");
    std::ofstream(document) << "Entwurf";
    const std::string script =
        "start Entries.EditNew\n"
        "set ListView1 G\nclick btnOk\n"
        "click btnProjectChoose\nset lvwAccounts 1100.004\nclick btnOk\n"
        "set txtText Beglaubigung\nset txtCharges 60\nset txtExpenses 4.50\nclick btnSave\nshow\n"
        "click btnNew\nset ListView1 R\nclick btnOk\n"
        "set txtAdapted -0.35\nclick btnCalc\nclick btnSave\nshow\n"
        "click btnNew\nset ListView1 A\nclick btnOk\n"
        "set txtTimeFrom 800\nset txtTimeTo 1215\nset txtTimeBreak 0:15\nset txtRate 120\nleave txtRate\n"
        "set txtText Besprechung\nclick btnSave\nshow\n"
        "click btnNew\nset ListView1 T\nclick btnOk\n"
        "set txtTimeFrom 14:30\nset txtTimeTo 15:45\nset txtText Beurkundung\nclick btnSave\nshow\n"
        "click btnNew\nset ListView1 D\nclick btnOk\n"
        "file " + document + "\nclick btnDocLinkChoose\nclick btnSave\nshow\n"
        "click btnNew\ninput 250000\nanswer Ja\nset ListView1 N\nclick btnOk\nclick btnSave\nshow\n"
        "click btnNew\nset ListView1 M\nclick btnOk\n"
        "set txtVATSold 1000\nset txtVATRate 8\nclick btnSave\nshow\n"
        "click btnClose\n";
    auto played = Play(script);
    ASSERT_EQ(played.exit_code, 0) << played.err << played.out;
    auto shows = Shows(played.out);
    ASSERT_EQ(shows.size(), 7u) << played.out;

    std::ostringstream ids;
    for (const auto& s : shows) ids << (ids.tellp() > 0 ? "," : "") << s.at("txtID");
    auto rows = Tlx4r({"sql", reporting,
                       "SELECT ID, RecType, [Charges]+[Expenses]+[Adapted]-[Billed]+[VAT] AS Total, Text FROM Entry "
                       "WHERE ID IN (" + ids.str() + ") ORDER BY ID"});
    ASSERT_EQ(rows.exit_code, 0) << rows.err;
    std::istringstream lines(rows.out);
    std::string line;
    std::getline(lines, line);  // the header
    for (int type = 1; type <= 7; ++type) {
        const auto& shown = shows[static_cast<std::size_t>(type - 1)];
        ASSERT_TRUE(std::getline(lines, line)) << rows.out;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream fields(line);
        std::string id, rec_type, total, text;
        std::getline(fields, id, ',');
        std::getline(fields, rec_type, ',');
        std::getline(fields, total, ',');
        std::getline(fields, text);
        if (text.size() >= 2 && text.front() == '"') text = text.substr(1, text.size() - 2);
        EXPECT_EQ(id, shown.at("txtID"));
        EXPECT_EQ(rec_type, std::to_string(type));
        EXPECT_EQ(text, shown.at("txtText")) << "record type " << type;
        const std::string shown_total = shown.count("txtTotal.visible") ? "0" : shown.at("txtTotal");
        EXPECT_EQ(Currency::Parse(total.empty() ? "0" : total), Currency::Parse(shown_total))
            << "record type " << type << ": " << line;
    }
    EXPECT_EQ(shows[2].at("txtCharges"), "480.00");
    EXPECT_EQ(shows[5].at("txtText"), "Bemessungsgrundlage CHF 250,000.00");
    EXPECT_EQ(shows[6].at("txtText"), "MWST 8.00% auf 1,000.00 = 80.00");
    EXPECT_NE(played.out.find("result: Entry.RecType=7"), std::string::npos);
}

TEST_F(PlayCliTest, ANewClientTakesOverTwoProjectsAndAPersonsRateRises) {
    const std::string script =
        "start Clients.EditNew\n"
        "set txtKeyName Treuhand Aare AG\nset txtCompany Treuhand Aare AG\nset txtCity Bern\nclick btnSave\n"
        "click btnProjects\nclick optLinked(2)\n"
        "set txtProject 1100.001\nanswer Nein\nclick btnLinkReplace\n"
        "set txtProject 1100.003\nanswer Ja\nclick btnLinkReplace\n"
        "set txtProject 1100.006\nanswer Ja\nclick btnLinkReplace\n"
        "click btnDone\nclick btnClose\n"
        "start Persons.EditByID 2\nset txtRate 310\nclick btnOk\n";
    auto played = Play(script);
    ASSERT_EQ(played.exit_code, 0) << played.err << played.out;
    const auto created = played.out.find("result: EditNew=");
    ASSERT_NE(created, std::string::npos) << played.out;
    const std::string client_id = played.out.substr(created + 16, played.out.find('\n', created) - created - 16);

    // The refused move left nothing behind; the accepted ones moved exactly the two projects.
    auto linked = Tlx4r({"sql", reporting,
                         "SELECT p.AccountCode, c.KeyName, c.City FROM Project p INNER JOIN Client c "
                         "ON p.ClientID = c.ID WHERE c.ID = " + client_id + " ORDER BY p.AccountCode"});
    ASSERT_EQ(linked.exit_code, 0) << linked.err;
    EXPECT_EQ(linked.out, "AccountCode,KeyName,City\r\n1100.003,Treuhand Aare AG,Bern\r\n1100.006,Treuhand Aare AG,Bern\r\n");
    auto rate = Tlx4r({"sql", reporting, "SELECT PersonRate FROM Person WHERE ID = 2"});
    EXPECT_EQ(rate.out, "PersonRate\r\n310.00\r\n") << rate.err;
    EXPECT_NE(played.out.find("result: Rate=310.00"), std::string::npos) << played.out;
}

TEST_F(PlayCliTest, AScriptErrorNamesTheLineAndKeepsWhatWasSaved) {
    auto played = Play("start Entries.EditNew\nset ListView1 A\nclick btnOk\nset txtNowhere 1\n");
    EXPECT_EQ(played.exit_code, 2);
    EXPECT_NE(played.err.find("line 4: frmEntry has no control txtNowhere"), std::string::npos) << played.err;

    auto unanswered = Play("start Entries.EditNew\nset ListView1 A\nclick btnOk\nclick btnSave\n");
    EXPECT_EQ(unanswered.exit_code, 3);
    EXPECT_NE(unanswered.out.find("message: Kelvora Reporting V4 | Kein Geschäft ausgewählt! | \n"), std::string::npos)
        << unanswered.out;
}

}  // namespace
}  // namespace tlx4r
