#include "host/DemoLargeOffice.h"

#include "core/Reporting.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Transaction.h"
#include "entries/modVat.h"
#include "host/DemoTexts.h"
#include "host/FinanceDatabase.h"
#include "host/HostInterface.h"

#include <array>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace tlx4r {

namespace fs = std::filesystem;

namespace {

using demo::kDocuments;
using demo::kFees;
using demo::kMeetings;
using demo::kNotary;
using demo::kWork;

// Plain modulo on a fixed generator: the same seed gives the same office with every standard
// library (whose distributions may differ).
class Dice {
public:
    explicit Dice(std::uint32_t seed) : engine_(seed) {}
    int Below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T, std::size_t N>
    const T& Pick(const std::array<T, N>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(N)))];
    }

private:
    std::mt19937 engine_;
};

constexpr std::array<const char*, 16> kLastNames{
    "Müller",  "Meier", "Schmid", "Keller",  "Weber",   "Huber",  "Schneider", "Brunner",
    "Zürcher", "Gerber", "Bühler", "Kälin", "Lüthi", "Märki", "Wälti",     "Nüssli",
};
constexpr std::array<const char*, 12> kFirstNames{
    "Andrea", "Martin", "Sandra", "Lukas", "Regula", "René", "Jürg", "Käthi", "Björn", "Zoë", "Peter", "Ursula",
};
constexpr std::array<const char*, 10> kCompanies{
    "Immobilien AG", "Holzbau AG",  "Treuhand GmbH",      "Stiftung",      "Bäckerei GmbH",
    "Gärtnerei",     "Architektur AG", "Erbengemeinschaft", "Genossenschaft", "Söhne Metallbau",
};
constexpr std::array<const char*, 10> kCities{
    "Zürich", "Bern", "Luzern", "Fribourg", "St. Gallen", "Münsingen", "Küssnacht", "Thun", "Biel", "Wädenswil",
};
constexpr std::array<const char*, 5> kDepartments{
    "Notariat", "Grundbuch und Immobilien", "Erbrecht und Nachlass", "Gesellschafts- und Handelsrecht",
    "Prozessführung",
};
constexpr std::array<const char*, 5> kProjectTypes{
    "Beurkundung", "Beratung", "Prozess", "Willensvollstreckung", "Mandat pauschal",
};

Currency Francs(int whole) { return Currency::FromInt(whole); }

// Binds values in order and runs the statement once.
class Insert {
public:
    Insert(db::Database& db, const std::string& sql) : statement_(db.GetEngine().Prepare(sql)) {}
    Insert& operator<<(const db::Value& value) {
        statement_->Bind(++index_, value);
        return *this;
    }
    void Run() {
        statement_->Step();
        statement_->Reset();
        index_ = 0;
    }

private:
    std::unique_ptr<db::EngineStatement> statement_;
    int index_ = 0;
};

struct ProjectSpan {
    long first_day;
    long days;
};

std::string AccountCode(int project) {
    std::string number = std::to_string(project);
    return "1100." + std::string(number.size() < 5 ? 5 - number.size() : 0, '0') + number;
}

void WriteFinance(db::Database& finance, int projects, const std::vector<std::string>& names) {
    db::Transaction tx(finance);
    Insert account(finance,
                   "INSERT INTO Accounts (ID, Code, Name, IsGeneralLedger, Level, Closed, DeleteOnCloture) "
                   "VALUES (?, ?, ?, ?, ?, ?, ?)");
    const std::array<const char*, 4> ledger{"1100", "3000", "3100", "3200"};
    int id = 1;
    for (const char* code : ledger) {
        account << id++ << code << "Ertrag und Forderungen" << true << 1 << false << false;
        account.Run();
    }
    for (int p = 1; p <= projects; ++p) {
        account << id++ << AccountCode(p) << names[static_cast<std::size_t>(p - 1)] << false << 2
                << (p % 97 == 0) << (p % 193 == 0);
        account.Run();
    }
    tx.Commit();
}

