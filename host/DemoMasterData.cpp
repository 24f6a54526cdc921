#include "host/DemoMasterData.h"

#include "core/Reporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "masterdata/Clients.h"
#include "masterdata/Datas.h"
#include "masterdata/Projects.h"
#include "types/AppError.h"

#include <array>
#include <string_view>
#include <vector>

namespace tlx4r {

namespace {

struct Named {
    const char* name;
    const char* short_name;
    const char* rate;
};

constexpr Named kDepartments[] = {
    {"Notariat", "", "0"},
    {"Grundbuch und Immobilien", "", "0"},
    {"Erbrecht und Nachlass", "", "0"},
    {"Gesellschafts- und Handelsrecht", "", "0"},
    {"Prozessführung", "", "0"},
};

constexpr Named kProjectTypes[] = {
    {"Beurkundung", "", "0"},
    {"Beratung", "", "0"},
    {"Prozess", "", "0"},
    {"Willensvollstreckung", "", "0"},
    {"Mandat pauschal", "", "0"},
};

constexpr Named kPersons[] = {
    {"Dr. Andrea Keller, Notarin", "AK", "320"},
    {"lic. iur. Martin Bühler, Rechtsanwalt", "MB", "290"},
    {"Sandra Zürcher, Rechtsanwältin", "SZ", "260"},
    {"Lukas Gerber, Substitut", "LG", "180"},
    {"Regula Imhof, Sachbearbeiterin", "RI", "120"},
};

struct Template {
    const char* name;
    const char* charges;
    const char* expenses;
};

constexpr Template kTemplates[] = {
    {"Beglaubigung einer Unterschrift", "30", "0"},
    {"Beglaubigung einer Kopie", "20", "0"},
    {"Öffentliche Beurkundung Kaufvertrag", "0", "0"},
    {"Grundbuchanmeldung", "150", "45"},
    {"Handelsregisteranmeldung", "200", "60"},
    {"Besprechung mit Klient", "0", "0"},
    {"Telefonat mit Gegenpartei", "0", "0"},
    {"Fotokopien", "0", "0.5"},
    {"Porti und Einschreiben", "0", "7"},
    {"Aktenstudium", "0", "0"},
};

struct Address {
    const char* street;
    const char* zip;
    const char* city;
    const char* phone;
};

constexpr Address kAddresses[] = {
    {"Bahnhofstrasse 12", "3011", "Bern", "031 311 22 40"},
    {"Marktgasse 5", "3400", "Burgdorf", "034 422 17 03"},
    {"Seestrasse 88", "8002", "Zürich", "044 201 55 18"},
    {"Rue du Rhône 14", "1204", "Genève", "022 310 44 90"},
    {"Hauptstrasse 41", "4500", "Solothurn", "032 623 12 77"},
    {"Dorfstrasse 3", "3624", "Goldiwil", "033 442 10 05"},
    {"Spitalgasse 27", "3011", "Bern", "031 318 06 61"},
    {"Aarbergergasse 60", "2502", "Biel/Bienne", "032 322 88 14"},
    {"Kirchweg 9", "3280", "Murten", "026 670 31 25"},
    {"Postgasse 19", "3600", "Thun", "033 222 45 36"},
    {"Via Nassa 7", "6900", "Lugano", "091 923 14 58"},
    {"Löwenstrasse 2", "6004", "Luzern", "041 410 63 92"},
};

// Names of organisations go into Company; others are written "Lastname Firstname".
bool IsOrganisation(std::string_view name) {
    for (std::string_view mark : {" AG", "GmbH", "Stiftung", "Gemeinde", "gemeinschaft", "Genossenschaft", "Verein",
                                  "Erbschaft", "Söhne", "Consulting", "Landwirtschaft", "Familienstiftung"}) {
        if (name.find(mark) != std::string_view::npos) return true;
    }
    return false;
}

bool IsEmpty(Datas& table) {
    db::Recordset& rs = table.Cursor().Get();
    rs.SetIndex("PrimaryKey");
    return rs.RecordCount() == 0;
}

void AddNamed(Datas& table, const Named* first, const Named* last) {
    if (!IsEmpty(table)) return;
    for (const Named* n = first; n != last; ++n) {
        Data row = table.Add();
        db::Recordset& rs = table.Cursor().Get();
        rs.Seek("=", db::Value(row.ID));
        rs.Edit();
        FieldTextSet(rs, table.Flavor() + "NameFull", n->name);
        if (table.WithNameShort()) FieldTextSet(rs, table.Flavor() + "NameShort", n->short_name);
        const Currency rate = *Currency::Parse(n->rate);
        rs.Set(table.Flavor() + "Rate", rate.IsZero() ? db::Value() : db::Value(rate));
        rs.Update();
    }
}

void AddTemplates(Datas& templates) {
    if (!IsEmpty(templates)) return;
    for (const Template& t : kTemplates) {
        Data row = templates.Add();
        db::Recordset& rs = templates.Cursor().Get();
        rs.Seek("=", db::Value(row.ID));
        rs.Edit();
        FieldTextSet(rs, "TemplateNameFull", t.name);
        rs.Set("TemplateCharges", db::Value(*Currency::Parse(t.charges)));
        rs.Set("TemplateExpenses", db::Value(*Currency::Parse(t.expenses)));
        // category 1 is "none" in both tariff catalogues
        rs.Set("TemplateTypeCharges", db::Value(std::int32_t{1}));
        rs.Set("TemplateTypeExpenses", db::Value(std::int32_t{1}));
        rs.Update();
    }
}

Client ClientFor(Clients& clients, const std::string& name, std::size_t n, std::int32_t person_id) {
    const Address& a = kAddresses[n % std::size(kAddresses)];
    Client c(clients);
    c.KeyName = name;
    if (IsOrganisation(name)) {
        c.Company = name;
    } else {
        const auto blank = name.find(' ');
        c.LastName = name.substr(0, blank);
        if (blank != std::string::npos) c.FirstName = name.substr(blank + 1);
        c.Title = n % 2 == 0 ? "Frau" : "Herr";
    }
    c.Address1 = a.street;
    c.ZipCode = a.zip;
    c.City = a.city;
    c.Country = "Schweiz";
    c.Fone = a.phone;
    c.PersonID = person_id;
    return c;
}

}  // namespace

void AddDemoMasterData(Reporting& root) {
    db::Database* database = root.Database();
    if (database == nullptr || root.Projects() == nullptr)
        throw AppError(91, "AddDemoMasterData", "Es ist keine Reporting Datenbank geöffnet.");
    db::Transaction transaction(*database);
    AddNamed(*root.Departments(), std::begin(kDepartments), std::end(kDepartments));
    AddNamed(*root.ProjectTypes(), std::begin(kProjectTypes), std::end(kProjectTypes));
    AddNamed(*root.Persons(), std::begin(kPersons), std::end(kPersons));
    AddTemplates(*root.Templates());

    // The ID lists first: saving moves the shared project cursor.
    std::vector<std::int32_t> ids;
    {
        auto rs = database->OpenRecordset("SELECT ID FROM Project WHERE ClientID = 0 OR ClientID Is Null ORDER BY ID",
                                          db::RecordsetType::Snapshot);
        for (; !rs.Eof(); rs.MoveNext()) ids.push_back(rs.Get(0).ToLong());
    }
    const auto all_ids = [](Datas& table) {
        std::vector<std::int32_t> all;
        db::Recordset& rs = table.Cursor().Get();
        rs.SetIndex("PrimaryKey");
        if (rs.RecordCount() == 0) return all;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) all.push_back(rs.Get("ID").ToLong());
        return all;
    };
    const auto pick = [](const std::vector<std::int32_t>& from, std::size_t k) {
        return from.empty() ? std::int32_t{0} : from[k % from.size()];
    };
    const std::vector<std::int32_t> persons = all_ids(*root.Persons());
    const std::vector<std::int32_t> types = all_ids(*root.ProjectTypes());
    const std::vector<std::int32_t> departments = all_ids(*root.Departments());
    Projects& projects = *root.Projects();
    Clients& clients = *root.Clients();
    std::size_t n = 0;
    for (std::int32_t id : ids) {
        Project p = projects.Item(id);
        if (p.ID() == 0) continue;
        Client c = ClientFor(clients, p.AccountName.empty() ? p.AccountCode : p.AccountName, n, pick(persons, n));
        clients.Add(c);
        p.ClientID = c.ID();
        p.PersonID = pick(persons, n);
        p.ProjectTypeID = pick(types, n);
        p.DepartmentID = pick(departments, n / 2);
        if (n % 3 == 0) p.Text = "Mandat gemäss Vollmacht";
        if (n % 4 == 1) p.Rate = Currency::FromInt(250);
        if (n % 6 == 5) p.PaymentLimit = 10;
        p.Update();
        ++n;
    }
    transaction.Commit();
}

}  // namespace tlx4r
