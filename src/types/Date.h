#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tlx4r {

// A calendar date and time as the accounting keeps it: days since 30.12.1899 with the time of
// day as the fraction. The value 0 means "no date" (stored as Null). For days before the epoch
// the fraction still counts forward from midnight (-1.25 is 29.12.1899 06:00), as the old date
// type had it.
class Date {
public:
    constexpr Date() = default;
    constexpr explicit Date(double serial) : serial_(serial) {}

    // Throws std::invalid_argument for a day that is not in the calendar (31.4., 29.2.2023).
    static Date FromYmd(int year, int month, int day);
    static Date FromYmdHms(int year, int month, int day, int hour, int minute, int second);
    static Date FromDays(std::chrono::sys_days days);
    // A time of day alone (day 0), hours 0..23, minutes and seconds 0..59.
    static Date FromTime(int hour, int minute, int second = 0);
    static Date Today();
    static Date Now();

    // Parses what users type and what the component's texts hold: "d.m.yyyy", "d.m.yy"
    // (00..29 → 20xx, 30..99 → 19xx), "d.m." (this year), ISO "yyyy-mm-dd", each optionally
    // followed by a time; or a time alone "h:m[:s]" (day 0). Returns nullopt when the text is no
    // valid date or time (25:99, 31.4.2024).
    static std::optional<Date> Parse(std::string_view text);

    constexpr double Serial() const { return serial_; }
    constexpr bool IsNull() const { return serial_ == 0; }
    // The whole day number (the date without its time).
    long DayNumber() const;
    Date DateOnly() const { return Date(static_cast<double>(DayNumber())); }
    // The time of day as a fraction 0 <= f < 1.
    double TimeOfDay() const;
    std::chrono::sys_days Days() const;
    std::chrono::year_month_day Ymd() const;

    int Year() const;
    int Month() const;
    int Day() const;
    int Hour() const;
    int Minute() const;
    int Second() const;
    // Monday = 1 … Sunday = 7.
    int Weekday() const;

    Date AddDays(long days) const { return Date(serial_ + static_cast<double>(days)); }
    // Keeps the day of month, clipped to the length of the target month (31.1. + 1 → 28./29.2.).
    Date AddMonths(int months) const;

    // Formats with the old platform's date pattern letters: d dd m mm yy yyyy, h hh H HH
    // (24-hour), n nn, s ss; "mm" right after an hour means minutes. Other characters are copied.
    std::string Format(std::string_view pattern) const;

    constexpr auto operator<=>(const Date&) const = default;

private:
    long SecondsOfDay() const;
    double serial_ = 0;
};

}  // namespace tlx4r
