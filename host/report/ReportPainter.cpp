#include "host/report/ReportPainter.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

namespace tlx4r::report {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Fonts and distances in points, laid out in device pixels through the device's resolution.
struct Layout {
    QFont body;
    QFont bold;
    QFont title;
    double dpi = 72;
    double line = 0;        // the height of one body line
    QRectF page;            // the printable area
    std::vector<double> x;  // left edge of each column, then the right edge of the table
    double head = 0;        // heading height on every page (office … table header)
    double address = 0;     // extra height of the address block on the first page
    int subtitle_lines = 0;

    double Pt(double points) const { return points * dpi / 72.0; }
};

Layout Measure(const ReportDocument& doc, QPagedPaintDevice& device) {
    Layout l;
    l.dpi = device.logicalDpiY();
    l.body = QFont("Helvetica");
    l.body.setPointSizeF(9);
    l.bold = l.body;
    l.bold.setBold(true);
    l.title = l.bold;
    l.title.setPointSizeF(14);
    const QFontMetricsF body(l.body, &device);
    l.line = body.height() * 1.25;
    const QPageLayout layout = device.pageLayout();
    l.page = QRectF(QPointF(0, 0), layout.paintRectPixels(device.logicalDpiX()).size());

    // Every column but the widest by share gets the width of its widest text, the widest (the
    // text) what remains; when that leaves it too little, all columns go by their shares.
    const auto& columns = doc.Columns();
    const double pad = l.Pt(2);
    const QFontMetricsF bold(l.bold, &device);
    std::vector<double> natural(columns.size(), 0);
    for (std::size_t c = 0; c < columns.size(); ++c) natural[c] = bold.horizontalAdvance(Q(columns[c].header));
    for (const auto& line : doc.Lines()) {
        if (line.kind != ReportLine::Kind::Row && line.kind != ReportLine::Kind::Total) continue;
        const QFontMetricsF& m = line.kind == ReportLine::Kind::Total ? bold : body;
        for (std::size_t c = 0; c < columns.size(); ++c)
            if (!line.cells[c].empty()) natural[c] = std::max(natural[c], m.horizontalAdvance(Q(line.cells[c])));
    }
    const auto flex = static_cast<std::size_t>(
        std::max_element(columns.begin(), columns.end(),
                         [](const ReportColumn& a, const ReportColumn& b) { return a.share < b.share; }) -
        columns.begin());
    std::vector<double> widths(columns.size());
    double fixed = 0;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        widths[c] = natural[c] + 2 * pad + l.Pt(4);
        if (c != flex) fixed += widths[c];
    }
    widths[flex] = l.page.width() - fixed;
    if (widths[flex] < l.page.width() * 0.2) {
        const double shares = std::accumulate(columns.begin(), columns.end(), 0.0,
                                              [](double sum, const ReportColumn& c) { return sum + c.share; });
        for (std::size_t c = 0; c < columns.size(); ++c) widths[c] = l.page.width() * columns[c].share / shares;
    }
    double x = 0;
    for (double w : widths) {
        l.x.push_back(x);
        x += w;
    }
    l.x.push_back(l.page.width());

    // Subtitle lines wrap to the page's width.
    for (const auto& s : doc.subtitle) {
        const QRectF r = body.boundingRect(QRectF(0, 0, l.page.width(), 1e6), Qt::TextWordWrap, Q(s));
        l.subtitle_lines += std::max(1, static_cast<int>(std::ceil(r.height() / body.height() - 0.01)));
    }
    const QFontMetricsF title(l.title, &device);
    l.head = l.line * 1.5 + title.height() * 1.3 + l.subtitle_lines * body.height() + l.line * 0.5 + l.line * 1.2;
    if (!doc.address.empty()) l.address = (static_cast<double>(doc.address.size()) + 1) * body.height();
    return l;
}

