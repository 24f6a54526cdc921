#include "entries/Entry.h"

#include "core/Reporting.h"
#include "core/TableCursor.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/Recordset.h"
#include "entries/Entries.h"
#include "entries/EntryTypes.h"
#include "entries/modTypeBase.h"
#include "masterdata/Data.h"
#include "masterdata/Datas.h"
#include "masterdata/Project.h"
#include "masterdata/Projects.h"
#include "types/AppError.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace tlx4r {

namespace {

std::shared_ptr<const Project> ProjectFetch(std::int32_t id) {
    Projects* projects = goReporting ? goReporting->Projects() : nullptr;
    return std::make_shared<const Project>(projects ? projects->Item(id) : Project());
}

std::shared_ptr<const Data> PersonFetch(std::int32_t id) {
    Datas* persons = goReporting ? goReporting->Persons() : nullptr;
    return std::make_shared<const Data>(persons ? persons->Item(id) : Data());
}

std::int32_t CategoryOrStandard(std::int32_t n) { return n >= 1 && n <= kTypeMax ? n : 1; }

// Minutes of a span of days, whole and ties to even. The span is first cut to a millionth of
// a minute so that a half minute made of binary fractions still counts as a tie.
long long WholeMinutes(double days) {
    const double minutes = std::round(days * 1440.0 * 1e6) / 1e6;
    return static_cast<long long>(std::nearbyint(minutes));
}

// A duration in minutes as "hh:mm"; hours past a day are not folded back, as a time of day
// would be.
std::string DurationText(long long minutes) {
    const long long m = std::llabs(minutes);
    return std::string(minutes < 0 ? "-" : "") + NumZeroFill(static_cast<long>(m / 60), 2) + ":" +
           NumZeroFill(static_cast<long>(m % 60), 2);
}

// rate × minutes / 60, rounded to 0.10 with ties to even, computed exactly: the product of an
// amount and a number of minutes needs no binary fraction at all.
__extension__ using Wide = __int128;

Currency FeeOf(Currency rate, long long minutes) {
    const Wide numerator = static_cast<Wide>(rate.Units()) * minutes;
    const Wide step = 60 * 1000;  // 0.10 is 1000 units; an hour has 60 minutes
    Wide q = numerator / step;
    Wide r = numerator % step;
    if (r < 0) {
        r += step;
        q -= 1;
    }
    if (2 * r > step || (2 * r == step && (q % 2 != 0))) ++q;
    const Wide units = q * 1000;
    if (units > std::numeric_limits<std::int64_t>::max() || units < std::numeric_limits<std::int64_t>::min())
        throw std::overflow_error("Das Honorar aus Ansatz und Arbeitszeit ist zu gross.");
    return Currency::FromUnits(static_cast<std::int64_t>(units));
}

std::string TimeText(Date time, const char* pattern) { return time.IsNull() ? std::string() : time.Format(pattern); }

Date DateOf(const db::Value& v) { return v.IsNull() ? Date() : v.ToDate(); }
bool BoolOf(const db::Value& v) { return !v.IsNull() && v.ToBool(); }

const char* const kRegular[] = {"Charges", "Expenses", "Adapted", "Billed", "VAT"};
const char* const kProForma[] = {"Charges1", "Expenses1", "Adapted1", "Billed1", "VAT1"};

}  // namespace

Entry::Entry(Entries* owner) : owner_(owner) {}

Entries& Entry::Owner() const {
    return owner_.Require(goReporting != nullptr ? goReporting->Entries() : nullptr, "Entry");
}

std::string Entry::RecTypeText() const {
    return EntryTypes::EntryCode(rec_type_) + TypeCode(TypeCharges) + TypeCode(TypeExpenses);
}

std::string Entry::RecTypeTopic() const { return EntryTypes::EntryTopic(rec_type_); }

void Entry::SetProjectID(std::int32_t id) {
    if (id == project_id_) return;
    project_id_ = id;
    project_.reset();
}

void Entry::SetPersonID(std::int32_t id) {
    if (id == person_id_) return;
    person_id_ = id;
    person_.reset();
}

const Project& Entry::Project() const {
    if (!project_) project_ = ProjectFetch(project_id_);
    return *project_;
}

const Data& Entry::Person() const {
    if (!person_) person_ = PersonFetch(person_id_);
    return *person_;
}

Date Entry::TimeLap(Date from, Date to, Date brk) {
    double span = 0;
    if (!to.IsNull()) span = to.Serial();
    if (!from.IsNull()) span -= from.Serial();
    if (!brk.IsNull()) span -= brk.Serial();
    return Date(static_cast<double>(WholeMinutes(span)) / 60.0 / 24.0);
}

