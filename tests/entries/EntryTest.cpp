#include "entries/Entry.h"

#include "EntriesDb.h"
#include "db/DbError.h"

#include <gtest/gtest.h>

#include <functional>

namespace tlx4r::test {
namespace {

// An entry as the manager hands it out: cleared, dated, with a record type.
Entry Fresh(std::int32_t rec_type) {
    Entry e;
    e.ClearAll();
    e.BookDate = Date::FromYmd(2024, 3, 5);
    e.SetRecType(rec_type);
    return e;
}

struct NormaliseCase {
    const char* name;
    std::int32_t rec_type;
    std::function<void(Entry&)> arrange;
    std::function<void(const Entry&)> check;
};

void PrintTo(const NormaliseCase& c, std::ostream* os) { *os << c.name; }

class EntryNormalise : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(EntryNormalise, FollowsTheRecordType) {
    Entry e = Fresh(GetParam().rec_type);
    GetParam().arrange(e);
    e.Verify();
    GetParam().check(e);
}

INSTANTIATE_TEST_SUITE_P(
    Entry, EntryNormalise,
    ::testing::Values(
        NormaliseCase{"WorkSingleTimeIsADuration", Entry::kWork,
                      [](Entry& e) {
                          e.TimeFrom = T(1, 30);
                          e.Rate = C("100");
                          e.VAT = C("5");
                          e.DocLink = "x.doc";
                      },
                      [](const Entry& e) {
                          EXPECT_TRUE(e.TimeFrom.IsNull());
                          EXPECT_EQ(e.TimeTo, T(1, 30));
                          EXPECT_EQ(e.Charges, C("150"));
                          EXPECT_EQ(e.DispValue1, "01:30x100.00");
                          EXPECT_EQ(e.DispValue2, "150.00");
                          EXPECT_TRUE(e.VAT.IsZero());
                          EXPECT_EQ(e.DocLink, "");
                          EXPECT_EQ(e.RecTypeText(), "A  ");
                      }},
        NormaliseCase{"WorkRateZeroKeepsTheFee", Entry::kWork,
                      [](Entry& e) {
                          e.TimeFrom = T(8, 0);
                          e.TimeTo = T(12, 0);
                          e.TimeBreak = T(0, 30);
                          e.Charges = C("77.35");
                      },
                      [](const Entry& e) {
                          EXPECT_EQ(e.Charges, C("77.35"));
                          EXPECT_EQ(e.DispValue1, "");
                          EXPECT_EQ(e.DispValue2, "77.35");
                          EXPECT_EQ(e.TimeBreak, T(0, 30));
                      }},
        NormaliseCase{"WorkNegativeSpan", Entry::kWork,
                      [](Entry& e) {
                          e.TimeFrom = T(10, 0);
                          e.TimeTo = T(9, 0);
                          e.Rate = C("60");
                      },
                      [](const Entry& e) {
                          EXPECT_EQ(e.Charges, C("-60"));
                          EXPECT_EQ(e.DispValue1, "-01:00x60.00");
                      }},
        NormaliseCase{"WorkFeeRoundsToTenRappen", Entry::kWork,
                      [](Entry& e) {
                          e.TimeFrom = T(8, 0);
                          e.TimeTo = T(9, 20);
                          e.Rate = C("1,150.00");
                          e.Expenses = C("12.40");
                      },
                      [](const Entry& e) {
                          EXPECT_EQ(e.Charges, C("1533.30"));  // 1,533.333…
                          EXPECT_EQ(e.DispValue1, "01:20x1,150.00");
                          EXPECT_EQ(e.Expenses, C("12.40"));
                      }},
        NormaliseCase{"MeetingSameTimesKeepTheStart", Entry::kMeeting,
                      [](Entry& e) {
                          e.TimeFrom = T(14, 0);
                          e.TimeTo = T(14, 0);
                          e.Charges = C("50");
                          e.Rate = C("200");
                      },
                      [](const Entry& e) {
                          EXPECT_EQ(e.TimeFrom, T(14, 0));
                          EXPECT_TRUE(e.TimeTo.IsNull());
                          EXPECT_EQ(e.DispValue1, "14:00");
                          EXPECT_EQ(e.DispValue2, "");
                          EXPECT_TRUE(e.Charges.IsZero());
                          EXPECT_TRUE(e.Rate.IsZero());
                      }},
        NormaliseCase{"MeetingTimesPutInOrder", Entry::kMeeting,
                      [](Entry& e) {
                          e.TimeFrom = T(16, 0);
                          e.TimeTo = T(9, 0);
                          e.TimeBreak = T(0, 15);
                      },
                      [](const Entry& e) {
                          EXPECT_EQ(e.TimeFrom, T(9, 0));
                          EXPECT_EQ(e.TimeTo, T(16, 0));
                          EXPECT_TRUE(e.TimeBreak.IsNull());
                          EXPECT_EQ(e.DispValue1, "09:00");
                          EXPECT_EQ(e.DispValue2, "16:00");
                      }},
        NormaliseCase{"MeetingEndAloneBecomesTheStart", Entry::kMeeting,
                      [](Entry& e) { e.TimeTo = T(11, 5); },
                      [](const Entry& e) {
                          EXPECT_EQ(e.TimeFrom, T(11, 5));
                          EXPECT_TRUE(e.TimeTo.IsNull());
                          EXPECT_EQ(e.DispValue1, "11:05");
                      }},
        NormaliseCase{"DocumentTextFromAWindowsPath", Entry::kDocument,
                      [](Entry& e) {
                          e.DocLink = "C:\\Akten\\Brief.doc";
                          e.TimeFrom = Date::FromYmdHms(2024, 3, 5, 10, 15, 0);
                          e.TimeTo = T(11, 0);
                          e.Billed = C("10");
                      },
                      [](const Entry& e) {
                          EXPECT_EQ(e.Text, "Brief.doc");
                          EXPECT_EQ(e.DispValue1, "05.03.24");
                          EXPECT_EQ(e.DispValue2, "10:15");
                          EXPECT_TRUE(e.TimeTo.IsNull());
                          EXPECT_TRUE(e.Billed.IsZero());
                      }},
        NormaliseCase{"DocumentTextFromALinuxPath", Entry::kDocument,
                      [](Entry& e) { e.DocLink = "/home/anna/Akten/Kaufvertrag Meier.pdf"; },
                      [](const Entry& e) {
                          EXPECT_EQ(e.Text, "Kaufvertrag Meier.pdf");
                          EXPECT_EQ(e.DispValue1, "???");
                          EXPECT_EQ(e.DispValue2, "???");
                      }},
        NormaliseCase{"DocumentKeepsItsTextAndWithoutLinkShowsNothing", Entry::kDocument,
                      [](Entry& e) {
                          e.Text = "Testament";
                          e.TimeFrom = T(9, 0);
                      },
                      [](const Entry& e) {
                          EXPECT_EQ(e.Text, "Testament");
                          EXPECT_EQ(e.DispValue1, "");
                          EXPECT_EQ(e.DispValue2, "");
                      }},
        NormaliseCase{"VatShowsRateAndTurnover", Entry::kVat,
                      [](Entry& e) {
                          e.CalcValue1 = C("0.076");
                          e.CalcValue2 = C("12345.60");
                          e.VAT = C("938.30");
                          e.Charges = C("1");
                          e.TimeFrom = T(8, 0);
                      },
                      [](const Entry& e) {
                          EXPECT_EQ(e.DispValue1, "7.60 %");
                          EXPECT_EQ(e.DispValue2, "12,345.60");
                          EXPECT_EQ(e.VAT, C("938.30"));
                          EXPECT_TRUE(e.Charges.IsZero());
                          EXPECT_TRUE(e.TimeFrom.IsNull());
                          EXPECT_EQ(e.RecTypeTopic(), "Mehrwertsteuer");
                      }},
        NormaliseCase{"InvoiceShowsAdjustmentAndBilled", Entry::kInvoice,
                      [](Entry& e) {
                          e.Adapted = C("-20");
                          e.Billed = C("1500");
                          e.Charges = C("3");
                          e.Rate = C("100");
                      },
                      [](const Entry& e) {
                          EXPECT_EQ(e.DispValue1, "-20.00");
                          EXPECT_EQ(e.DispValue2, "1,500.00");
                          EXPECT_TRUE(e.Charges.IsZero());
                          EXPECT_TRUE(e.Rate.IsZero());
                      }},
        NormaliseCase{"UnknownTypeBecomesFees", 9,
                      [](Entry& e) {
                          e.Charges = C("120");
                          e.Expenses = C("8.50");
                          e.Billed = C("5");
                          e.TypeCharges = 38;
                          e.TypeExpenses = 0;
                      },
                      [](const Entry& e) {
                          EXPECT_EQ(e.RecType(), Entry::kCharges);
                          EXPECT_EQ(e.DispValue1, "120.00");
                          EXPECT_EQ(e.DispValue2, "8.50");
                          EXPECT_TRUE(e.Billed.IsZero());
                          EXPECT_EQ(e.TypeCharges, 1);
                          EXPECT_EQ(e.TypeExpenses, 1);
                          EXPECT_EQ(e.RecTypeText(), "G  ");
                      }},
        NormaliseCase{"AllTypeBecomesFees", 0, [](Entry&) {},
                      [](const Entry& e) { EXPECT_EQ(e.RecType(), Entry::kCharges); }},
        NormaliseCase{"NotaryTariffStaysAndActsLikeFees", Entry::kNotary,
                      [](Entry& e) {
                          e.Charges = C("250");
                          e.Adapted = C("4");
                          e.TypeCharges = 12;
                          e.TypeExpenses = 2;
                          e.CalcType = 3;
                          e.IsBaseCharge = true;
                          e.ChargesType = 1;
                      },
                      [](const Entry& e) {
                          EXPECT_EQ(e.RecType(), Entry::kNotary);
                          EXPECT_TRUE(e.Adapted.IsZero());
                          EXPECT_EQ(e.RecTypeText(), "NA0");
                          EXPECT_EQ(e.CalcType, 3);
                          EXPECT_TRUE(e.IsBaseCharge);
                          EXPECT_EQ(e.ChargesType, 1);
                      }}),
    [](const ::testing::TestParamInfo<NormaliseCase>& p) { return std::string(p.param.name); });

TEST(EntryRules, WorkFeeRoundsToTenRappenTiesToEven) {
    const struct {
        Date time;
        const char* rate;
        const char* fee;
    } cases[] = {{T(0, 50), "95", "79.20"}, {T(0, 30), "0.50", "0.20"}, {T(0, 30), "0.70", "0.40"}};
    for (const auto& c : cases) {  // 79.1666…, 0.25 and 0.35 exactly
        Entry e = Fresh(Entry::kWork);
        e.TimeTo = c.time;
        e.Rate = C(c.rate);
        e.Verify();
        EXPECT_EQ(e.Charges, C(c.fee)) << c.rate;
    }
}

TEST(EntryRules, TimeLapRoundsToWholeMinutesTiesToEven) {
    const Date none;
    EXPECT_EQ(Entry::TimeLap(T(8, 0), T(9, 20), none), T(1, 20));
    EXPECT_EQ(Entry::TimeLap(T(8, 0), T(12, 0), T(0, 30)), T(3, 30));
    EXPECT_EQ(Entry::TimeLap(none, T(1, 30), none), T(1, 30));
    EXPECT_EQ(Entry::TimeLap(T(10, 0), T(9, 0), none).Serial(), -T(1, 0).Serial());
    // half minutes: 0.5 goes to 0, 1.5 and 2.5 to 2
    EXPECT_EQ(Entry::TimeLap(none, Date::FromYmdHms(1899, 12, 30, 0, 0, 30), none).Serial(), 0.0);
    EXPECT_EQ(Entry::TimeLap(none, Date::FromYmdHms(1899, 12, 30, 0, 1, 30), none), T(0, 2));
    EXPECT_EQ(Entry::TimeLap(none, Date::FromYmdHms(1899, 12, 30, 0, 2, 30), none), T(0, 2));
    EXPECT_EQ(Entry::TimeLap(none, none, none).Serial(), 0.0);
}

TEST(EntryRules, AClearedEntryIsOneOfTodayWithTheStandardCategories) {
    Entry e;
    e.Text = "x";
    e.Charges = C("3");
    e.TypeCharges = 20;
    e.IsBaseCharge = true;
    e.ClearData();
    EXPECT_EQ(e.RecType(), Entry::kNone);
    EXPECT_EQ(e.BookDate, Date::Today());
    EXPECT_EQ(e.Text, "");
    EXPECT_TRUE(e.Charges.IsZero());
    EXPECT_EQ(e.TypeCharges, 1);
    EXPECT_EQ(e.TypeExpenses, 1);
    EXPECT_FALSE(e.IsBaseCharge);
    EXPECT_EQ(e.RecTypeText(), "?  ");
}

TEST(EntryRules, RestorePutsTheSnapshotBackButNotIsBaseCharge) {
    Entry e = Fresh(Entry::kCharges);
    e.Text = "Beglaubigung";
    e.Charges = C("20");
    e.SetPersonID(4);
    e.ClearAll();  // takes the snapshot of a cleared entry
    e.Text = "geändert";
    e.Charges = C("99");
    e.SetRecType(Entry::kVat);
    e.SetProjectID(7);
    e.TypeExpenses = 30;
    e.IsBaseCharge = true;
    e.Restore();
    EXPECT_EQ(e.Text, "");
    EXPECT_TRUE(e.Charges.IsZero());
    EXPECT_EQ(e.RecType(), Entry::kNone);
    EXPECT_EQ(e.ProjectID(), 0);
    EXPECT_EQ(e.PersonID(), -1);
    EXPECT_EQ(e.TypeExpenses, 1);
    EXPECT_TRUE(e.IsBaseCharge);
    e.Restore();  // any number of times
    EXPECT_EQ(e.Text, "");
}

using EntryOnFile = EntriesDb;

TEST_F(EntryOnFile, ProFormaAmountsGoToTheSuffixColumnsAndComeBack) {
    struct Row {
        std::int32_t rec_type;
        std::int16_t charges_type;
        const char* column;         // where the amount must land
        const char* empty_column;   // and where it must not
    };
    const Row rows[] = {
        {Entry::kCharges, 1, "Charges1", "Charges"}, {Entry::kCharges, 0, "Charges", "Charges1"},
        {Entry::kWork, 1, "Charges1", "Charges"},    {Entry::kInvoice, 1, "Billed1", "Billed"},
        {Entry::kVat, 1, "VAT1", "VAT"},             {Entry::kVat, 0, "VAT", "VAT1"},
        {Entry::kNotary, 1, "Charges", "Charges1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.column) + " type " + std::to_string(row.rec_type));
        Entry e = Fresh(row.rec_type);
        e.ChargesType = row.charges_type;
        const Currency amount = C("100");
        if (row.rec_type == Entry::kInvoice) {
            e.Billed = amount;
        } else if (row.rec_type == Entry::kVat) {
            e.VAT = amount;
        } else {
            e.Charges = amount;
            e.TimeTo = T(1, 0);  // a working-time entry without a rate keeps its fee
        }
        const std::int32_t id = Entries().Add(e);
        const std::string where = " FROM Entry WHERE ID = " + std::to_string(id);
        EXPECT_EQ(Scalar("SELECT " + std::string(row.column) + where).ToCurrency(), amount);
        EXPECT_EQ(Scalar("SELECT " + std::string(row.empty_column) + where).ToCurrency(), Currency());

        Entry back = Entries().Item(id);
        EXPECT_EQ(back.ChargesType, row.charges_type);
        const Currency read = row.rec_type == Entry::kInvoice ? back.Billed
                              : row.rec_type == Entry::kVat   ? back.VAT
                                                              : back.Charges;
        EXPECT_EQ(read, amount);
    }
    // no report total picks up a pro-forma amount
    EXPECT_EQ(Scalar("SELECT Sum(Charges) + Sum(VAT) + Sum(Billed) FROM Entry").ToCurrency(), C("300"));
}

TEST_F(EntryOnFile, WritesTheRowAsTheFieldWritersDoAndReadsItBack) {
    Entry e = Fresh(Entry::kWork);
    e.Text = std::string(300, 'x');
    e.Visum = "AM";
    e.TimeFrom = T(8, 15);
    e.TimeTo = T(9, 0);
    e.Rate = C("180");
    e.CalcDate1 = Date::FromYmd(2024, 2, 1);
    e.CalcValue3 = C("1.2345");
    e.TypeCharges = 13;
    e.TypeExpenses = 22;
    e.Info = "Zeile 1\r\nZeile 2";
    const std::int32_t id = Entries().Add(e);
    const std::string where = " FROM Entry WHERE ID = " + std::to_string(id);
    EXPECT_EQ(Scalar("SELECT RecTypeText" + where).ToText(), "ABK");
    EXPECT_EQ(Scalar("SELECT DispValue1" + where).ToText(), "00:45x180.00");
    EXPECT_EQ(Scalar("SELECT Charges" + where).ToCurrency(), C("135"));
    EXPECT_EQ(Scalar("SELECT Len(Text)" + where).ToLong(), 255);
    EXPECT_TRUE(Scalar("SELECT DocLink" + where).IsNull()) << "an empty text is stored as Null";
    EXPECT_TRUE(Scalar("SELECT CalcDate2" + where).IsNull()) << "the date 0 is stored as Null";
    EXPECT_EQ(Scalar("SELECT PersonID" + where).ToLong(), -1);

    Entry back = Entries().Item(id);
    EXPECT_EQ(back.ID(), id);
    EXPECT_EQ(back.Text, std::string(255, 'x'));
    EXPECT_EQ(back.Info, "Zeile 1\r\nZeile 2");
    EXPECT_EQ(back.TimeTo, T(9, 0));
    EXPECT_EQ(back.CalcDate1, Date::FromYmd(2024, 2, 1));
    EXPECT_EQ(back.CalcValue3, C("1.2345"));
    EXPECT_EQ(back.BookDate, Date::FromYmd(2024, 3, 5));
    EXPECT_EQ(back.TypeExpenses, 22);

    // a rate of 0 is stored as Null and read back as 0
    back.Rate = Currency();
    back.Update();
    EXPECT_TRUE(Scalar("SELECT Rate" + where).IsNull());
    EXPECT_EQ(Scalar("SELECT Charges" + where).ToCurrency(), C("135"));
    EXPECT_TRUE(Entries().Item(id).Rate.IsZero());
}

TEST_F(EntryOnFile, OutOfRangeCategoriesReadBackAsTheStandardOne) {
    Db().Execute("INSERT INTO Entry (ID, RecType, TypeCharges, TypeExpenses) VALUES (5, 1, 38, 0)");
    Entries().Refresh();
    Entry e = Entries().Item(5);
    EXPECT_EQ(e.TypeCharges, 1);
    EXPECT_EQ(e.TypeExpenses, 1);
    e.Update();
    EXPECT_EQ(Scalar("SELECT TypeCharges FROM Entry WHERE ID = 5").ToLong(), 1);
    EXPECT_EQ(Scalar("SELECT RecTypeText FROM Entry WHERE ID = 5").ToText(), "G  ");
}

TEST_F(EntryOnFile, SavingAnEntryWhoseRowIsGoneFailsAndWritesNothing) {
    Entry e = Fresh(Entry::kCharges);
    e.Text = "Original";
    const std::int32_t id = Entries().Add(e);
    Entries().Remove(id);
    e.Text = "Geändert";
    e.IsBaseCharge = true;
    try {
        e.Update();
        FAIL() << "no error";
    } catch (const db::DbError& error) {
        EXPECT_EQ(error.Number(), 3020);
    }
    EXPECT_EQ(Entries().Count(), 0);
    EXPECT_EQ(e.ID(), id);
    e.Restore();
    EXPECT_EQ(e.Text, "Original") << "the snapshot is the one of the last save";
    // the cursor is usable afterwards
    Entry other = Fresh(Entry::kCharges);
    EXPECT_EQ(Entries().Add(other), 1);
}

}  // namespace
}  // namespace tlx4r::test
