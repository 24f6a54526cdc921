#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tlx4r::report {

// One column of a report's table: its heading, its share of the page's width (any unit; the
// shares are scaled to the width) and whether its cells are aligned right (amounts, hours).
struct ReportColumn {
    std::string header;
    int share = 1;
    bool right = false;
};

// A line of the table's body. A row and a total carry one cell per column; a group heading and
// the empty-report line carry their text in the first cell and span the whole width.
struct ReportLine {
    enum class Kind { Row, Group, Total, Empty };
    Kind kind = Kind::Row;
    std::vector<std::string> cells;
};

// A printable report as lines of text, before any painting: the heading printed on every page
// (office, title, subtitle, date of printing), the client's address on the first page, the
// table's columns and its body. It also decides where pages break, in lines, so that the
// paging rules hold whatever paints the pages.
class ReportDocument {
public:
    static constexpr const char* kNoEntries = "Keine Einträge";

    ReportDocument(std::string title, std::vector<ReportColumn> columns);

    std::string office;                 // the office name, top left of every page
    std::string title;                  // e.g. "Einträge"
    std::vector<std::string> subtitle;  // lines under the title, on every page
    std::string printed;                // date of printing, "dd.mm.yyyy"
    std::vector<std::string> address;   // the addressee's lines, first page only

    const std::vector<ReportColumn>& Columns() const { return columns_; }
    // The body; while no row has been added it begins with the kNoEntries line.
    const std::vector<ReportLine>& Lines() const { return lines_; }
    std::size_t RowCount() const { return rows_; }

    // cells must hold one text per column (std::invalid_argument otherwise).
    void AddRow(std::vector<std::string> cells);
    void AddTotal(std::vector<std::string> cells);
    void AddGroup(std::string heading);

    // A page's share of the body: lines [begin, end).
    struct Page {
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    // Breaks the body into pages of at most first lines on the first page and other lines on
    // each further page (both at least 2, std::invalid_argument otherwise). A group heading is
    // never the last line of a page when a line follows it. An empty body still makes one page.
    std::vector<Page> Paginate(int first, int other) const;

private:
    void Check(const std::vector<std::string>& cells) const;
    void DropEmptyLine();

    std::vector<ReportColumn> columns_;
    std::vector<ReportLine> lines_;
    std::size_t rows_ = 0;
};

}  // namespace tlx4r::report