Currency Entry::WorkFee(Currency rate, Date lap) { return FeeOf(rate, WholeMinutes(lap.Serial())); }

void Entry::WorkCalculate() {
    if (Rate.IsZero()) return;
    const long long minutes = WholeMinutes(TimeLap(TimeFrom, TimeTo, TimeBreak).Serial());
    if (minutes == 0) return;
    Charges = FeeOf(Rate, minutes);
    DispValue1 = DurationText(minutes) + "x" + AmountFormat(Rate);
}

void Entry::Verify() {
    if (BookDate.IsNull()) BookDate = Date::Today();
    DispValue1.clear();
    DispValue2.clear();
    const auto no_times = [this] { TimeFrom = TimeTo = TimeBreak = Date(); };
    const auto no_amounts = [this] { Charges = Expenses = Adapted = Billed = VAT = Currency(); };
    switch (rec_type_) {
        case kInvoice:
            Charges = Expenses = VAT = Currency();
            no_times();
            Rate = Currency();
            DocLink.clear();
            DispValue1 = AmountFormat(Adapted);
            DispValue2 = AmountFormat(Billed);
            break;
        case kWork:
            Adapted = Billed = VAT = Currency();
            DocLink.clear();
            // one time given in the start field is a duration
            if (TimeTo.IsNull() && !TimeFrom.IsNull()) {
                TimeTo = TimeFrom;
                TimeFrom = Date();
            }
            WorkCalculate();
            DispValue2 = AmountFormat(Charges);
            break;
        case kMeeting:
            no_amounts();
            TimeBreak = Date();
            Rate = Currency();
            DocLink.clear();
            if (!TimeTo.IsNull()) {
                if (TimeFrom.IsNull()) {
                    TimeFrom = TimeTo;
                    TimeTo = Date();
                } else if (TimeTo == TimeFrom) {
                    TimeTo = Date();
                } else if (TimeTo < TimeFrom) {
                    std::swap(TimeFrom, TimeTo);
                }
            }
            DispValue1 = TimeText(TimeFrom, "hh:mm");
            DispValue2 = TimeText(TimeTo, "hh:mm");
            break;
        case kDocument:
            no_amounts();
            TimeTo = TimeBreak = Date();
            if (!DocLink.empty()) {
                if (Text.empty()) Text = FileNameOf(DocLink);
                if (!TimeFrom.IsNull() && Rate.IsZero()) {
                    DispValue1 = TimeFrom.Format("dd.mm.yy");
                    DispValue2 = TimeFrom.Format("hh:mm");
                } else {
                    DispValue1 = DispValue2 = "???";
                }
            }
            break;
        case kVat:
            Charges = Expenses = Adapted = Billed = Currency();
            no_times();
            Rate = Currency();
            DocLink.clear();
            DispValue1 = (CalcValue1 * 100).Format(2, false) + " %";
            DispValue2 = AmountFormat(CalcValue2);
            break;
        default:
            if (rec_type_ != kNotary) rec_type_ = kCharges;
            Adapted = Billed = VAT = Currency();
            no_times();
            Rate = Currency();
            DocLink.clear();
            DispValue1 = AmountFormat(Charges);
            DispValue2 = AmountFormat(Expenses);
            break;
    }
    TypeCharges = CategoryOrStandard(TypeCharges);
    TypeExpenses = CategoryOrStandard(TypeExpenses);
}

void Entry::ClearAll() {
    id_ = 0;
    ClearData();
    TakeSnapshot();
}

void Entry::ClearData() {
    SetProjectID(0);
    SetPersonID(-1);
    Archive = false;
    SetRecType(kNone);
    BookDate = Date::Today();
    Text.clear();
    Info.clear();
    Visum.clear();
    DispValue1.clear();
    DispValue2.clear();
    Charges = Expenses = Adapted = Billed = VAT = Currency();
    TimeFrom = TimeTo = TimeBreak = Date();
    Rate = Currency();
    DocLink.clear();
    CalcType = 0;
    CalcValue1 = CalcValue2 = CalcValue3 = CalcValue4 = Currency();
    CalcDate1 = CalcDate2 = Date();
    ChargesType = 0;
    IsBaseCharge = false;
    TypeCharges = 1;
    TypeExpenses = 1;
}

