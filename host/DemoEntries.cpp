#include "host/DemoEntries.h"

#include "core/Reporting.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "entries/Entries.h"
#include "entries/modVat.h"
#include "host/DemoTexts.h"
#include "types/AppError.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace tlx4r {

namespace {

using demo::kDocuments;
using demo::kFees;
using demo::kMeetings;
using demo::kNotary;
using demo::kWork;

constexpr int kEntries = 420;
constexpr long kDays = 730;

struct Person {
    std::int32_t id;
    Currency rate;
};


// Picks from the generator by plain modulo: the same seed gives the same office on every
// platform (the standard's distributions may differ between libraries).
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

std::vector<std::int32_t> ProjectIds(db::Database& db) {
    std::vector<std::int32_t> ids;
    auto rs = db.OpenRecordset("SELECT ID FROM Project ORDER BY ID;", db::RecordsetType::Snapshot);
    for (; !rs.Eof(); rs.MoveNext()) ids.push_back(rs.Get(0).ToLong());
    return ids;
}

std::vector<Person> Persons(db::Database& db) {
    std::vector<Person> persons;
    auto rs = db.OpenRecordset("SELECT ID, PersonRate FROM Person ORDER BY ID;", db::RecordsetType::Snapshot);
    for (; !rs.Eof(); rs.MoveNext()) {
        const db::Value& rate = rs.Get(1);
        persons.push_back({rs.Get(0).ToLong(), rate.IsNull() ? Currency() : rate.ToCurrency()});
    }
    return persons;
}

Currency Francs(int whole) { return Currency::FromInt(whole); }

// A working day within the two years before today.
Date WorkingDay(Dice& dice, Date today) {
    Date day = today.DateOnly().AddDays(-1 - dice.Below(static_cast<int>(kDays)));
    while (day.Weekday() > 5) day = day.AddDays(-1);
    return day;
}

Date QuarterHour(Dice& dice, int from_hour, int to_hour) {
    const int quarter = dice.Below((to_hour - from_hour) * 4);
    return Date::FromTime(from_hour + quarter / 4, quarter % 4 * 15);
}

void Fill(Entry& e, Dice& dice, Date day, const Person& person) {
    const int roll = dice.Below(100);
    if (roll < 44) {
        e.SetRecType(Entry::kWork);
        e.Text = dice.Pick(kWork);
        e.TimeFrom = QuarterHour(dice, 8, 16);
        const int minutes = 15 * (1 + dice.Below(12));
        e.TimeTo = Date(e.TimeFrom.Serial() + minutes / 1440.0);
        if (minutes > 120 && dice.Chance(50)) e.TimeBreak = Date::FromTime(0, 15);
        e.Rate = person.rate.IsZero() ? Francs(180) : person.rate;
        e.TypeCharges = dice.Chance(30) ? 19 : 1;  // "H" Honorare
        if (dice.Chance(15)) {
            e.Expenses = Francs(5 + 5 * dice.Below(10));
            e.TypeExpenses = 22;  // "K" Kopien
        }
        if (dice.Chance(5)) e.ChargesType = 1;
    } else if (roll < 58) {
        e.SetRecType(Entry::kCharges);
        e.Text = dice.Pick(kFees);
        e.Charges = Francs(20 + 10 * dice.Below(40));
        e.TypeCharges = dice.Chance(50) ? 13 : 18;  // "B" Beratungen, "G" Gebühren
        if (dice.Chance(40)) {
            e.Expenses = Francs(2 + dice.Below(60));
            e.TypeExpenses = dice.Chance(50) ? 27 : 29;  // "P" Porti, "R" Reisespesen
        }
        if (dice.Chance(8)) e.ChargesType = 1;
    } else if (roll < 66) {
        e.SetRecType(Entry::kNotary);
        e.Text = dice.Pick(kNotary);
        const Currency value = Francs(50000 * (1 + dice.Below(40)));
        e.CalcType = 1;
        e.CalcValue1 = value;
        // a tariff of 1.5 per mille of the value, rounded to francs, at least 300
        const Currency fee = value.MulRound(0.0015).RoundTo(Francs(1));
        e.Charges = fee < Francs(300) ? Francs(300) : fee;
        e.IsBaseCharge = true;
        e.Expenses = Francs(40 + dice.Below(80));
        e.TypeExpenses = 17;  // "F" Fremdkosten
    } else if (roll < 76) {
        e.SetRecType(Entry::kMeeting);
        e.Text = dice.Pick(kMeetings);
        e.TimeFrom = QuarterHour(dice, 8, 17);
        if (dice.Chance(70)) e.TimeTo = Date(e.TimeFrom.Serial() + 15 * (2 + dice.Below(8)) / 1440.0);
    } else if (roll < 84) {
        e.SetRecType(Entry::kDocument);
        const std::string file = dice.Pick(kDocuments);
        e.DocLink = dice.Chance(60) ? "C:\\Akten\\" + std::to_string(e.ProjectID()) + "\\" + file
                                    : "/srv/akten/" + std::to_string(e.ProjectID()) + "/" + file;
        e.TimeFrom = Date(day.Serial() + QuarterHour(dice, 8, 18).Serial());
        if (dice.Chance(30)) e.Text = "Entwurf " + file;
    } else if (roll < 93) {
        e.SetRecType(Entry::kInvoice);
        e.Text = "Rechnung Nr. " + std::to_string(day.Year()) + "-" + std::to_string(100 + dice.Below(900));
        e.Billed = Francs(300 + 50 * dice.Below(150));
        if (dice.Chance(20)) e.Adapted = -Francs(10 * (1 + dice.Below(20)));
        if (dice.Chance(5)) e.ChargesType = 1;
    } else {
        e.SetRecType(Entry::kVat);
        const Currency turnover = Francs(500 + 50 * dice.Below(200));
        const double rate = VatRate(db::Value(day));
        e.CalcValue1 = Currency::FromDouble(rate);
        e.CalcValue2 = turnover;
        e.VAT = VatAmount(turnover, db::Value(day));
        e.Text = VatText(turnover, db::Value(day));
    }
}

}  // namespace

