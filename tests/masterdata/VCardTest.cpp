#include "masterdata/OlContacts.h"
#include "masterdata/frmOlContacts.h"
#include "masterdata/modOlContacts.h"

#include "db/TempDb.h"
#include "support/Mutator.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace tlx4r {
namespace {

VCardResult Read(const std::string& text) {
    VCardResult r;
    VCardRead(text, "test.vcf", r);
    return r;
}

// Shapes of cards as common address books and mail programs export them.
TEST(VCardTest, CardsOfCommonAddressBooksMapToTheClientFields) {
    // 2.1 with quoted-printable in Windows-1252 and UTF-8, soft line breaks, bare types, a photo
    const std::string photo(6000, 'A');
    std::string text =
        "BEGIN:VCARD\r\nVERSION:2.1\r\n"
        "N;CHARSET=Windows-1252;ENCODING=QUOTED-PRINTABLE:M=FCller;J=FCrg\r\n"
        "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:J=C3=BCrg M=C3=BCller\r\n"
        "ORG:M\xFCller Treuhand;Buchhaltung\r\n"
        "TITLE:Dr. iur.\r\n"
        "TEL;HOME;VOICE:031 111 11 11\r\n"
        "TEL;WORK;VOICE:031 222 22 22\r\n"
        "TEL;WORK;FAX:031 222 22 23\r\n"
        "ADR;HOME:;;Privatweg 1;Köniz;;3098;Schweiz\r\n"
        "ADR;WORK;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Postfach 12;;Bahnhofstrasse 5=0D=0A2. Stock;Z=C3=\r\n"
        "=BCrich;ZH;8001;Schweiz\r\n"
        "EMAIL;INTERNET:privat@example.ch\r\n"
        "EMAIL;PREF;INTERNET:juerg@example.ch\r\n"
        "URL:https://example.ch\r\n"
        "PHOTO;TYPE=JPEG;ENCODING=BASE64:\r\n" +
        photo.substr(0, 76) + "\r\n";
    for (std::size_t i = 76; i < photo.size(); i += 76) text += "  " + photo.substr(i, 76) + "\r\n";
    text += "\r\nEND:VCARD\r\n";
    // 3.0 with folded lines, escapes and grouped properties; a file-as name of the program
    text +=
        "BEGIN:VCARD\nVERSION:3.0\nN:Rossi;Anna;;;\nFN:Anna Rossi\nX-EVOLUTION-FILE-AS:Rossi\\, Anna (Notariat)\n"
        "item1.ADR;type=WORK;type=pref:;;Via Nassa 1\\, Casa \\;A;Lugano;;6900;Svizzera\n"
        "item2.EMAIL;type=INTERNET:anna@example.ch\nTEL;TYPE=CELL:079 000 00 00\n"
        "NOTE:Eine lange Notiz, die auf mehre\n re Zeilen gefaltet ist\nEND:VCARD\n";
    // 4.0 with a sort name, PREF numbers and tel URIs; a group card; a card without a name
    text +=
        "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Beat Zbinden\r\nN;SORT-AS=\"Zbinden,Beat\":Zbinden;Beat;;;\r\n"
        "EMAIL;PREF=2:zwei@example.ch\r\nEMAIL;PREF=1:eins@example.ch\r\n"
        "TEL;VALUE=uri;TYPE=\"work,voice\":tel:+41-31-555-55-55\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:group\r\nFN:Alle Klienten\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nTEL:031 000 00 00\r\nEND:VCARD\r\n";

    const VCardResult r = Read(text);
    EXPECT_TRUE(r.problems.empty()) << r.problems.front().reason;
    EXPECT_EQ(r.groups, 1u);
    EXPECT_EQ(r.nameless, 1u);
    ASSERT_EQ(r.contacts.size(), 3u);

    const OlContact& m = r.contacts[0];
    EXPECT_EQ(m.FileAs, "Müller, Jürg");
    EXPECT_EQ(m.FullName, "Jürg Müller");
    EXPECT_EQ(m.CompanyName, "Müller Treuhand");  // Windows-1252 without a charset
    EXPECT_EQ(m.Title, "Dr. iur.");
    EXPECT_EQ(m.BusinessTelephoneNumber, "031 222 22 22");
    EXPECT_EQ(m.BusinessFaxNumber, "031 222 22 23");
    EXPECT_EQ(m.BusinessAddressStreet, "Bahnhofstrasse 5 - 2. Stock");
    EXPECT_EQ(m.BusinessAddressPostOfficeBox, "Postfach 12");
    EXPECT_EQ(m.MailingAddressCity, "Zürich");
    EXPECT_EQ(m.MailingAddressPostalCode, "8001");
    EXPECT_EQ(m.MailingAddressCountry, "Schweiz");
    EXPECT_EQ(m.Email1Address, "juerg@example.ch");
    EXPECT_EQ(m.WebPage, "https://example.ch");

    const OlContact& a = r.contacts[1];
    EXPECT_EQ(a.FileAs, "Rossi, Anna (Notariat)");
    EXPECT_EQ(a.BusinessAddressStreet, "Via Nassa 1, Casa ;A");
    EXPECT_EQ(a.MailingAddressCity, "Lugano");
    EXPECT_EQ(a.Email1Address, "anna@example.ch");
    EXPECT_EQ(a.BusinessTelephoneNumber, "079 000 00 00");  // no work number: the mobile one
    EXPECT_EQ(a.BusinessFaxNumber, "");

    const OlContact& b = r.contacts[2];
    EXPECT_EQ(b.FileAs, "Zbinden, Beat");
    EXPECT_EQ(b.Email1Address, "eins@example.ch");
    EXPECT_EQ(b.BusinessTelephoneNumber, "+41-31-555-55-55");
    EXPECT_EQ(b.MailingAddress(), "");
}

TEST(VCardTest, BrokenCardsAreSkippedAndCountedAndTheOthersStay) {
    const VCardResult empty = Read("");
    EXPECT_TRUE(empty.contacts.empty());
    EXPECT_TRUE(empty.problems.empty());
    EXPECT_EQ(Read("\xEF\xBB\xBF\r\n\r\n").problems.size(), 0u);
    EXPECT_EQ(Read("Name;Telefon\r\nMeier;031\r\n").problems.size(), 1u);  // no vCard at all

    const VCardResult r = Read(
        "BEGIN:VCARD\r\nFN:Erste\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nFN:Kaputt\r\nkeine Eigenschaft\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nFN:Zweite\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nFN:Ohne Ende\r\n");
    ASSERT_EQ(r.contacts.size(), 2u);
    EXPECT_EQ(r.contacts[1].FileAs, "Zweite");
    ASSERT_EQ(r.problems.size(), 2u);
    EXPECT_EQ(r.problems[0].line, 4u);
    EXPECT_EQ(r.problems[0].file, "test.vcf");
    EXPECT_EQ(r.problems[1].line, 11u);
    EXPECT_EQ(r.problems[1].reason, "END:VCARD fehlt");

    // a card inside a card (2.1 AGENT) belongs to the outer one
    const VCardResult agent = Read(
        "BEGIN:VCARD\r\nFN:Chefin\r\nAGENT:\r\nBEGIN:VCARD\r\nFN:Sekretariat\r\nEND:VCARD\r\nEND:VCARD\r\n");
    ASSERT_EQ(agent.contacts.size(), 1u);
    EXPECT_EQ(agent.contacts[0].FileAs, "Chefin");
}

// Mutated cards must never crash the reader or leave it in a loop; whatever it returns is fine.
TEST(VCardTest, MutatedCardsNeverCrashTheReader) {
    const std::string seed =
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN;ENCODING=QUOTED-PRINTABLE:M=FCller;J=\r\n=FCrg\r\n"
        "ADR;WORK:;;Weg 1\\;2;Bern;;3000;CH\r\nTEL;TYPE=\"work,voice\":031\r\nEMAIL;PREF=1:a@b\r\n"
        "PHOTO;ENCODING=BASE64:QUJD\r\n REVG\r\n\r\nX-MS-FILE-AS:M\\, J\r\nEND:VCARD\r\n";
    test::Mutator mutator(12345, {"=", ":", ";", ",", "\\", "\"", "\r\n", "\r\n ", "=\r\n", "\t", "\xC3\xBC", "\xFC",
                                  "BEGIN:VCARD\r\n", "END:VCARD\r\n", ";CHARSET=UTF-8", ";CHARSET=WINDOWS-1252",
                                  ";ENCODING=QUOTED-PRINTABLE", "=C3=BC", "=F", "KIND:group\r\n", "FN:"},
                            8);
    const long rounds = test::Mutator::Budget(400);
    std::size_t contacts = 0;
    for (long round = 0; round < rounds; ++round) {
        VCardResult r;
        VCardRead(mutator.Mutate(seed), "fuzz.vcf", r);
        contacts += r.contacts.size();
        for (const OlContact& c : r.contacts) EXPECT_FALSE(c.FileAs.empty());
    }
    EXPECT_GT(contacts, 0u);  // most mutations leave a readable card
}

TEST(VCardTest, TheReaderListsAFolderSortedAndTheDialogFindsNamesAnywhere) {
    db::test::TempDir dir;
    std::ofstream(dir.File("b.vcf"), std::ios::binary)
        << "BEGIN:VCARD\r\nFN:Ärni Hans\r\nN:Ärni;Hans\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Zürcher Eva\r\nEND:VCARD\r\n";
    std::ofstream(dir.File("a.VCF"), std::ios::binary)
        << "BEGIN:VCARD\r\nN:Bieri;Urs\r\nX-OUTLOOK-FILE-AS:Bieri Urs\r\nsKaputt\r\nEND:VCARD\r\n"
           "BEGIN:VCARD\r\nN:amsler;Kurt\r\nEND:VCARD\r\n";
    std::ofstream(dir.File("notiz.txt")) << "keine Karte";

    test::ScriptedUi ui;
    OlContacts contacts;
    EXPECT_FALSE(contacts.Active());
    contacts.SetSource(dir.File("fehlt"), false);
    EXPECT_FALSE(contacts.Active());
    contacts.SetSource(dir.File(""), false);
    EXPECT_TRUE(contacts.Active());
    EXPECT_FALSE(contacts.Item(1).has_value());  // not loaded yet
    contacts.AssertLoaded();
    ASSERT_EQ(contacts.Count(), 3);
    EXPECT_EQ(contacts.FileAs(1), "amsler, Kurt");  // the database's order: case and umlauts
    EXPECT_EQ(contacts.FileAs(2), "Ärni, Hans");
    EXPECT_EQ(contacts.FileAs(3), "Zürcher Eva");
    EXPECT_FALSE(contacts.Item(0).has_value());
    EXPECT_FALSE(contacts.Item(4).has_value());
    EXPECT_EQ(contacts.Address(3), "Zürcher Eva");
    ASSERT_EQ(contacts.Problems().size(), 1u);
    EXPECT_EQ(contacts.Problems()[0].line, 1u);

    ui.OnForm("frmOlContacts", [](ui::Form& f) {
        auto& form = dynamic_cast<frmOlContacts&>(f);
        EXPECT_EQ(form.lblSource.Caption().find("3 Kontakte aus "), 0u);
        EXPECT_NE(form.lblSource.Caption().find("; 1 Karte nicht lesbar"), std::string::npos);
        form.txtCon.UserType("RCH");
        ASSERT_EQ(form.lstCon.ListCount(), 1);
        EXPECT_TRUE(form.SearchKeyDown(40));
        EXPECT_TRUE(form.ListKeyDown(38));
        EXPECT_TRUE(form.txtCon.HasFocus());
        form.btnOk.UserClick();
    });
    EXPECT_EQ(contacts.Choose(), 3);
    ui.OnForm("frmOlContacts", [](ui::Form& f) { dynamic_cast<frmOlContacts&>(f).btnCancel.UserClick(); });
    EXPECT_EQ(contacts.Choose(), 0);
}

}  // namespace
}  // namespace tlx4r
