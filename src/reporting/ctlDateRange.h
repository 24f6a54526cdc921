#pragma once

#include "core/Creatable.h"
#include "types/Date.h"
#include "ui/Controls.h"

#include <functional>
#include <optional>
#include <string>

namespace tlx4r {

// The date range control: the user describes an interval by two dates or by calendar periods
// (day, week, month, quarter, half-year, year) and counts of them; the control computes the
// two bounds (either may be open), a German description and an SQL condition on any date
// column. Every user action and every setter recalculates once and then raises Changed.
//
// It is a user control: embed it in a dialog with ctlDateRange(host, "ctlRange"), or create it
// alone. Its state lives as long as the object.
class ctlDateRange : public ui::Form, public Creatable {
public:
    // Period types as the lists show them; a "Datum"/"Exakt" side offers "Datum" first, an
    // "Anzahl"/"Bereich" side "Tag". Positions 1..5 are shared.
    static constexpr const char* kTokenPlaceholder = "<DATE_TOKEN>";

    ctlDateRange();
    ctlDateRange(ui::Form& host, std::string instance_name);

    // Prefix "Datum: ", no suffix, both sides "(leer)", counts 1; bounds set before are kept.
    void ControlReset();

    std::optional<Date> MinDate() const { return min_date_; }
    std::optional<Date> MaxDate() const { return max_date_; }
    // Also bounds both date pickers; the range is recalculated. Throws std::invalid_argument
    // when the bounds would cross.
    void MinDate(std::optional<Date> date);
    void MaxDate(std::optional<Date> date);

    // "" for an empty range, else "Datum: " and the description text.
    std::string Description() const;
    // The condition with every placeholder replaced by field_name; "" for an empty range.
    std::string SQL(const std::string& field_name) const;
    std::optional<Date> DateFrom() const { return date_from_; }
    std::optional<Date> DateTo() const { return date_to_; }
    bool IsExact() const { return exact_; }
    bool IsEmpty() const { return empty_; }

    // Explicit dates; nullopt leaves that side open.
    void SetFromTo(std::optional<Date> from, std::optional<Date> to);
    // A period of year; number is 1-based (weeks 1..52, months 1..12, quarters 1..4, halves
    // 1..2), 0 keeps the selected one. to_mode 0 or 1: the range covers that period; negative:
    // open end; above 1: the "bis" side stays as it is. Throw std::invalid_argument for a year
    // outside 1601..9999 or a number outside the period's list.
    void SetWeek(int year, int number, int to_mode);
    void SetMonth(int year, int number, int to_mode);
    void SetQuarter(int year, int number, int to_mode);
    void SetSemester(int year, int number, int to_mode);
    void SetYear(int year, int to_mode);
    // Asks for one date only (no "bis" side); allow_empty lets the user choose "(leer)".
    // Resets the control.
    void SetFromDateOnly(bool flag, bool allow_empty);
    bool FromDateOnly() const { return from_date_only_; }

    // false disables every constituent control and empties the range; true enables them again
    // as the selected modes allow.
    void Enabled(bool value);
    bool Enabled() const { return enabled_; }

    // Widths (twips) for host forms: one side, both sides.
    static int MinWidth1() { return 3375; }
    static int MinWidth2() { return 6860; }
    static int MinHeight() { return 2295; }

    // Raised at the end of every recalculation.
    std::function<void()> Changed;

    // "von" side.
    ui::Frame fraFrom{*this, "fraFrom", "(von)"};
    ui::ControlArray<ui::OptionButton> optFromMode{*this, "optFromMode", {0, 1, 2, 3}, &fraFrom};
    ui::ComboBox cbxFromType{*this, "cbxFromType", &fraFrom};
    ui::Frame fraFromDate{*this, "fraFromDate", "", &fraFrom};
    ui::Label lblFromDate{*this, "lblFromDate", "Datum", &fraFromDate};
    ui::DatePicker dtpFrom{*this, "dtpFrom", &fraFromDate};
    ui::Frame fraFromYear{*this, "fraFromYear", "", &fraFrom};
    ui::Label lblFromYear{*this, "lblFromYear", "Jahr", &fraFromYear};
    ui::TextBox txtFromYear{*this, "txtFromYear", &fraFromYear};
    ui::Button btnFromYearPrevious{*this, "btnFromYearPrevious", "zurück", &fraFromYear};
    ui::Button btnFromYearCurrent{*this, "btnFromYearCurrent", "aktuell", &fraFromYear};
    ui::Button btnFromYearNext{*this, "btnFromYearNext", "vorwärts", &fraFromYear};
    ui::Label lblFromYearEnd{*this, "lblFromYearEnd", "Ende", &fraFromYear};
    ui::CheckBox chkFromYearEnd{*this, "chkFromYearEnd", "Ende des Jahres", &fraFromYear};
    ui::Frame fraFromCount{*this, "fraFromCount", "", &fraFrom};
    ui::Label lblFromCount{*this, "lblFromCount", "", &fraFromCount};
    ui::ComboBox cbxFromCount{*this, "cbxFromCount", &fraFromCount};
    ui::TextBox txtFromCount{*this, "txtFromCount", &fraFromCount};
    ui::Button btnFromCountFirst{*this, "btnFromCountFirst", "Anfang", &fraFromCount};
    ui::Button btnFromCountPrevious{*this, "btnFromCountPrevious", "zurück", &fraFromCount};
    ui::Button btnFromCountCurrent{*this, "btnFromCountCurrent", "aktuell", &fraFromCount};
    ui::Button btnFromCountNext{*this, "btnFromCountNext", "vorwärts", &fraFromCount};
    ui::Button btnFromCountLast{*this, "btnFromCountLast", "Ende", &fraFromCount};
    ui::Label lblFromEnd{*this, "lblFromEnd", "Ende", &fraFromCount};
    ui::CheckBox chkFromEnd{*this, "chkFromEnd", "Ende der Periode", &fraFromCount};

