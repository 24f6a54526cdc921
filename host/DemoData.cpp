#include "host/DemoData.h"

#include "masterdata/Projects.h"

#include "host/DemoEntries.h"
#include "host/DemoMasterData.h"

#include "core/Reporting.h"
#include "db/DbError.h"
#include "host/FinanceDatabase.h"
#include "host/HostAccounts.h"
#include "host/HostInterface.h"

#include <filesystem>

namespace tlx4r {

namespace fs = std::filesystem;

namespace {

struct LedgerAccount {
    const char* code;
    const char* name;
    int level;
};

// A Swiss small-business chart, cut down to what a law office books.
constexpr LedgerAccount kLedger[] = {
    {"1", "Aktiven", 0},
    {"1000", "Kasse", 1},
    {"1020", "Bank Kontokorrent", 1},
    {"1021", "Bank Klientengelder", 1},
    {"1100", "Forderungen aus Leistungen (Debitoren)", 1},
    {"1109", "Delkredere", 1},
    {"1170", "Vorsteuer MWST", 1},
    {"1300", "Aktive Rechnungsabgrenzung", 1},
    {"1510", "Mobiliar und Einrichtungen", 1},
    {"1520", "Büromaschinen und Informatik", 1},
    {"2", "Passiven", 0},
    {"2000", "Verbindlichkeiten aus Lieferungen (Kreditoren)", 1},
    {"2030", "Erhaltene Kostenvorschüsse", 1},
    {"2200", "Geschuldete MWST", 1},
    {"2300", "Passive Rechnungsabgrenzung", 1},
    {"2800", "Eigenkapital", 1},
    {"3", "Betriebsertrag", 0},
    {"3000", "Honorare Beratung und Prozessführung", 1},
    {"3100", "Gebühren Beurkundungen", 1},
    {"3200", "Auslagenersatz", 1},
    {"3800", "Erlösminderungen", 1},
    {"5", "Personalaufwand", 0},
    {"5000", "Löhne", 1},
    {"5700", "Sozialversicherungsaufwand", 1},
    {"6", "Übriger Betriebsaufwand", 0},
    {"6000", "Raumaufwand", 1},
    {"6500", "Verwaltungsaufwand", 1},
    {"6570", "Informatikaufwand", 1},
    {"6600", "Fachliteratur und Weiterbildung", 1},
};

struct ClientAccount {
    const char* name;
    bool closed;
    bool delete_on_cloture;
};

constexpr ClientAccount kClients[] = {
    {"Bachmann Immobilien AG", false, false},
    {"Erbengemeinschaft Huber-Stucki", false, false},
    {"Frei-Lüthi Regula", false, false},
    {"Gemeinde Oberwil", false, false},
    {"Keller & Partner GmbH", false, false},
    {"Stiftung Seeblick", false, false},
    {"Ammann Peter", false, false},
    {"Brunner Holzbau AG", false, false},
    {"Christen-Meier Ursula und Hans", false, false},
    {"Dürrenmatt Carla", true, true},
    {"Egli Transporte AG", false, false},
    {"Fischer Treuhand GmbH", false, false},
    {"Gasser Andreas", false, false},
    {"Genossenschaft Sonnenhalde", false, false},
    {"Hofer Landmaschinen AG", false, false},
    {"Imhof-Wyss Monika", true, false},
    {"Jost Architektur AG", false, false},
    {"Kälin Bruno", false, false},
    {"Lehmann Familienstiftung", false, false},
    {"Marti Bau AG", false, false},
    {"Nussbaumer Elisabeth", false, false},
    {"Oberholzer & Söhne Metallbau", false, false},
    {"Pfister Karin", false, true},
    {"Reber Gartenbau GmbH", false, false},
    {"Schmid-Zürcher Verena", false, false},
    {"Stockwerkeigentümergemeinschaft Lindenhof", false, false},
    {"Tanner Reto", false, false},
    {"Ulrich Consulting AG", false, false},
    {"Vogel Hotel Bären AG", false, false},
    {"Wälti Landwirtschaft", false, false},
    {"Widmer Thomas", true, true},
    {"Zbinden Optik AG", false, false},
    {"Zumstein Carrosserie GmbH", false, false},
    {"Baugenossenschaft Rütli", false, false},
    {"Erbschaft Gerber Walter", false, false},
    {"Verein Musikschule Talgrund", false, false},
};

}  // namespace

void AddDemoAccounts(HostAccounts& accounts) {
    for (const LedgerAccount& l : kLedger) {
        AccountData a;
        a.code = l.code;
        a.name = l.name;
        a.general_ledger = true;
        a.level = l.level;
        accounts.Create(a);
    }
    int number = 1;
    for (const ClientAccount& c : kClients) {
        AccountData a;
        a.code = "1100." + std::string(number < 10 ? "00" : "0") + std::to_string(number);
        a.name = c.name;
        a.level = 2;
        a.delete_on_cloture = c.delete_on_cloture;
        accounts.Create(a);
        // Closing is a change of an account that exists, as the bookkeeper does it: the project
        // follows it and gets its end date.
        if (c.closed) {
            a.closed = true;
            accounts.Update(a);
        }
        ++number;
    }
}

DemoFiles DemoCreate(const std::string& folder, HostInterface& host, Reporting& root) {
    const fs::path dir = fs::absolute(folder).lexically_normal();
    fs::create_directories(dir);
    DemoFiles files;
    files.finance = (dir / ("Kanzlei Muster 2024" + std::string(FinanceDatabase::kExtension))).string();
    files.reporting = (dir / "Kanzlei Muster Data.tdb4r").string();
    // Checked before anything is made, so that a second run leaves the first one's files alone.
    for (const std::string& path : {files.finance, files.reporting}) {
        if (fs::exists(path)) throw db::DbError(3204, "Die Datei '" + path + "' gibt es bereits.");
    }
    host.DatabaseNew(files.finance);
    root.DatabaseNew(files.reporting);
    if (root.Database() == nullptr)
        throw db::DbError(3204, "Kann die Reporting Datenbank '" + files.reporting + "' nicht erstellen.");

    // Thirty accounts at once: their projects are made without showing the project editor each.
    root.Projects()->SetAccountEventsQuiet(true);
    AddDemoAccounts(*host.Accounts());
    root.Projects()->SetAccountEventsQuiet(false);

    // ---- Further demo data goes here, one call per kind, in the order the data depends on
    //      each other (master data before the entries that refer to it), e.g.:
    //        AddDemoMasterData(root);
    //        AddDemoEntries(root);
    AddDemoMasterData(root);
    AddDemoEntries(root);
    // ---- end of further demo data
    return files;
}

}  // namespace tlx4r