void Cell(QPainter& p, const Layout& l, double y, std::size_t column, const std::string& text, bool right) {
    const double pad = l.Pt(2);
    const QRectF r(l.x[column] + pad, y, l.x[column + 1] - l.x[column] - 2 * pad, l.line);
    const QString shown = p.fontMetrics().elidedText(Q(text), Qt::ElideRight, static_cast<int>(r.width()));
    p.drawText(r, static_cast<int>((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter), shown);
}

void PaintPage(QPainter& p, const ReportDocument& doc, const Layout& l, const ReportDocument::Page& page, int number,
               int count) {
    const double w = l.page.width();
    double y = 0;
    p.setFont(l.bold);
    p.drawText(QRectF(0, y, w, l.line), Qt::AlignLeft | Qt::AlignVCenter, Q(doc.office));
    p.setFont(l.body);
    p.drawText(QRectF(0, y, w, l.line), Qt::AlignRight | Qt::AlignVCenter, "Gedruckt am " + Q(doc.printed));
    y += l.line * 1.5;
    p.setFont(l.title);
    const double title_h = QFontMetricsF(l.title, p.device()).height();
    p.drawText(QRectF(0, y, w, title_h), Qt::AlignLeft | Qt::AlignVCenter, Q(doc.title));
    y += title_h * 1.3;
    p.setFont(l.body);
    const double body_h = QFontMetricsF(l.body, p.device()).height();
    for (const auto& s : doc.subtitle) {
        QRectF r;
        p.drawText(QRectF(0, y, w, 1e6), Qt::TextWordWrap, Q(s), &r);
        y += std::max(body_h, r.height());
    }
    y += l.line * 0.5;
    if (number == 1 && !doc.address.empty()) {
        for (const auto& a : doc.address) {
            p.drawText(QRectF(0, y, w, body_h), Qt::AlignLeft | Qt::AlignVCenter, Q(a));
            y += body_h;
        }
        y += body_h;
    }
    // The table's header, repeated on each page.
    const auto& columns = doc.Columns();
    p.setFont(l.bold);
    for (std::size_t c = 0; c < columns.size(); ++c) Cell(p, l, y, c, columns[c].header, columns[c].right);
    y += l.line;
    p.setPen(QPen(Qt::black, l.Pt(0.8)));
    p.drawLine(QPointF(0, y), QPointF(w, y));
    y += l.line * 0.2;

    for (std::size_t i = page.begin; i < page.end; ++i) {
        const ReportLine& line = doc.Lines()[i];
        switch (line.kind) {
            case ReportLine::Kind::Group:
                p.setFont(l.bold);
                p.drawText(QRectF(l.Pt(2), y, w, l.line), Qt::AlignLeft | Qt::AlignVCenter, Q(line.cells[0]));
                break;
            case ReportLine::Kind::Empty:
                p.setFont(l.body);
                p.drawText(QRectF(l.Pt(2), y, w, l.line), Qt::AlignLeft | Qt::AlignVCenter, Q(line.cells[0]));
                break;
            case ReportLine::Kind::Row:
            case ReportLine::Kind::Total:
                p.setFont(line.kind == ReportLine::Kind::Total ? l.bold : l.body);
                if (line.kind == ReportLine::Kind::Total &&
                    (i == 0 || doc.Lines()[i - 1].kind != ReportLine::Kind::Total)) {
                    p.setPen(QPen(Qt::black, l.Pt(0.5)));
                    p.drawLine(QPointF(0, y), QPointF(w, y));
                }
                for (std::size_t c = 0; c < columns.size(); ++c) Cell(p, l, y, c, line.cells[c], columns[c].right);
                break;
        }
        y += l.line;
    }
    p.setFont(l.body);
    p.drawText(QRectF(0, l.page.height() - l.line, w, l.line), Qt::AlignHCenter | Qt::AlignVCenter,
               QString("Seite %1 von %2").arg(number).arg(count));
}

}  // namespace

int ReportPainter::Paint(const ReportDocument& doc, QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 15, 15, 15),
                                     QPageLayout::Millimeter));
    QPainter p;
    if (!p.begin(&device)) throw std::runtime_error("the report cannot be painted on its device");
    const Layout l = Measure(doc, device);
    // The foot line and a gap above it.
    const double body = l.page.height() - l.head - l.line * 2;
    const int other = std::max(2, static_cast<int>(body / l.line));
    const int first = std::max(2, static_cast<int>((body - l.address) / l.line));
    const auto pages = doc.Paginate(first, other);
    for (std::size_t n = 0; n < pages.size(); ++n) {
        if (n > 0) device.newPage();
        PaintPage(p, doc, l, pages[n], static_cast<int>(n + 1), static_cast<int>(pages.size()));
    }
    p.end();
    return static_cast<int>(pages.size());
}

int ReportPainter::WritePdf(const ReportDocument& doc, const std::string& path) {
    const QString file = QString::fromStdString(path);
    int pages = 0;
    {
        QPdfWriter writer(file);
        writer.setResolution(300);
        writer.setTitle(Q(doc.title));
        writer.setCreator("tlx4r");
        pages = Paint(doc, writer);
    }
    if (!QFile::exists(file) || QFile(file).size() == 0) throw std::runtime_error("cannot write " + path);
    return pages;
}

}  // namespace tlx4r::report
