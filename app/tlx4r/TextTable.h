#pragma once

#include "types/Utf8.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace tlx4r::cli {

// Rows printed in aligned columns (widths in characters, not bytes); right-aligned columns for
// numbers. A rule of dashes separates the header and goes before the totals.
class TextTable {
public:
    TextTable(std::vector<std::string> headers, std::vector<bool> right)
        : headers_(std::move(headers)), right_(std::move(right)) {}

    void Add(std::vector<std::string> row) { rows_.push_back({std::move(row), false}); }
    void AddTotals(std::vector<std::string> row) { rows_.push_back({std::move(row), true}); }

    void Print(std::ostream& out) const {
        std::vector<std::size_t> width(headers_.size());
        for (std::size_t i = 0; i < headers_.size(); ++i) width[i] = utf8::Length(headers_[i]);
        for (const auto& r : rows_)
            for (std::size_t i = 0; i < r.cells.size() && i < width.size(); ++i)
                width[i] = std::max(width[i], utf8::Length(r.cells[i]));
        std::size_t total = 0;
        for (std::size_t w : width) total += w + 2;
        const std::string rule(total > 2 ? total - 2 : 0, '-');
        Line(out, headers_, width);
        out << rule << '\n';
        for (const auto& r : rows_) {
            if (r.totals) out << rule << '\n';
            Line(out, r.cells, width);
        }
    }

private:
    struct Row {
        std::vector<std::string> cells;
        bool totals;
    };
    void Line(std::ostream& out, const std::vector<std::string>& cells, const std::vector<std::size_t>& width) const {
        std::string line;
        for (std::size_t i = 0; i < width.size(); ++i) {
            const std::string cell = i < cells.size() ? cells[i] : std::string();
            const std::string pad(width[i] - std::min(width[i], utf8::Length(cell)), ' ');
            if (i > 0) line += "  ";
            line += i < right_.size() && right_[i] ? pad + cell : cell + pad;
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out << line << '\n';
    }

    std::vector<std::string> headers_;
    std::vector<bool> right_;
    std::vector<Row> rows_;
};

}  // namespace tlx4r::cli
