#include "Date.h"

#include <cctype>
#include <cmath>
#include <ctime>
#include <stdexcept>
#include <vector>

namespace tlx4r {

namespace {

using namespace std::chrono;

// 30.12.1899 counted from 1.1.1970.
constexpr long kEpochOffset = -25569;

bool ValidYmd(int y, int m, int d) {
    return year_month_day{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}}
        .ok();
}

std::string Pad(long v, int width) {
    std::string s = std::to_string(v);
    while (static_cast<int>(s.size()) < width) s.insert(s.begin(), '0');
    return s;
}

// Splits "12.5.2024 8:30" into its numbers and the separators between them.
struct Pieces {
    std::vector<long> numbers;
    std::string seps;  // one separator character after each number but the last
    std::vector<int> widths;
};

std::optional<Pieces> Split(std::string_view t) {
    Pieces p;
    std::size_t i = 0;
    while (i < t.size()) {
        if (!std::isdigit(static_cast<unsigned char>(t[i]))) return std::nullopt;
        long v = 0;
        int w = 0;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
            if (w >= 6) return std::nullopt;
            v = v * 10 + (t[i] - '0');
            ++i;
            ++w;
        }
        p.numbers.push_back(v);
        p.widths.push_back(w);
        if (i < t.size()) {
            char sep = t[i++];
            // "1.5.2024 8:30": a blank between date and time
            while (sep == ' ' && i < t.size() && t[i] == ' ') ++i;
            p.seps += sep;
            if (i == t.size() && sep != '.') return std::nullopt;
        }
    }
    return p;
}

std::optional<double> TimePart(const std::vector<long>& n, std::size_t from) {
    std::size_t count = n.size() - from;
    if (count < 2 || count > 3) return std::nullopt;
    long h = n[from], m = n[from + 1], s = count == 3 ? n[from + 2] : 0;
    if (h > 23 || m > 59 || s > 59) return std::nullopt;
    return (h * 3600.0 + m * 60.0 + s) / 86400.0;
}

}  // namespace

Date Date::FromDays(sys_days days) {
    return Date(static_cast<double>(days.time_since_epoch().count() - kEpochOffset));
}

Date Date::FromYmd(int y, int m, int d) {
    if (!ValidYmd(y, m, d)) throw std::invalid_argument("Date: no such day");
    return FromDays(sys_days{year{y} / month{static_cast<unsigned>(m)} / day{static_cast<unsigned>(d)}});
}

Date Date::FromTime(int hour, int minute, int second) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        throw std::invalid_argument("Date: no such time of day");
    }
    return Date((hour * 3600.0 + minute * 60.0 + second) / 86400.0);
}

Date Date::FromYmdHms(int y, int m, int d, int hour, int minute, int second) {
    Date day = FromYmd(y, m, d);
    double t = FromTime(hour, minute, second).Serial();
    return Date(day.serial_ >= 0 ? day.serial_ + t : day.serial_ - t);
}

Date Date::Today() { return Now().DateOnly(); }

Date Date::Now() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return FromYmdHms(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec);
}

long Date::DayNumber() const { return static_cast<long>(std::trunc(serial_)); }

double Date::TimeOfDay() const { return std::fabs(serial_ - std::trunc(serial_)); }

long Date::SecondsOfDay() const {
    long s = std::lround(TimeOfDay() * 86400.0);
    return s >= 86400 ? 86399 : s;
}

sys_days Date::Days() const { return sys_days{days{DayNumber() + kEpochOffset}}; }

year_month_day Date::Ymd() const { return year_month_day{Days()}; }

int Date::Year() const { return static_cast<int>(Ymd().year()); }
int Date::Month() const { return static_cast<int>(static_cast<unsigned>(Ymd().month())); }
int Date::Day() const { return static_cast<int>(static_cast<unsigned>(Ymd().day())); }
int Date::Hour() const { return static_cast<int>(SecondsOfDay() / 3600); }
int Date::Minute() const { return static_cast<int>(SecondsOfDay() / 60 % 60); }
int Date::Second() const { return static_cast<int>(SecondsOfDay() % 60); }
int Date::Weekday() const { return static_cast<int>(weekday{Days()}.iso_encoding()); }