void Entry::TakeSnapshot() {
    Snapshot& s = snapshot_;
    s.project_id = project_id_;
    s.person_id = person_id_;
    s.archive = Archive;
    s.rec_type = rec_type_;
    s.book_date = BookDate;
    s.text = Text;
    s.info = Info;
    s.visum = Visum;
    s.disp1 = DispValue1;
    s.disp2 = DispValue2;
    s.charges = Charges;
    s.expenses = Expenses;
    s.adapted = Adapted;
    s.billed = Billed;
    s.vat = VAT;
    s.time_from = TimeFrom;
    s.time_to = TimeTo;
    s.time_break = TimeBreak;
    s.rate = Rate;
    s.doc_link = DocLink;
    s.calc_type = CalcType;
    s.calc1 = CalcValue1;
    s.calc2 = CalcValue2;
    s.calc3 = CalcValue3;
    s.calc4 = CalcValue4;
    s.calc_date1 = CalcDate1;
    s.calc_date2 = CalcDate2;
    s.charges_type = ChargesType;
    s.type_charges = TypeCharges;
    s.type_expenses = TypeExpenses;
}

void Entry::Restore() {
    const Snapshot& s = snapshot_;
    SetProjectID(s.project_id);
    SetPersonID(s.person_id);
    SetRecType(s.rec_type);
    Archive = s.archive;
    BookDate = s.book_date;
    Text = s.text;
    Info = s.info;
    Visum = s.visum;
    DispValue1 = s.disp1;
    DispValue2 = s.disp2;
    Charges = s.charges;
    Expenses = s.expenses;
    Adapted = s.adapted;
    Billed = s.billed;
    VAT = s.vat;
    TimeFrom = s.time_from;
    TimeTo = s.time_to;
    TimeBreak = s.time_break;
    Rate = s.rate;
    DocLink = s.doc_link;
    CalcType = s.calc_type;
    CalcValue1 = s.calc1;
    CalcValue2 = s.calc2;
    CalcValue3 = s.calc3;
    CalcValue4 = s.calc4;
    CalcDate1 = s.calc_date1;
    CalcDate2 = s.calc_date2;
    ChargesType = s.charges_type;
    TypeCharges = s.type_charges;
    TypeExpenses = s.type_expenses;
}

void Entry::Delete(std::int32_t id) {
    db::Recordset& rs = Owner().Cursor().Get();
    rs.Seek("=", db::Value(id));
    if (!rs.NoMatch()) rs.Delete();
}

void Entry::LoadByID(std::int32_t id) {
    db::Recordset& rs = Owner().Cursor().Get();
    rs.Seek("=", db::Value(id));
    if (rs.NoMatch()) {
        ClearAll();
        return;
    }
    id_ = rs.Get("ID").ToLong();
    SetProjectID(NullToLong(rs.Get("ProjectID")));
    SetPersonID(NullToLong(rs.Get("PersonID")));
    Archive = BoolOf(rs.Get("Archive"));
    SetRecType(NullToLong(rs.Get("RecType")));
    BookDate = DateOf(rs.Get("BookDate"));
    Text = NullToString(rs.Get("Text"));
    Info = NullToString(rs.Get("Info"));
    Visum = NullToString(rs.Get("Visum"));
    DispValue1 = NullToString(rs.Get("DispValue1"));
    DispValue2 = NullToString(rs.Get("DispValue2"));

    // Amounts: a database of an older release may lack some of these columns; the amounts then
    // stay as they were.
    const auto read = [&rs](const char* column, Currency& member) {
        if (rs.HasField(column)) member = NullToCurrency(rs.Get(column));
    };
    if (rs.HasField("ChargesType")) ChargesType = static_cast<std::int16_t>(NullToLong(rs.Get("ChargesType")));
    const bool pro_forma = ChargesType != 0;
    Currency* const members[] = {&Charges, &Expenses, &Adapted, &Billed, &VAT};
    const bool from_suffix = pro_forma && rec_type_ >= kCharges && rec_type_ <= kWork;
    for (int i = 0; i < 4; ++i) read(from_suffix ? kProForma[i] : kRegular[i], *members[i]);
    // The tax of a pro-forma VAT entry lives in VAT1 only, like every pro-forma amount.
    read(pro_forma && rec_type_ == kVat ? "VAT1" : "VAT", VAT);

    TimeFrom = DateOf(rs.Get("TimeFrom"));
    TimeTo = DateOf(rs.Get("TimeTo"));
    TimeBreak = DateOf(rs.Get("TimeBreak"));
    Rate = NullToCurrency(rs.Get("Rate"));
    DocLink = NullToString(rs.Get("DocLink"));
    CalcType = NullToLong(rs.Get("CalcType"));
    CalcValue1 = NullToCurrency(rs.Get("CalcValue1"));
    CalcValue2 = NullToCurrency(rs.Get("CalcValue2"));
    CalcValue3 = NullToCurrency(rs.Get("CalcValue3"));
    CalcValue4 = NullToCurrency(rs.Get("CalcValue4"));
    CalcDate1 = DateOf(rs.Get("CalcDate1"));
    CalcDate2 = DateOf(rs.Get("CalcDate2"));
    IsBaseCharge = BoolOf(rs.Get("IsBaseCharge"));
    TypeCharges = rs.Get("TypeCharges").IsNull() ? 1 : CategoryOrStandard(rs.Get("TypeCharges").ToLong());
    TypeExpenses = rs.Get("TypeExpenses").IsNull() ? 1 : CategoryOrStandard(rs.Get("TypeExpenses").ToLong());
    TakeSnapshot();
}