int AddDemoEntries(Reporting& root, Date today) {
    db::Database* db = root.Database();
    Entries* entries = root.Entries();
    if (db == nullptr || entries == nullptr)
        throw AppError(91, "AddDemoEntries", "Es ist keine Reporting Datenbank geöffnet.");
    {
        auto rs = db->OpenRecordset("SELECT Count(*) FROM Entry;", db::RecordsetType::Snapshot);
        if (rs.Get(0).ToLong() > 0) return 0;
    }
    const std::vector<std::int32_t> projects = ProjectIds(*db);
    if (projects.empty()) throw AppError(5, "AddDemoEntries", "Die Reporting Datenbank hat keine Geschäfte.");
    std::vector<Person> persons = Persons(*db);
    if (persons.empty()) persons.push_back({0, Francs(180)});

    Dice dice(static_cast<std::uint32_t>(today.DayNumber()));
    db::Transaction tx(*db);
    for (int n = 0; n < kEntries; ++n) {
        Entry e = entries->Item(0);
        const Date day = WorkingDay(dice, today);
        const Person& person = persons[static_cast<std::size_t>(dice.Below(static_cast<int>(persons.size())))];
        e.SetProjectID(projects[static_cast<std::size_t>(dice.Below(static_cast<int>(projects.size())))]);
        e.SetPersonID(person.id);
        e.BookDate = day;
        e.Visum = dice.Chance(30) ? "AM" : "";
        Fill(e, dice, day, person);
        // the oldest work is partly archived already
        e.Archive = day < today.AddDays(-kDays * 3 / 4) && dice.Chance(40);
        entries->Add(e);
    }
    tx.Commit();
    return kEntries;
}

}  // namespace tlx4r
