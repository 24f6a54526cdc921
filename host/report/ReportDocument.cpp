#include "host/report/ReportDocument.h"

#include <algorithm>
#include <stdexcept>

namespace tlx4r::report {

ReportDocument::ReportDocument(std::string title_text, std::vector<ReportColumn> columns)
    : title(std::move(title_text)), columns_(std::move(columns)) {
    if (columns_.empty()) throw std::invalid_argument("a report needs at least one column");
    lines_.push_back({ReportLine::Kind::Empty, {kNoEntries}});
}

void ReportDocument::Check(const std::vector<std::string>& cells) const {
    if (cells.size() != columns_.size())
        throw std::invalid_argument("a report line has " + std::to_string(cells.size()) + " cells for " +
                                    std::to_string(columns_.size()) + " columns");
}

// The empty-report line stands first until a row or a group heading (which precedes its rows)
// comes.
void ReportDocument::DropEmptyLine() {
    if (!lines_.empty() && lines_.front().kind == ReportLine::Kind::Empty) lines_.erase(lines_.begin());
}

void ReportDocument::AddRow(std::vector<std::string> cells) {
    Check(cells);
    DropEmptyLine();
    lines_.push_back({ReportLine::Kind::Row, std::move(cells)});
    ++rows_;
}

void ReportDocument::AddTotal(std::vector<std::string> cells) {
    Check(cells);
    lines_.push_back({ReportLine::Kind::Total, std::move(cells)});
}

void ReportDocument::AddGroup(std::string heading) {
    DropEmptyLine();
    lines_.push_back({ReportLine::Kind::Group, {std::move(heading)}});
}

std::vector<ReportDocument::Page> ReportDocument::Paginate(int first, int other) const {
    if (first < 2 || other < 2) throw std::invalid_argument("a page must hold at least two lines");
    std::vector<Page> pages;
    std::size_t begin = 0;
    while (begin < lines_.size() || pages.empty()) {
        const auto capacity = static_cast<std::size_t>(pages.empty() ? first : other);
        std::size_t end = std::min(lines_.size(), begin + capacity);
        if (end < lines_.size() && end - begin > 1 && lines_[end - 1].kind == ReportLine::Kind::Group) --end;
        pages.push_back({begin, end});
        begin = end;
    }
    return pages;
}

}  // namespace tlx4r::report
