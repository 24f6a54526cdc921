// Reports painted as PDF and read back as text, as a reader of the file sees them.
#include "host/report/ReportPainter.h"

#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <sstream>

namespace tlx4r::report {
namespace {

void App() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "host_report_pdf_test";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

// The text of each page of a PDF file.
std::vector<std::string> Pages(const std::string& pdf, const test::TempDir& dir) {
    const test::Outcome text = test::RunProgram("pdftotext", {"-layout", pdf, "-"}, dir);
    EXPECT_EQ(text.exit_code, 0) << text.err;
    std::vector<std::string> pages;
    std::istringstream in(text.out);
    for (std::string page; std::getline(in, page, '\f');)
        if (page.find_first_not_of(" \n") != std::string::npos) pages.push_back(page);
    return pages;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(ReportPdf, EveryPageCarriesTheHeadingsAndItsNumber) {
    App();
    test::TempDir dir;
    ReportDocument doc("Einträge", {{"Datum", 10}, {"Text", 60}, {"Total", 12, true}});
    doc.office = "Kanzlei Muster";
    doc.printed = "05.12.2026";
    doc.subtitle = {"Eintragsarten: GRANM"};
    doc.address = {"Frau Regula Frei-Lüthi", "Spitalgasse 27", "3011 Bern"};
    for (int i = 1; i <= 150; ++i) doc.AddRow({"03.01.2024", "Besprechung Nr. " + std::to_string(i), "1'000.00"});
    doc.AddTotal({"Total", "150 Einträge", "150'000.00"});
    const std::string file = dir.File("lang.pdf");
    const int count = ReportPainter::WritePdf(doc, file);
    const auto pages = Pages(file, dir);
    ASSERT_GE(count, 3);
    ASSERT_EQ(pages.size(), static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n) {
        const std::string& page = pages[static_cast<std::size_t>(n - 1)];
        const std::string of = "Seite " + std::to_string(n) + " von " + std::to_string(count);
        for (const std::string& part :
             {std::string("Kanzlei Muster"), std::string("Gedruckt am 05.12.2026"), std::string("Einträge"),
              std::string("Eintragsarten: GRANM"), std::string("Datum"), std::string("Total"), of})
            EXPECT_TRUE(Has(page, part)) << "page " << n << " lacks " << part << "\n" << page;
        EXPECT_EQ(Has(page, "3011 Bern"), n == 1) << "the address on the first page only";
    }
    EXPECT_TRUE(Has(pages[0], "Besprechung Nr. 1\n") || Has(pages[0], "Besprechung Nr. 1 "));
    EXPECT_FALSE(Has(pages[0], "Besprechung Nr. 150"));
    EXPECT_TRUE(Has(pages.back(), "150'000.00"));
    // No row lost or printed twice across the breaks.
    std::size_t rows = 0;
    for (const auto& page : pages)
        for (std::size_t at = page.find("Besprechung Nr. "); at != std::string::npos;
             at = page.find("Besprechung Nr. ", at + 1))
            ++rows;
    EXPECT_EQ(rows, 150u);

    ReportDocument empty("Geschäftsübersicht", {{"Konto", 10}, {"Name", 40}, {"Saldo", 12, true}});
    empty.AddTotal({"Total", "0 Geschäfte", "0.00"});
    ASSERT_EQ(ReportPainter::WritePdf(empty, dir.File("leer.pdf")), 1);
    const auto one = Pages(dir.File("leer.pdf"), dir);
    ASSERT_EQ(one.size(), 1u);
    for (const char* part : {"Geschäftsübersicht", "Konto", "Saldo", "Keine Einträge", "0 Geschäfte", "Seite 1 von 1"})
        EXPECT_TRUE(Has(one[0], part)) << part << "\n" << one[0];

    EXPECT_THROW(ReportPainter::WritePdf(empty, dir.File("kein/Ordner/x.pdf")), std::runtime_error);
}

}  // namespace
}  // namespace tlx4r::report