    // "bis" side.
    ui::Frame fraTo{*this, "fraTo", "(bis)"};
    ui::ControlArray<ui::OptionButton> optToMode{*this, "optToMode", {0, 1, 2, 4}, &fraTo};
    ui::ComboBox cbxToType{*this, "cbxToType", &fraTo};
    ui::Frame fraToDate{*this, "fraToDate", "", &fraTo};
    ui::Label lblToDate{*this, "lblToDate", "Datum", &fraToDate};
    ui::DatePicker dtpTo{*this, "dtpTo", &fraToDate};
    ui::Frame fraToYear{*this, "fraToYear", "", &fraTo};
    ui::Label lblToYear{*this, "lblToYear", "Jahr", &fraToYear};
    ui::TextBox txtToYear{*this, "txtToYear", &fraToYear};
    ui::Button btnToYearPrevious{*this, "btnToYearPrevious", "zurück", &fraToYear};
    ui::Button btnToYearCurrent{*this, "btnToYearCurrent", "aktuell", &fraToYear};
    ui::Button btnToYearNext{*this, "btnToYearNext", "vorwärts", &fraToYear};
    ui::Label lblToYearEnd{*this, "lblToYearEnd", "Ende", &fraToYear};
    ui::CheckBox chkToYearEnd{*this, "chkToYearEnd", "Ende des Jahres", &fraToYear};
    ui::Frame fraToCount{*this, "fraToCount", "", &fraTo};
    ui::Label lblToCount{*this, "lblToCount", "", &fraToCount};
    ui::ComboBox cbxToCount{*this, "cbxToCount", &fraToCount};
    ui::TextBox txtToCount{*this, "txtToCount", &fraToCount};
    ui::Button btnToCountFirst{*this, "btnToCountFirst", "Anfang", &fraToCount};
    ui::Button btnToCountPrevious{*this, "btnToCountPrevious", "zurück", &fraToCount};
    ui::Button btnToCountCurrent{*this, "btnToCountCurrent", "aktuell", &fraToCount};
    ui::Button btnToCountNext{*this, "btnToCountNext", "vorwärts", &fraToCount};
    ui::Button btnToCountLast{*this, "btnToCountLast", "Ende", &fraToCount};
    ui::Label lblToEnd{*this, "lblToEnd", "Ende", &fraToCount};
    ui::CheckBox chkToEnd{*this, "chkToEnd", "Ende der Periode", &fraToCount};

private:
    // The controls of one side, so that both sides share their reactions.
    struct Side {
        bool from;
        const ui::ControlArray<ui::OptionButton>& modes;
        ui::ComboBox& type;
        ui::Frame& date_frame;
        ui::DatePicker& date;
        ui::Frame& year_frame;
        ui::TextBox& year;
        ui::Label& year_end_label;
        ui::CheckBox& year_end;
        ui::Frame& count_frame;
        ui::Label& count_label;
        ui::ComboBox& count_list;
        ui::TextBox& count;
        ui::Button& first;
        ui::Button& last;
        ui::Label& end_label;
        ui::CheckBox& end;
    };

    // Defers the recalculation to the end of the outermost reaction, so that one user action
    // raises Changed once however many controls it touches.
    class Reaction {
    public:
        explicit Reaction(ctlDateRange& control);
        ~Reaction();
        Reaction(const Reaction&) = delete;
        Reaction& operator=(const Reaction&) = delete;

    private:
        ctlDateRange& control_;
        ui::Form::EventScope scope_;
    };

    void Wire();
    void WireSide(Side& side);
    void Init();
    int SelectedMode(const Side& side) const;
    bool CountMode(const Side& side) const;
    void ChooseMode(Side& side, int index);
    void FromModeChosen(int index);
    void ToModeChosen(int index);
    void ApplyFromOptionRules(int to_mode);
    void ApplyToOptionRules(int from_mode);
    void FillTypeList(Side& side);
    void TypeChosen(Side& side);
    void ShowFrames(Side& side);
    void CountButton(Side& side, int step, bool to_first, bool to_last, bool to_current);
    void YearButton(Side& side, int step, bool to_current);
    void YearLeft(Side& side, bool& cancel);
    void CountLeft(Side& side, bool& cancel);
    std::string LimitYear(const Side& side, long long year) const;
    void SetPeriod(const std::string& type, int year, int number, int to_mode);

    void Recalculate();
    std::optional<Date> PeriodDate(const Side& side, bool period_end) const;
    void BuildTexts();
    std::string FromText() const;
    std::string ToText() const;
    Date EffectiveMin() const;
    Date EffectiveMax() const;

    Side from_;
    Side to_;
    int reacting_ = 0;
    bool enabled_ = true;
    bool from_date_only_ = false;
    bool allow_no_date_ = true;
    std::optional<Date> min_date_;
    std::optional<Date> max_date_;
    std::optional<Date> date_from_;
    std::optional<Date> date_to_;
    bool exact_ = false;
    bool empty_ = true;
    std::string text_;
    std::string prefix_ = "Datum: ";
    std::string suffix_;
    std::string condition_;
};

}  // namespace tlx4r