Date Date::AddMonths(int months) const {
    auto ymd = Ymd();
    year_month ym = ymd.year() / ymd.month();
    ym += std::chrono::months{months};
    day last_day = year_month_day_last{ym.year(), month_day_last{ym.month()}}.day();
    day d = ymd.day() > last_day ? last_day : ymd.day();
    Date r = FromDays(sys_days{ym.year() / ym.month() / d});
    double t = TimeOfDay();
    return Date(r.serial_ >= 0 ? r.serial_ + t : r.serial_ - t);
}

std::string Date::Format(std::string_view p) const {
    std::string out;
    bool after_hour = false;
    std::size_t i = 0;
    while (i < p.size()) {
        char c = p[i];
        std::size_t run = 1;
        while (i + run < p.size() && p[i + run] == c) ++run;
        switch (c) {
            case 'd':
                out += run >= 2 ? Pad(Day(), 2) : std::to_string(Day());
                break;
            case 'm':
                if (after_hour) {
                    out += run >= 2 ? Pad(Minute(), 2) : std::to_string(Minute());
                } else {
                    out += run >= 2 ? Pad(Month(), 2) : std::to_string(Month());
                }
                break;
            case 'y':
                out += run >= 4 ? Pad(Year(), 4) : Pad(Year() % 100, 2);
                break;
            case 'h':
            case 'H':
                out += run >= 2 ? Pad(Hour(), 2) : std::to_string(Hour());
                break;
            case 'n':
                out += run >= 2 ? Pad(Minute(), 2) : std::to_string(Minute());
                break;
            case 's':
                out += run >= 2 ? Pad(Second(), 2) : std::to_string(Second());
                break;
            default:
                out.append(run, c);
        }
        if (c == 'h' || c == 'H') {
            after_hour = true;
        } else if (c != ':' && c != ' ') {
            after_hour = false;
        }
        i += run;
    }
    return out;
}

std::optional<Date> Date::Parse(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    auto pieces = Split(text);
    if (!pieces) return std::nullopt;
    const auto& n = pieces->numbers;
    const auto& s = pieces->seps;

    // A time alone.
    if (s.find_first_not_of(':') == std::string::npos) {
        auto t = TimePart(n, 0);
        if (!t) return std::nullopt;
        return Date(*t);
    }

    int y = 0, m = 0, d = 0;
    std::size_t next = 0;  // index of the first number of the time part
    if (n.size() >= 3 && s.compare(0, 2, "--") == 0) {
        y = static_cast<int>(n[0]);
        m = static_cast<int>(n[1]);
        d = static_cast<int>(n[2]);
        next = 3;
    } else if (n.size() == 2 && s == "..") {
        d = static_cast<int>(n[0]);
        m = static_cast<int>(n[1]);
        y = Today().Year();
        next = 2;
    } else if (n.size() >= 3 && s.compare(0, 2, "..") == 0) {
        d = static_cast<int>(n[0]);
        m = static_cast<int>(n[1]);
        y = static_cast<int>(n[2]);
        if (pieces->widths[2] <= 2) y += y < 30 ? 2000 : 1900;
        next = 3;
    } else {
        return std::nullopt;
    }
    if (!ValidYmd(y, m, d) || y < 100) return std::nullopt;
    Date day = FromYmd(y, m, d);
    if (next >= n.size()) return day;
    if (s.size() < next || s[next - 1] != ' ') return std::nullopt;
    auto t = TimePart(n, next);
    if (!t || s.substr(next).find_first_not_of(':') != std::string::npos) return std::nullopt;
    return Date(day.serial_ >= 0 ? day.serial_ + *t : day.serial_ - *t);
}

}  // namespace tlx4r