void Entry::SaveAsNew() { Save(true); }

void Entry::Update() { Save(false); }

void Entry::Save(bool as_new) {
    Verify();
    db::Recordset& rs = Owner().Cursor().Get();
    const auto write = [this](db::Recordset& row) {
        FieldValueSet(row, "ProjectID", db::Value(project_id_));
        FieldValueSet(row, "PersonID", db::Value(person_id_));
        FieldValueSet(row, "Archive", db::Value(Archive));
        FieldValueSet(row, "RecType", db::Value(rec_type_));
        FieldTextSet(row, "RecTypeText", RecTypeText());
        FieldValueSet(row, "BookDate", DateToField(BookDate));
        FieldTextSet(row, "Text", Text);
        FieldTextSet(row, "Info", Info);
        FieldTextSet(row, "Visum", Visum);
        FieldTextSet(row, "DispValue1", DispValue1);
        FieldTextSet(row, "DispValue2", DispValue2);

        FieldValueSet(row, "ChargesType", db::Value(static_cast<std::int32_t>(ChargesType)));
        FieldValueSet(row, "TypeCharges", db::Value(TypeCharges));
        FieldValueSet(row, "TypeExpenses", db::Value(TypeExpenses));
        // Per amount: whether the record type keeps it at all, and whether it goes into the
        // pro-forma column (suffix 1) instead of the regular one; the other column gets 0.
        const Currency members[] = {Charges, Expenses, Adapted, Billed, VAT};
        const bool pro_forma = ChargesType != 0;
        bool kept[5] = {true, true, true, true, true};  // the member reaches a column at all
        bool suffix[5] = {false, false, false, false, false};
        switch (rec_type_) {
            case kCharges:
            case kWork:
                kept[4] = false;
                suffix[0] = suffix[1] = pro_forma;
                break;
            case kInvoice:
                kept[0] = kept[1] = kept[4] = false;
                suffix[2] = suffix[3] = pro_forma;
                break;
            case kVat:
                kept[0] = kept[1] = kept[2] = kept[3] = false;
                suffix[4] = pro_forma;
                break;
            default:
                break;
        }
        for (int i = 0; i < 5; ++i) {
            const Currency value = kept[i] ? members[i] : Currency();
            FieldValueSet(row, kRegular[i], db::Value(suffix[i] ? Currency() : value));
            FieldValueSet(row, kProForma[i], db::Value(suffix[i] ? value : Currency()));
        }

        FieldValueSet(row, "TimeFrom", DateToField(TimeFrom));
        FieldValueSet(row, "TimeTo", DateToField(TimeTo));
        FieldValueSet(row, "TimeBreak", DateToField(TimeBreak));
        FieldValueSet(row, "Rate", Rate.IsZero() ? db::Value() : db::Value(Rate));
        FieldTextSet(row, "DocLink", DocLink);
        FieldValueSet(row, "CalcType", db::Value(CalcType));
        FieldValueSet(row, "CalcValue1", db::Value(CalcValue1));
        FieldValueSet(row, "CalcValue2", db::Value(CalcValue2));
        FieldValueSet(row, "CalcValue3", db::Value(CalcValue3));
        FieldValueSet(row, "CalcValue4", db::Value(CalcValue4));
        FieldValueSet(row, "CalcDate1", DateToField(CalcDate1));
        FieldValueSet(row, "CalcDate2", DateToField(CalcDate2));
        FieldValueSet(row, "IsBaseCharge", db::Value(IsBaseCharge));
    };
    if (as_new || id_ == 0) {
        // Another program recording at the same time may take the ID first: the next one is used.
        id_ = AddWithNextID(Owner().Cursor(), write);
        TakeSnapshot();
        return;
    }
    rs.Seek("=", db::Value(id_));
    // Without a row the cursor stays out of edit mode and the first write below fails with the
    // engine's error: nothing is written.
    if (!rs.NoMatch()) rs.Edit();
    try {
        write(rs);
        rs.Update();
    } catch (...) {
        if (rs.GetEditMode() != db::Recordset::EditMode::None) rs.CancelUpdate();
        throw;
    }
    TakeSnapshot();
}

}  // namespace tlx4r
