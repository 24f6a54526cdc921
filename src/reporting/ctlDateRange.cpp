#include "reporting/ctlDateRange.h"

#include "core/modValidate.h"
#include "entries/modDateTime.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>

namespace tlx4r {

namespace {

constexpr std::array<const char*, 6> kDateTypes{"Datum", "Woche", "Monat", "Quartal", "Semester", "Jahr"};
constexpr std::array<const char*, 6> kCountTypes{"Tag", "Woche", "Monat", "Quartal", "Semester", "Jahr"};

// Periods per year of a period type; 0 for types without a period list.
int PeriodsOf(const std::string& type) {
    if (type == "Woche") return 52;
    if (type == "Monat") return 12;
    if (type == "Quartal") return 4;
    if (type == "Semester") return 2;
    return 0;
}

std::optional<long long> ParseWhole(const std::string& text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// date moved by count periods of type; results beyond the calendar stick to its ends, where
// the bounds then catch them.
Date Advance(Date date, const std::string& type, long long count) {
    const Date earliest = ui::DatePicker::Earliest();
    const Date latest = ui::DatePicker::Latest();
    long long days = 0;
    long long months = 0;
    if (type == "Woche") {
        days = 7 * count;
    } else if (type == "Monat") {
        months = count;
    } else if (type == "Quartal") {
        months = 3 * count;
    } else if (type == "Semester") {
        months = 6 * count;
    } else if (type == "Jahr") {
        months = 12 * count;
    } else {
        days = count;
    }
    if (days != 0) {
        double serial = date.Serial() + static_cast<double>(days);
        if (serial < earliest.Serial()) return earliest;
        if (serial > latest.Serial()) return latest;
        return Date(serial);
    }
    long long target = static_cast<long long>(date.Year()) * 12 + (date.Month() - 1) + months;
    if (target < 1601LL * 12) return earliest;
    if (target > 9999LL * 12 + 11) return latest;
    return date.AddMonths(static_cast<int>(months));
}

std::string Text(Date date) { return date.Format("dd.mm.yyyy"); }

}  // namespace

ctlDateRange::Reaction::Reaction(ctlDateRange& control) : control_(control), scope_(control) {
    ++control_.reacting_;
}

ctlDateRange::Reaction::~Reaction() {
    if (--control_.reacting_ == 0) control_.Recalculate();
}

ctlDateRange::ctlDateRange() : ui::Form("ctlDateRange"),
    from_{true, optFromMode, cbxFromType, fraFromDate, dtpFrom, fraFromYear, txtFromYear, lblFromYearEnd,
          chkFromYearEnd, fraFromCount, lblFromCount, cbxFromCount, txtFromCount, btnFromCountFirst,
          btnFromCountLast, lblFromEnd, chkFromEnd},
    to_{false, optToMode, cbxToType, fraToDate, dtpTo, fraToYear, txtToYear, lblToYearEnd, chkToYearEnd,
        fraToCount, lblToCount, cbxToCount, txtToCount, btnToCountFirst, btnToCountLast, lblToEnd, chkToEnd} {
    Init();
}

ctlDateRange::ctlDateRange(ui::Form& host, std::string instance_name)
    : ui::Form(host, std::move(instance_name), "ctlDateRange"),
      from_{true, optFromMode, cbxFromType, fraFromDate, dtpFrom, fraFromYear, txtFromYear, lblFromYearEnd,
            chkFromYearEnd, fraFromCount, lblFromCount, cbxFromCount, txtFromCount, btnFromCountFirst,
            btnFromCountLast, lblFromEnd, chkFromEnd},
      to_{false, optToMode, cbxToType, fraToDate, dtpTo, fraToYear, txtToYear, lblToYearEnd, chkToYearEnd,
          fraToCount, lblToCount, cbxToCount, txtToCount, btnToCountFirst, btnToCountLast, lblToEnd, chkToEnd} {
    Init();
}

void ctlDateRange::Init() {
    SetCaption("Datumsbereich");
    SetMinimumSize(MinWidth2(), MinHeight());
    SetSize(MinWidth2(), MinHeight());
    const char* tips[] = {"Kein Anfangsdatum", "Anfangsdatum wählen", "Anzahl Perioden bis Enddatum",
                          "Exakt an einem Tag"};
    const char* captions[] = {"(leer)", "Datum", "Anzahl", "Exakt"};
    for (int i = 0; i < 4; ++i) {
        optFromMode[i].SetCaption(captions[i]);
        optFromMode[i].SetToolTip(tips[i]);
    }
    optToMode[0].SetCaption("(leer)");
    optToMode[0].SetToolTip("Kein Enddatum");
    optToMode[1].SetCaption("Datum");
    optToMode[1].SetToolTip("Enddatum wählen");
    optToMode[2].SetCaption("Anzahl");
    optToMode[2].SetToolTip("Anzahl Perioden ab Anfangsdatum");
    optToMode[4].SetCaption("Bereich");
    optToMode[4].SetToolTip("Anzahl Perioden vor/nach Anfangsdatum (+/-)");
    for (Side* side : {&from_, &to_}) {
        side->type.SetToolTip("Periodenart");
        side->year.SetToolTip("Jahrzahl");
        side->count_list.SetToolTip("Nummer der Periode");
        side->count.SetToolTip("Anzahl Perioden");
        // A period box needs a year to mean anything; the current one is the likeliest.
        side->year.SetText(std::to_string(Date::Today().Year()));
    }
    Wire();
    SetFromDateOnly(false, true);
    ControlReset();
}

void ctlDateRange::Wire() {
    for (int i : optFromMode.Indexes()) {
        optFromMode[i].Click = [this, i] { FromModeChosen(i); };
    }
    for (int i : optToMode.Indexes()) {
        optToMode[i].Click = [this, i] { ToModeChosen(i); };
    }
    WireSide(from_);
    WireSide(to_);
    btnFromYearPrevious.Click = [this] { YearButton(from_, -1, false); };
    btnFromYearNext.Click = [this] { YearButton(from_, 1, false); };
    btnFromYearCurrent.Click = [this] { YearButton(from_, 0, true); };
    btnToYearPrevious.Click = [this] { YearButton(to_, -1, false); };
    btnToYearNext.Click = [this] { YearButton(to_, 1, false); };
    btnToYearCurrent.Click = [this] { YearButton(to_, 0, true); };
    btnFromCountFirst.Click = [this] { CountButton(from_, 0, true, false, false); };
    btnFromCountPrevious.Click = [this] { CountButton(from_, -1, false, false, false); };
    btnFromCountCurrent.Click = [this] { CountButton(from_, 0, false, false, true); };
    btnFromCountNext.Click = [this] { CountButton(from_, 1, false, false, false); };
    btnFromCountLast.Click = [this] { CountButton(from_, 0, false, true, false); };
    btnToCountFirst.Click = [this] { CountButton(to_, 0, true, false, false); };
    btnToCountPrevious.Click = [this] { CountButton(to_, -1, false, false, false); };
    btnToCountCurrent.Click = [this] { CountButton(to_, 0, false, false, true); };
    btnToCountNext.Click = [this] { CountButton(to_, 1, false, false, false); };
    btnToCountLast.Click = [this] { CountButton(to_, 0, false, true, false); };
    Resize = [this] { SetSize(std::max(Width(), MinWidth1()), std::max(Height(), MinHeight())); };
}

void ctlDateRange::WireSide(Side& side) {
    side.type.Click = [this, &side] { TypeChosen(side); };
    auto recalc = [this] { Reaction r(*this); };
    side.count_list.Click = recalc;
    side.end.Click = recalc;
    side.year_end.Click = recalc;
    side.date.Change = recalc;
    for (ui::TextBox* box : {&side.year, &side.count}) {
        box->GotFocus = [box] { box->SelectAll(); };
        box->KeyPress = [](int& key) { key = KeyFilterNumber(key); };
    }
    side.year.Validate = [this, &side](bool& cancel) { YearLeft(side, cancel); };
    side.count.Validate = [this, &side](bool& cancel) { CountLeft(side, cancel); };
}

// ---- public interface -------------------------------------------------------------------

void ctlDateRange::ControlReset() {
    Reaction r(*this);
    prefix_ = "Datum: ";
    suffix_.clear();
    txtFromCount.SetText("1");
    txtToCount.SetText("1");
    ChooseMode(to_, 0);
    ChooseMode(from_, 0);
    fraTo.SetVisible(!from_date_only_);
    if (from_date_only_) {
        ChooseMode(from_, 3);
        optFromMode[0].SetToolTip("Kein Datum");
        optFromMode[1].SetToolTip("Datum wählen");
    } else {
        optFromMode[0].SetToolTip("Kein Anfangsdatum");
        optFromMode[1].SetToolTip("Anfangsdatum wählen");
    }
    ApplyFromOptionRules(SelectedMode(to_));
}

void ctlDateRange::MinDate(std::optional<Date> date) {
    if (date) date = date->DateOnly();
    if (date && max_date_ && *date > *max_date_) throw std::invalid_argument("MinDate after MaxDate");
    Reaction r(*this);
    min_date_ = date;
    for (ui::DatePicker* picker : {&dtpFrom, &dtpTo}) picker->SetMinDate(date.value_or(ui::DatePicker::Earliest()));
}

void ctlDateRange::MaxDate(std::optional<Date> date) {
    if (date) date = date->DateOnly();
    if (date && min_date_ && *date < *min_date_) throw std::invalid_argument("MaxDate before MinDate");
    Reaction r(*this);
    max_date_ = date;
    for (ui::DatePicker* picker : {&dtpFrom, &dtpTo}) picker->SetMaxDate(date.value_or(ui::DatePicker::Latest()));
}

std::string ctlDateRange::Description() const {
    if (empty_) return {};
    return prefix_ + text_ + suffix_;
}

std::string ctlDateRange::SQL(const std::string& field_name) const {
    if (empty_) return {};
    std::string out = condition_;
    const std::string token = kTokenPlaceholder;
    for (auto pos = out.find(token); pos != std::string::npos; pos = out.find(token, pos + field_name.size())) {
        out.replace(pos, token.size(), field_name);
    }
    return out;
}

void ctlDateRange::SetFromTo(std::optional<Date> from, std::optional<Date> to) {
    Reaction r(*this);
    if (from_date_only_) {
        ChooseMode(from_, from ? 3 : 0);
        ChooseMode(to_, 0);
        to.reset();
    } else {
        ChooseMode(from_, from ? 1 : 0);
        ChooseMode(to_, to ? 1 : 0);
    }
    if (from) {
        cbxFromType.SetText("Datum");
        dtpFrom.SetValue(*from);
    }
    if (to) {
        cbxToType.SetText("Datum");
        dtpTo.SetValue(*to);
    }
}

void ctlDateRange::SetWeek(int year, int number, int to_mode) { SetPeriod("Woche", year, number, to_mode); }
void ctlDateRange::SetMonth(int year, int number, int to_mode) { SetPeriod("Monat", year, number, to_mode); }
void ctlDateRange::SetQuarter(int year, int number, int to_mode) { SetPeriod("Quartal", year, number, to_mode); }
void ctlDateRange::SetSemester(int year, int number, int to_mode) { SetPeriod("Semester", year, number, to_mode); }
void ctlDateRange::SetYear(int year, int to_mode) { SetPeriod("Jahr", year, 0, to_mode); }

void ctlDateRange::SetPeriod(const std::string& type, int year, int number, int to_mode) {
    if (year < 1601 || year > 9999) throw std::invalid_argument("year " + std::to_string(year) + " is outside 1601..9999");
    if (number < 0 || number > PeriodsOf(type)) {
        throw std::invalid_argument(type + " " + std::to_string(number) + " does not exist");
    }
    Reaction r(*this);
    txtFromYear.SetText(std::to_string(year));
    if (!from_date_only_) ChooseMode(from_, 1);
    cbxFromType.SetText(type);
    if (number > 0) cbxFromCount.SetListIndex(number - 1);
    if (to_mode == 0 || to_mode == 1) {
        ChooseMode(to_, 2);
        cbxToType.SetListIndex(cbxFromType.ListIndex());
    } else if (to_mode < 0) {
        ChooseMode(to_, 0);
    }
}

void ctlDateRange::SetFromDateOnly(bool flag, bool allow_empty) {
    from_date_only_ = flag;
    allow_no_date_ = flag ? allow_empty : true;
    ControlReset();
}

void ctlDateRange::Enabled(bool value) {
    Reaction r(*this);
    enabled_ = value;
    for (ui::Control* c : Controls()) c->SetEnabled(value);
    if (value) {
        ApplyFromOptionRules(SelectedMode(to_));
        ApplyToOptionRules(SelectedMode(from_));
    }
    SetFromTo(std::nullopt, std::nullopt);
}

// ---- reactions --------------------------------------------------------------------------

int ctlDateRange::SelectedMode(const Side& side) const {
    for (int i : side.modes.Indexes()) {
        if (side.modes[i].Value()) return i;
    }
    return 0;
}

bool ctlDateRange::CountMode(const Side& side) const {
    int mode = SelectedMode(side);
    return side.from ? mode == 2 : (mode == 2 || mode == 4);
}

void ctlDateRange::ChooseMode(Side& side, int index) {
    // Choosing the selected option again still brings the side into that mode's state.
    if (side.modes[index].Value()) {
        if (side.from) {
            FromModeChosen(index);
        } else {
            ToModeChosen(index);
        }
        return;
    }
    side.modes[index].SetValue(true);
}

void ctlDateRange::ApplyFromOptionRules(int to_mode) {
    optFromMode[0].SetEnabled(enabled_ && (!from_date_only_ || allow_no_date_));
    optFromMode[1].SetEnabled(enabled_ && !from_date_only_);
    optFromMode[2].SetEnabled(enabled_ && !from_date_only_ && to_mode == 1);
    optFromMode[3].SetEnabled(enabled_);
}

void ctlDateRange::ApplyToOptionRules(int from_mode) {
    bool all = from_mode == 1;
    optToMode[0].SetEnabled(enabled_);
    optToMode[1].SetEnabled(enabled_ && (all || from_mode == 0 || from_mode == 2));
    optToMode[2].SetEnabled(enabled_ && all);
    optToMode[4].SetEnabled(enabled_ && all);
}

void ctlDateRange::FromModeChosen(int index) {
    Reaction r(*this);
    ApplyToOptionRules(index);
    int to_mode = SelectedMode(to_);
    if (index == 3 || ((index == 0 || index == 2) && (to_mode == 2 || to_mode == 4))) ChooseMode(to_, 0);
    FillTypeList(from_);
}

void ctlDateRange::ToModeChosen(int index) {
    Reaction r(*this);
    ApplyFromOptionRules(index);
    FillTypeList(to_);
    if (SelectedMode(from_) == 1 && cbxFromType.ListIndex() > 0) {
        int same = cbxToType.FindItem(cbxFromType.Text());
        if (same >= 0) cbxToType.SetListIndex(same);
    }
}

void ctlDateRange::FillTypeList(Side& side) {
    Reaction r(*this);
    side.type.Clear();
    int mode = SelectedMode(side);
    if (mode != 0) {
        const auto& names = CountMode(side) ? kCountTypes : kDateTypes;
        for (const char* name : names) side.type.AddItem(name);
        side.type.SetListIndex(0);  // fires TypeChosen
    } else {
        TypeChosen(side);
    }
    side.type.SetEnabled(enabled_ && mode != 0);
}

void ctlDateRange::TypeChosen(Side& side) {
    Reaction r(*this);
    // Back to each side's default: the start of the period on the "von" side, its end on the
    // "bis" side.
    side.end.SetChecked(!side.from);
    side.year_end.SetChecked(!side.from);
    ShowFrames(side);
    if (side.from && CountMode(to_)) {
        txtToCount.SetText("1");
        if (cbxFromType.ListIndex() >= 0 && cbxFromType.ListIndex() < cbxToType.ListCount()) {
            cbxToType.SetListIndex(cbxFromType.ListIndex());
        }
    }
}

void ctlDateRange::ShowFrames(Side& side) {
    const std::string type = side.type.Text();
    const bool none = SelectedMode(side) == 0 || type.empty();
    const bool counting = !none && CountMode(side);
    const bool day = type == "Datum" || type == "Tag";
    const int periods = PeriodsOf(type);
    side.date_frame.SetVisible(!none && !counting && day);
    side.year_frame.SetVisible(!none && !counting && !day);
    side.count_frame.SetVisible(!none && (counting || periods > 0));
    const bool year_only = type == "Jahr";
    side.year_end.SetVisible(year_only);
    side.year_end_label.SetVisible(year_only);
    side.count.SetVisible(counting);
    side.count_list.SetVisible(!counting);
    side.first.SetVisible(!counting);
    side.last.SetVisible(!counting);
    side.end.SetVisible(!counting);
    side.end_label.SetVisible(!counting);
    side.count_label.SetCaption(counting ? "Anzahl" : type);
    if (!counting && periods > 0) {
        side.count_list.Clear();
        for (int n = 1; n <= periods; ++n) side.count_list.AddItem(std::to_string(n));
        side.count_list.SetListIndex(0);
    }
}

void ctlDateRange::YearButton(Side& side, int step, bool to_current) {
    Reaction r(*this);
    long long year = to_current ? Date::Today().Year() : ParseWhole(side.year.Text()).value_or(Date::Today().Year()) + step;
    side.year.SetText(LimitYear(side, year));
}

void ctlDateRange::CountButton(Side& side, int step, bool to_first, bool to_last, bool to_current) {
    Reaction r(*this);
    if (CountMode(side)) {
        long long count = ParseWhole(side.count.Text()).value_or(1);
        if (to_current) {
            count = 1;
        } else if (step < 0) {
            if (count > 1) --count;
        } else if (step > 0 && count < 2147483647LL) {
            ++count;
        }
        side.count.SetText(std::to_string(count));
        return;
    }
    int n = side.count_list.ListCount();
    if (n == 0) return;
    int index = side.count_list.ListIndex();
    if (to_first) {
        index = 0;
    } else if (to_last) {
        index = n - 1;
    } else if (to_current) {
        Date today = Date::Today();
        const std::string type = side.type.Text();
        if (type == "Woche") {
            index = WeekOfYear(today) - 1;
        } else if (type == "Monat") {
            index = today.Month() - 1;
        } else if (type == "Quartal") {
            index = (today.Month() - 1) / 3;
        } else {
            index = (today.Month() - 1) / 6;
        }
    } else {
        index += step;
    }
    side.count_list.SetListIndex(std::clamp(index, 0, n - 1));
}

std::string ctlDateRange::LimitYear(const Side& side, long long year) const {
    // The "von" box keeps every year from 1900 on; see docs/ for why not 1970.
    if (side.from) return std::to_string(std::clamp(year, 1900LL, 3000LL));
    return std::to_string(std::clamp(year, 1900LL, 2999LL));
}

void ctlDateRange::YearLeft(Side& side, bool& cancel) {
    std::string checked = ValidateLong(side.year.Text(), "0", cancel);
    if (cancel) {
        side.year.SetText(checked);
        side.year.SelectAll();
        return;
    }
    Reaction r(*this);
    side.year.SetText(LimitYear(side, ParseWhole(checked).value_or(0)));
}

void ctlDateRange::CountLeft(Side& side, bool& cancel) {
    std::string checked = ValidateLong(side.count.Text(), "1", cancel);
    if (cancel) {
        side.count.SetText(checked);
        side.count.SelectAll();
        return;
    }
    Reaction r(*this);
    long long count = ParseWhole(checked).value_or(1);
    side.count.SetText(std::to_string(count < 0 ? -count : count));
}

// ---- recalculation ----------------------------------------------------------------------

std::optional<Date> ctlDateRange::PeriodDate(const Side& side, bool period_end) const {
    const std::string type = side.type.Text();
    if (type == "Datum" || type == "Tag") return side.date.Value();
    auto year_value = ParseWhole(side.year.Text());
    if (!year_value || *year_value < 1601 || *year_value > 9999) return std::nullopt;
    int year = static_cast<int>(*year_value);
    if (type == "Jahr") return period_end ? Date::FromYmd(year, 12, 31) : Date::FromYmd(year, 1, 1);
    int index = side.count_list.ListIndex();
    if (index < 0) return std::nullopt;
    if (type == "Woche") {
        auto start = WeekStartOf(year, index + 1);
        if (start && period_end) return start->AddDays(6);
        return start;
    }
    if (type == "Monat") {
        Date first = Date::FromYmd(year, index + 1, 1);
        return period_end ? MonthEnd(first) : first;
    }
    if (type == "Quartal") return period_end ? QuarterEndOf(year, index + 1) : QuarterStartOf(year, index + 1);
    if (type == "Semester") return period_end ? SemesterEndOf(year, index + 1) : SemesterStartOf(year, index + 1);
    return std::nullopt;
}

void ctlDateRange::Recalculate() {
    ui::Form::EventScope scope(*this);
    const int from_mode = SelectedMode(from_);
    const int to_mode = SelectedMode(to_);
    date_from_.reset();
    date_to_.reset();
    exact_ = false;

    // A: the start from a date or a period; the start of the period unless its end is asked for.
    if (from_mode == 1 || from_mode == 3) {
        exact_ = from_mode == 3;
        const ui::CheckBox& end = cbxFromType.Text() == "Jahr" ? chkFromYearEnd : chkFromEnd;
        const bool period_end = end.Visible() && end.Checked();
        date_from_ = PeriodDate(from_, period_end);
    }
    // B: the end; here the end of the period is the default.
    if (to_mode == 1) {
        const ui::CheckBox& end = cbxToType.Text() == "Jahr" ? chkToYearEnd : chkToEnd;
        const bool period_end = !(end.Visible() && !end.Checked());
        date_to_ = PeriodDate(to_, period_end);
    } else if ((to_mode == 2 || to_mode == 4) && date_from_) {
        long long count = ParseWhole(txtToCount.Text()).value_or(1);
        const std::string unit = cbxToType.Text();
        date_to_ = Advance(*date_from_, unit, count).AddDays(-1);
        if (to_mode == 4) date_from_ = Advance(*date_from_, unit, -count);
    }
    // C: a number of periods back from the end.
    if (from_mode == 2 && date_to_) {
        long long count = ParseWhole(txtFromCount.Text()).value_or(1);
        date_from_ = Advance(*date_to_, cbxFromType.Text(), -count).AddDays(1);
    }
    // D: the bounds.
    for (std::optional<Date>* d : {&date_from_, &date_to_}) {
        if (!*d) continue;
        if (**d < EffectiveMin()) **d = EffectiveMin();
        if (**d > EffectiveMax()) **d = EffectiveMax();
    }
    // E
    if (date_from_ && date_to_ && *date_from_ == *date_to_) {
        exact_ = true;
    } else if (exact_) {
        date_to_ = date_from_;
    }
    empty_ = !date_from_ && !date_to_;
    BuildTexts();
    Touch();
    if (Changed) Changed();
}

Date ctlDateRange::EffectiveMin() const { return min_date_.value_or(ui::DatePicker::Earliest()); }
Date ctlDateRange::EffectiveMax() const { return max_date_.value_or(ui::DatePicker::Latest()); }

std::string ctlDateRange::FromText() const {
    if (!date_from_) return from_date_only_ ? "(Kein Datum)" : "(von)";
    std::string text = Text(*date_from_);
    if (*date_from_ == EffectiveMin()) return text + "  [MIN]";
    if (*date_from_ == EffectiveMax()) return text + "  [MAX]";
    return text;
}

std::string ctlDateRange::ToText() const {
    if (!date_to_) return "(bis)";
    std::string text = Text(*date_to_);
    if (*date_to_ == EffectiveMax()) return text + "  [MAX]";
    if (*date_to_ == EffectiveMin()) return text + "  [MIN]";
    return text;
}

void ctlDateRange::BuildTexts() {
    fraFrom.SetCaption(from_date_only_ ? "(Kein Datum)" : "(von)");
    fraTo.SetCaption("(bis)");
    text_.clear();
    if (!empty_) {
        if (exact_) {
            text_ = "Am " + FromText();
            fraFrom.SetCaption(text_);
        } else if (!date_from_) {
            text_ = "Bis am " + ToText();
            fraTo.SetCaption(text_);
        } else if (date_to_) {
            std::string warning = *date_to_ < *date_from_ ? "  [BIS < VON]" : "";
            text_ = "Vom " + FromText() + " bis am " + ToText() + warning;
            fraFrom.SetCaption("Vom " + FromText());
            fraTo.SetCaption("Bis am " + ToText() + warning);
        } else {
            text_ = "Ab dem " + FromText();
            fraFrom.SetCaption(text_);
        }
    }
    condition_ = DateRangeCondition(kTokenPlaceholder, date_from_, date_to_);
}

}  // namespace tlx4r
