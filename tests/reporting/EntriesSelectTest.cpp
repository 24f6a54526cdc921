#include "reporting/EntriesSelect.h"

#include "entries/Entries.h"
#include "reporting/frmEntriesSelect.h"
#include "ui/ListView.h"
#include "reporting/ReportsDb.h"

#include <algorithm>
#include <optional>

namespace tlx4r::test {
namespace {

const std::string kHead =
    "SELECT Project.ID AS ItemID, Project.AccountCode AS ItemCode, Project.AccountName AS ItemName, "
    "Person.PersonNameShort AS ItemShort, Entry.ID AS EntryID, Entry.PersonID AS PersonID, Entry.Archive AS "
    "Archive, Entry.Text AS TextLine, [Charges]+[Expenses]+[Adapted]+[Vat]-[Billed] AS Amount, "
    "[TimeTo]-[TimeFrom]-[TimeBreak] AS Hours, Entry.*, Project.*, Person.* FROM Person RIGHT JOIN (Project RIGHT "
    "JOIN Entry ON Project.ID = Entry.ProjectID) ON Person.ID = Entry.PersonID ";

void Ok(ui::Form& f) { f.Get<ui::Button>("btnOk").UserClick(); }
void Cancel(ui::Form& f) { f.Get<ui::Button>("btnCancel").UserClick(); }

// The user opens a tab of the selection dialog first, as only its frame can be reached.
void Tab(ui::Form& f, int index) { f.Get<ui::TabStrip>("tabSelect").UserSelect(index); }

using ReportsSelect = ReportsDb;

TEST_F(ReportsSelect, ChooseHandsBackTheStatementAndSummaryOfTheDialog) {
    EntriesSelect select;
    ui.OnForm("frmEntriesSelect", Ok);
    select.Choose();
    EXPECT_FALSE(select.DialogCanceled);
    EXPECT_EQ(select.SQL, kHead +
                              "WHERE((Entry.RecTypeText IN(\"G\",\"R\",\"A\",\"N\",\"M\")) AND (Entry.Archive = "
                              "FALSE)) ORDER BY Entry.BookDate,Entry.ID;");
    EXPECT_EQ(select.Selected, "Sortiert: nach Datum / Eintragsarten: GRANM / Archiviert: nein");

    // "Letzte 100", then cancel: the statement is still taken, the flag tells.
    ui.OnForm("frmEntriesSelect", [](ui::Form& f) {
        Tab(f, 1);
        f.Get<ui::Button>("btnSelectLast100").UserClick();
        Cancel(f);
    });
    select.Choose(true);
    EXPECT_TRUE(select.DialogCanceled);
    EXPECT_EQ(select.SQL, "SELECT TOP 100 " + kHead.substr(7) +
                              "WHERE((Entry.RecTypeText IN(\"A\")) AND (Entry.Archive = FALSE)) ORDER BY Entry.ID "
                              "DESC,Entry.BookDate DESC;");
    EXPECT_EQ(select.Selected,
              "Sortiert: rückwärts nach Eintrag / Anzahl: maximal 100 / Eintragsarten: A / Archiviert: nein");

    // The criteria stay for the next call; only the record types are preset anew.
    ui.OnForm("frmEntriesSelect", [](ui::Form& f) {
        Tab(f, 1);
        f.Get<ui::Button>("btnSelectAll").UserClick();
        Ok(f);
    });
    select.Choose();
    EXPECT_EQ(select.Selected, "Sortiert: nach Datum / Eintragsarten: GRANM / Archiviert: nein");
}

TEST_F(ReportsSelect, StatementPartsFollowEveryCriterion) {
    frmEntriesSelect form;
    form.Show(false);  // the user's clicks need a shown form

    // All types and both archive states: no WHERE clause at all; three clicks come back to 0.
    form.tabSelect.UserSelect(3);
    form.cbArchive.UserClick();
    EXPECT_EQ(form.ArchiveState(), 1);
    EXPECT_EQ(form.cbArchive.Value(), ui::CheckState::Checked);
    EXPECT_EQ(form.lblArchive.Caption(), "Archiviert: ja");
    EXPECT_EQ(form.SQLWhereArchive(), "(Entry.Archive = TRUE)");
    form.cbArchive.UserClick();
    EXPECT_EQ(form.cbArchive.Value(), ui::CheckState::Grayed);
    EXPECT_EQ(form.Archive(), std::nullopt);
    EXPECT_EQ(form.SQL(), kHead + "ORDER BY Entry.BookDate,Entry.ID;");
    EXPECT_EQ(form.lblSelected.Caption(), "Sortiert: nach Datum");
    form.cbArchive.UserClick();
    EXPECT_EQ(form.Archive(), std::optional<int>(0));
    EXPECT_EQ(form.cbArchive.Value(), ui::CheckState::Unchecked);

    // Record types.
    form.btnSelNone.UserClick();
    EXPECT_EQ(form.SQLWhereEntryTypes(), "FALSE");
    EXPECT_EQ(form.lblType.Caption(), "Keine Eintragsarten");
    form.cbM.UserClick();
    form.cbG.UserClick();
    EXPECT_EQ(form.SQLWhereEntryTypes(), "(Entry.RecTypeText IN(\"G\",\"M\"))");
    EXPECT_EQ(form.lblType.Caption(), "Eintragsarten: GM");
    form.btnSelWork.UserClick();
    EXPECT_EQ(form.EntryType(), std::vector<std::string>{"A"});

    // Text: blanks add nothing; a double quote is doubled inside the quoted pattern.
    struct TextCase {
        int mode;
        const char* condition;
        const char* summary;
    };
    const TextCase cases[] = {
        {0, "(Entry.Text LIKE \"*Brief \"\"Müller\"\"*\")", "Text: enthält \"Brief \"\"Müller\"\"\""},
        {1, "(Entry.Text LIKE \"Brief \"\"Müller\"\"*\")", "Text: beginnt mit \"Brief \"\"Müller\"\"\""},
        {2, "(Entry.Text LIKE \"*Brief \"\"Müller\"\"\")", "Text: endet mit \"Brief \"\"Müller\"\"\""},
        {3, "(Entry.Text = \"Brief \"\"Müller\"\"\")", "Text: ist exakt \"Brief \"\"Müller\"\"\""},
    };
    form.tabSelect.UserSelect(0);
    form.txtTextSearch.UserType("   ");
    EXPECT_EQ(form.SQLWhereText(), "");
    form.btnTextClear.UserClick();
    form.txtTextSearch.UserType("Brief \"Müller\"");
    for (const auto& c : cases) {
        form.optText[c.mode].UserClick();
        EXPECT_EQ(form.SQLWhereText(), c.condition) << c.mode;
        EXPECT_EQ(form.lblText.Caption(), c.summary) << c.mode;
    }

    // Date range, project and person, joined in their order.
    form.DateRange.SetFromTo(Date::FromYmd(2024, 3, 1), Date::FromYmd(2024, 3, 31));
    form.SetProject(2);
    form.SetPerson(1);
    form.cbxCount.SetText("20");
    EXPECT_EQ(form.SQLWhere(),
              "WHERE((Entry.BookDate BETWEEN #03/01/2024# AND #03/31/2024#) AND (Entry.RecTypeText IN(\"A\")) AND "
              "(Entry.Archive = FALSE) AND (Entry.Text = \"Brief \"\"Müller\"\"\") AND (Entry.ProjectID = 2) AND "
              "(Entry.PersonID = 1)) ");
    EXPECT_EQ(form.SQLTop(), "TOP 20 ");
    EXPECT_EQ(form.lblSelected.Caption(),
              "Geschäft: 1100.002 Erbengemeinschaft Huber / Person: Max Sutter / Datum: Vom 01.03.2024 bis am "
              "31.03.2024 / Text: ist exakt \"Brief \"\"Müller\"\"\" / Sortiert: nach Datum / Anzahl: maximal 20 / "
              "Eintragsarten: A / Archiviert: nein");
    form.Hide();
}

TEST_F(ReportsSelect, PersonIsChosenFromThePersonsTable) {
    frmEntriesSelect form;
    form.Show(false);
    form.tabSelect.UserSelect(4);
    // the persons table's own list, the current person preselected
    const auto pick = [](const std::string& name) {
        return [name](ui::Form& f) {
            auto& list = f.Get<ui::ListView>("ListView1");
            EXPECT_EQ(list.Item(0).text, "(ohne Zuordnung)");
            for (int i = 0; i < list.Count(); ++i)
                if (list.Item(i).text == name) return list.UserDoubleClickRow(i);
            ADD_FAILURE() << name << " is not in the list";
        };
    };
    ui.OnForm("frmDatas", pick("Anna Keller"));
    form.btnPersonSel.UserClick();
    EXPECT_EQ(form.PersonID(), 2);
    EXPECT_EQ(form.lblPerson.Caption(), "Person: Anna Keller");
    ui.OnForm("frmDatas", [](ui::Form& f) {
        EXPECT_EQ(f.Get<ui::ListView>("ListView1").Item(f.Get<ui::ListView>("ListView1").SelectedIndex()).text,
                  "Anna Keller");
        EXPECT_TRUE(f.UserKey(27) || f.UserClose());
    });
    form.btnPersonSel.UserClick();
    EXPECT_EQ(form.PersonID(), 2);
    ui.OnForm("frmDatas", pick("(ohne Zuordnung)"));
    form.btnPersonSel.UserClick();
    EXPECT_EQ(form.PersonID(), 0);
    ui.OnForm("frmDatas", pick("Anna Keller"));
    form.btnPersonSel.UserClick();  // again, so that "Alle" has something to clear
    form.btnPersonAll.UserClick();
    EXPECT_EQ(form.PersonID(), 0);
    EXPECT_EQ(form.lblPerson.Caption(), "");
    form.Hide();
}

// The statement on the database selects what a plain reading of the criteria selects.
TEST_F(ReportsSelect, StatementSelectsTheRowsTheCriteriaDescribe) {
    std::vector<EntryRow> rows;
    const char* const types[] = {"G  ", "R  ", "A  ", "T  ", "D  ", "N  ", "M  ", "AA0", "G1 "};
    const char* const texts[] = {"Besprechung", "Brief an Müller", "Telefon", "", "brief \"dringend\""};
    for (int i = 1; i <= 60; ++i) {
        EntryRow e;
        e.id = i;
        e.project = i % 4;  // 0: no project
        e.person = i % 3;   // 0: no person
        e.rec_type_text = types[(i * 7) % 9];
        e.archive = i % 5 == 0;
        e.book_date = i % 11 == 0 ? Date() : Date::FromYmd(2024, 1 + (i * 5) % 6, 1 + (i * 13) % 28);
        e.text = texts[i % 5];
        rows.push_back(e);
    }
    InsertEntries(rows);

    struct Case {
        const char* name;
        std::function<void(frmEntriesSelect&)> set;
        std::function<bool(const EntryRow&)> keep;
        bool by_id = false;
        bool reverse = false;
        std::size_t max = 0;
    };
    const Date from = Date::FromYmd(2024, 2, 1), to = Date::FromYmd(2024, 4, 30);
    auto letter = [](const EntryRow& e) { return e.rec_type_text[0]; };
    const std::vector<Case> cases{
        {"defaults of Choose", [](frmEntriesSelect& f) { f.SetTypeStd(); },
         [&](const EntryRow& e) { return std::string("GRANM").find(letter(e)) != std::string::npos && !e.archive; }},
        {"work of project 2, archived too",
         [](frmEntriesSelect& f) {
             f.SetTypeWork();
             f.cbArchive.SetValue(ui::CheckState::Checked);  // fires the click: state 1
             f.cbArchive.SetValue(ui::CheckState::Unchecked);  // state 2
             f.SetProject(2);
         },
         [&](const EntryRow& e) { return letter(e) == 'A' && e.project == 2; }},
        {"date range, person 1, text contains brief, last 100",
         [&](frmEntriesSelect& f) {
             f.SetTypeAll();
             f.DateRange.SetFromTo(from, to);
             f.SetPerson(1);
             f.txtTextSearch.SetText("BRIEF");
             f.SortSelectLast100();
         },
         [&](const EntryRow& e) {
             return !e.archive && !e.book_date.IsNull() && e.book_date >= from && e.book_date <= to &&
                    e.person == 1 && e.text.find("rief") != std::string::npos;
         },
         true, true, 100},
        {"exact text, only archived, first 10",
         [](frmEntriesSelect& f) {
             f.SetTypeAll();
             f.cbArchive.SetValue(ui::CheckState::Checked);
             f.txtTextSearch.SetText("telefon");
             f.optText[3].SetValue(true);
             f.cbxCount.SetText("10");
         },
         [](const EntryRow& e) { return e.archive && e.text == "Telefon"; }, false, false, 10},
        {"no type", [](frmEntriesSelect& f) { f.SetTypeNone(); }, [](const EntryRow&) { return false; }},
    };
    for (const Case& c : cases) {
        frmEntriesSelect form;
        c.set(form);
        std::vector<EntryRow> expected;
        std::copy_if(rows.begin(), rows.end(), std::back_inserter(expected), c.keep);
        std::stable_sort(expected.begin(), expected.end(), [&](const EntryRow& a, const EntryRow& b) {
            auto key = [&](const EntryRow& e) {
                return c.by_id ? std::pair(double(e.id), e.book_date.Serial())
                               : std::pair(e.book_date.Serial(), double(e.id));
            };
            return c.reverse ? key(b) < key(a) : key(a) < key(b);
        });
        if (c.max > 0 && expected.size() > c.max) expected.resize(c.max);
        std::vector<std::int32_t> ids;
        for (const auto& e : expected) ids.push_back(e.id);
        EXPECT_EQ(Column(form.SQL(), "EntryID"), ids) << c.name << "\n" << form.SQL();
    }
}

TEST_F(ReportsSelect, TheManagerOwnsItsSelectionObjects) {
    Entries& entries = *root.Entries();
    EntriesSelect& select = entries.EntriesSelect();
    ui.OnForm("frmEntriesSelect", [](ui::Form& f) {
        Tab(f, 0);
        f.Get<ui::TextBox>("txtTextSearch").UserType("Akte");
        Ok(f);
    });
    select.Choose();
    // The same object, and so the same criteria, on the next call.
    ui.OnForm("frmEntriesSelect", Ok);
    entries.EntriesSelect().Choose();
    EXPECT_NE(entries.EntriesSelect().SQL.find("(Entry.Text LIKE \"*Akte*\")"), std::string::npos);
}

}  // namespace
}  // namespace tlx4r::test
