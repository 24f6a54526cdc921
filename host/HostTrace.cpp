#include "host/HostTrace.h"

#include "platform/Folders.h"

#include <cstdio>
#include <ctime>
#include <fstream>

namespace tlx4r {

namespace fs = std::filesystem;

namespace {

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Timestamp(std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    std::time_t t = system_clock::to_time_t(when);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
    auto ms = duration_cast<milliseconds>(when.time_since_epoch()).count() % 1000;
    char frac[8];
    std::snprintf(frac, sizeof frac, ".%03d", static_cast<int>(ms));
    return std::string(buf) + frac;
}

}  // namespace

std::string TraceRecord::Text() const {
    std::size_t used = values.size();
    while (used > 0 && values[used - 1].IsNull()) --used;
    std::string line = Escaped(source);
    for (std::size_t i = 0; i < used; ++i) {
        line += '\t';
        if (!values[i].IsNull()) line += Escaped(values[i].ToText());
    }
    return line;
}

HostTrace::HostTrace(fs::path log_file, std::size_t keep, std::uintmax_t max_log_bytes)
    : log_file_(std::move(log_file)), keep_(keep), max_log_bytes_(max_log_bytes) {}

fs::path HostTrace::DefaultLogFile() {
    auto state = platform::EnvironmentValue("XDG_STATE_HOME").value_or("");
    if (!state.empty() && state.front() == '/') return fs::path(state) / "tlx4r" / "trace.log";
    auto home = platform::EnvironmentValue("HOME").value_or("/tmp");
    return fs::path(home) / ".local" / "state" / "tlx4r" / "trace.log";
}

void HostTrace::Write(const std::string& source, const hostapi::TraceValues& values) noexcept {
    try {
        TraceRecord record{std::chrono::system_clock::now(), source, values};
        records_.push_back(record);
        while (records_.size() > keep_) records_.pop_front();
        Append(record);
    } catch (const std::exception& e) {
        last_error_ = e.what();
    } catch (...) {
        last_error_ = "unknown failure";
    }
}

void HostTrace::Append(const TraceRecord& record) {
    std::error_code ec;
    fs::create_directories(log_file_.parent_path(), ec);
    if (ec) {
        last_error_ = "Cannot create " + log_file_.parent_path().string() + ": " + ec.message();
        return;
    }
    if (fs::file_size(log_file_, ec) >= max_log_bytes_ && !ec) {
        fs::path old = log_file_;
        old += ".1";
        fs::rename(log_file_, old, ec);
    }
    std::ofstream out(log_file_, std::ios::app | std::ios::binary);
    out << Timestamp(record.when) << '\t' << record.Text() << '\n';
    out.flush();
    last_error_ = out ? std::string() : "Cannot write the trace log " + log_file_.string();
}

}  // namespace tlx4r