std::vector<ProjectSpan> WriteMasterData(db::Database& db, Dice& dice, const LargeOfficeSize& size,
                                         std::vector<Currency>& rates, std::vector<std::string>& account_names) {
    const long last = size.last_day.DayNumber();
    const long first = last - 365L * size.years;
    for (std::size_t i = 0; i < kDepartments.size(); ++i) {
        Insert row(db, "INSERT INTO Department (ID, DepartmentNameFull, DepartmentRate) VALUES (?, ?, 0)");
        row << static_cast<std::int32_t>(i + 1) << kDepartments[i];
        row.Run();
        Insert type(db, "INSERT INTO ProjectType (ID, ProjectTypeNameFull, ProjectTypeRate) VALUES (?, ?, 0)");
        type << static_cast<std::int32_t>(i + 1) << kProjectTypes[i];
        type.Run();
    }
    Insert person(db, "INSERT INTO Person (ID, PersonNameFull, PersonRate, PersonNameShort) VALUES (?, ?, ?, ?)");
    for (int p = 1; p <= size.persons; ++p) {
        const std::string first_name = dice.Pick(kFirstNames);
        const std::string last_name = dice.Pick(kLastNames);
        const Currency rate = Francs(120 + 10 * dice.Below(24));
        rates.push_back(rate);
        person << p << first_name + " " + last_name
               << rate << first_name.substr(0, 1) + last_name.substr(0, 1) + std::to_string(p);
        person.Run();
    }
    Insert client(db,
                  "INSERT INTO Client (ID, KeyName, PersonID, Company, FirstName, LastName, Address1, ZipCode, City, "
                  "Country) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 'Schweiz')");
    std::vector<std::string> client_names;
    for (int c = 1; c <= size.clients; ++c) {
        const std::string last_name = dice.Pick(kLastNames);
        const bool company = dice.Chance(40);
        const std::string name = company ? last_name + " " + dice.Pick(kCompanies) : last_name + " " + dice.Pick(kFirstNames);
        client_names.push_back(name);
        client << c << name + " " + std::to_string(c) << 1 + dice.Below(size.persons)
               << (company ? db::Value(name) : db::Value()) << (company ? db::Value() : db::Value(dice.Pick(kFirstNames)))
               << last_name << "Bahnhofstrasse " + std::to_string(1 + dice.Below(120))
               << std::to_string(1000 + dice.Below(9000)) << dice.Pick(kCities);
        client.Run();
    }
    Insert project(db,
                   "INSERT INTO Project (ID, ClientID, ProjectTypeID, PersonID, DepartmentID, Archive, AccountCode, "
                   "AccountName, AccountID, DateBegin, DateEnd, Text, Rate) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    std::vector<ProjectSpan> spans;
    for (int p = 1; p <= size.projects; ++p) {
        const int c = 1 + (p - 1) % size.clients;
        const long days = 60 + dice.Below(5 * 365);
        const long begin = first + dice.Below(static_cast<int>(last - first - 30));
        const bool ended = begin + days < last;
        spans.push_back({begin, ended ? days : last - begin});
        const std::string name = client_names[static_cast<std::size_t>(c - 1)].substr(0, 40) + " " + std::to_string(p);
        account_names.push_back(name);
        project << p << c << 1 + dice.Below(5) << 1 + dice.Below(size.persons) << 1 + dice.Below(5)
                << (ended && dice.Chance(70)) << AccountCode(p) << name << p + 4 << Date(static_cast<double>(begin))
                << (ended ? db::Value(Date(static_cast<double>(begin + days))) : db::Value())
                << std::string(dice.Pick(kProjectTypes)) + " " + dice.Pick(kLastNames)
                << (dice.Chance(20) ? db::Value(Francs(200 + 10 * dice.Below(15))) : db::Value(Currency()));
        project.Run();
    }
    return spans;
}

double QuarterHour(Dice& dice, int from_hour, int to_hour) {
    const int quarter = dice.Below((to_hour - from_hour) * 4);
    return Date::FromTime(from_hour + quarter / 4, quarter % 4 * 15).Serial();
}

// Writes the entries: more on a few busy projects, on working days within each project's span;
// work that is more than two years old is mostly archived.
void WriteEntries(db::Database& db, Dice& dice, const LargeOfficeSize& size, const std::vector<ProjectSpan>& spans,
                  const std::vector<Currency>& rates) {
    Insert entry(db,
                 "INSERT INTO Entry (ID, ProjectID, PersonID, RecType, RecTypeText, Archive, BookDate, Text, Visum, "
                 "ChargesType, IsBaseCharge, Charges, TypeCharges, Expenses, TypeExpenses, Adapted, Billed, VAT, "
                 "TimeFrom, TimeTo, TimeBreak, Rate, DocLink, CalcType, CalcValue1, CalcValue2) VALUES (?, ?, ?, ?, ?, "
                 "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    static constexpr std::array<const char*, 8> kCodes{"", "G", "R", "A", "T", "D", "N", "M"};
    const long archived_before = size.last_day.DayNumber() - 2 * 365;
    const int projects = static_cast<int>(spans.size());
    for (int n = 1; n <= size.entries; ++n) {
        // Busy projects: a quarter of the entries go to the first tenth of a shuffled order.
        const int pick = dice.Chance(25) ? dice.Below(std::max(1, projects / 10)) : dice.Below(projects);
        const int project = static_cast<int>((static_cast<long long>(pick) * 7919) % projects) + 1;
        const ProjectSpan& span = spans[static_cast<std::size_t>(project - 1)];
        Date day(static_cast<double>(span.first_day + dice.Below(static_cast<int>(span.days) + 1)));
        while (day.Weekday() > 5) day = day.AddDays(-1);
        const int person = 1 + dice.Below(size.persons);
        const Currency rate = rates[static_cast<std::size_t>(person - 1)];

        int type = 0;
        std::string text;
        db::Value time_from, time_to, time_break, doc_link, calc_value1, calc_value2;
        Currency charges, expenses, adapted, billed, vat, entry_rate;
        int type_charges = 1, type_expenses = 1, charges_type = 0, calc_type = 0;
        bool base_charge = false;
        const int roll = dice.Below(100);
        if (roll < 50) {
            type = 3;
            text = dice.Pick(kWork);
            const double from = QuarterHour(dice, 8, 16);
            const int minutes = 15 * (1 + dice.Below(12));
            time_from = Date(from);
            time_to = Date(from + minutes / 1440.0);
            if (minutes > 120 && dice.Chance(50)) time_break = Date::FromTime(0, 15);
            entry_rate = rate;
            charges = rate.MulRound(minutes / 60.0);
            type_charges = dice.Chance(30) ? 19 : 1;
            if (dice.Chance(15)) {
                expenses = Francs(5 + 5 * dice.Below(10));
                type_expenses = 22;
            }
            if (dice.Chance(5)) charges_type = 1;
        } else if (roll < 64) {
            type = 1;
            text = dice.Pick(kFees);
            charges = Francs(20 + 10 * dice.Below(40));
            type_charges = dice.Chance(50) ? 13 : 18;
            if (dice.Chance(40)) {
                expenses = Francs(2 + dice.Below(60));
                type_expenses = dice.Chance(50) ? 27 : 29;
            }
        } else if (roll < 70) {
            type = 6;
            text = dice.Pick(kNotary);
            const Currency value = Francs(50000 * (1 + dice.Below(40)));
            calc_type = 1;
            calc_value1 = value;
            const Currency fee = value.MulRound(0.0015).RoundTo(Francs(1));
            charges = fee < Francs(300) ? Francs(300) : fee;
            base_charge = true;
            expenses = Francs(40 + dice.Below(80));
            type_expenses = 17;
        } else if (roll < 80) {
            type = 4;
            text = dice.Pick(kMeetings);
            const double from = QuarterHour(dice, 8, 17);
            time_from = Date(from);
            if (dice.Chance(70)) time_to = Date(from + 15 * (2 + dice.Below(8)) / 1440.0);
        } else if (roll < 87) {
            type = 5;
            const std::string file = dice.Pick(kDocuments);
            doc_link = "/srv/akten/" + std::to_string(project) + "/" + file;
            time_from = Date(day.Serial() + QuarterHour(dice, 8, 18));
            text = "Entwurf " + file;
        } else if (roll < 95) {
            type = 2;
            text = "Rechnung Nr. " + std::to_string(day.Year()) + "-" + std::to_string(100 + dice.Below(900));
            billed = Francs(300 + 50 * dice.Below(150));
            if (dice.Chance(20)) adapted = -Francs(10 * (1 + dice.Below(20)));
        } else {
            type = 7;
            const Currency turnover = Francs(500 + 50 * dice.Below(200));
            calc_value1 = Currency::FromDouble(VatRate(db::Value(day)));
            calc_value2 = turnover;
            vat = VatAmount(turnover, db::Value(day));
            text = VatText(turnover, db::Value(day));
        }
        const bool archive = day.DayNumber() < archived_before ? dice.Chance(95) : dice.Chance(3);
        entry << n << project << person << type << kCodes[static_cast<std::size_t>(type)] << archive << day << text
              << (dice.Chance(30) ? "AM" : "") << charges_type << base_charge << charges << type_charges << expenses
              << type_expenses << adapted << billed << vat << time_from << time_to << time_break << entry_rate
              << doc_link << calc_type << calc_value1 << calc_value2;
        entry.Run();
    }
}

}  // namespace

DemoFiles DemoCreateLarge(const std::string& folder, HostInterface& host, Reporting& root, std::uint32_t seed,
                          const LargeOfficeSize& size) {
    const fs::path dir = fs::absolute(folder).lexically_normal();
    fs::create_directories(dir);
    DemoFiles files;
    files.finance = (dir / ("Kanzlei Gross 2026" + std::string(FinanceDatabase::kExtension))).string();
    files.reporting = (dir / "Kanzlei Gross Data.tdb4r").string();
    for (const std::string& path : {files.finance, files.reporting}) {
        if (fs::exists(path)) throw db::DbError(3204, "Die Datei '" + path + "' gibt es bereits.");
    }
    host.DatabaseNew(files.finance);
    root.DatabaseNew(files.reporting);
    db::Database* db = root.Database();
    db::Database* finance = host.FinanceDatabase();
    if (db == nullptr || finance == nullptr)
        throw db::DbError(3204, "Kann die Reporting Datenbank '" + files.reporting + "' nicht erstellen.");

    Dice dice(seed);
    std::vector<Currency> rates;
    std::vector<std::string> account_names;
    // The entries' indexes grow in random order: with SQLite's default cache of 2 MB nearly every
    // insert would read and write pages of them again. Each insert runs the relations' triggers
    // and so keeps a statement journal of the pages it changes: in memory, not in a temporary file.
    db->GetEngine().Exec("PRAGMA cache_size = -262144");
    db->GetEngine().Exec("PRAGMA temp_store = MEMORY");
    db::Transaction tx(*db);
    const std::vector<ProjectSpan> spans = WriteMasterData(*db, dice, size, rates, account_names);
    WriteEntries(*db, dice, size, spans, rates);
    tx.Commit();
    db->GetEngine().Exec("PRAGMA cache_size = -2000");
    db->GetEngine().Exec("PRAGMA temp_store = DEFAULT");
    WriteFinance(*finance, size.projects, account_names);
    return files;
}

}  // namespace tlx4r
