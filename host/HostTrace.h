#pragma once

#include "hostapi/Interface.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>

namespace tlx4r {

// One trace record as the host received it.
struct TraceRecord {
    std::chrono::system_clock::time_point when;
    std::string source;
    hostapi::TraceValues values;

    // The record's line in the log without its time: the source and the values separated by
    // tabs, trailing Null values left out, tabs, line breaks and "\" inside a value escaped
    // (\t, \n, \r, \\) so that one record stays one line.
    std::string Text() const;
};

// The host's trace: every record goes to a log file and into a bounded list in memory (which the
// tests and the desktop's trace window read). Tracing never fails its caller: a log that cannot
// be written is remembered in LastError() and the record is still kept in memory.
class HostTrace {
public:
    // The log is appended to; past max_log_bytes it is moved to "<log>.1" (replacing an older
    // one) and started anew. At most keep records stay in memory, the oldest go first.
    explicit HostTrace(std::filesystem::path log_file = DefaultLogFile(), std::size_t keep = 1000,
                       std::uintmax_t max_log_bytes = 1024 * 1024);

    // $XDG_STATE_HOME (or ~/.local/state) + "/tlx4r/trace.log".
    static std::filesystem::path DefaultLogFile();

    void Write(const std::string& source, const hostapi::TraceValues& values) noexcept;

    const std::deque<TraceRecord>& Records() const { return records_; }
    void Clear() { records_.clear(); }
    const std::filesystem::path& LogFile() const { return log_file_; }
    // Why the last record could not be logged; "" when it was.
    const std::string& LastError() const { return last_error_; }

private:
    void Append(const TraceRecord& record);

    std::filesystem::path log_file_;
    std::size_t keep_;
    std::uintmax_t max_log_bytes_;
    std::deque<TraceRecord> records_;
    std::string last_error_;
};

}  // namespace tlx4r
