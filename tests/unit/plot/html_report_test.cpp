// The report page: self-contained, every text from the data escaped, each section with its
// tables, figures and commands.
#include "plot/html_report.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace clonal::plot {
namespace {

std::size_t occurrences(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

Report sample_report() {
    Report report;
    report.title = "report of <script>alert(1)</script>";
    report.program = "kelvane 1.2";
    report.command = "kelvane report 'my data.txt' --html r.html";
    report.seeds = "12345,67890";
    ReportSection section;
    section.heading = "Populations";
    section.paragraphs.push_back("One <b>row</b> per population.");
    ResultTable table;
    table.header({"population", "n", "div"});
    table.text("<script>").integer(6).real(0.1);
    table.end_row();
    table.text("Bay & Co").integer(1).real(std::nan(""));
    table.end_row();
    section.tables.push_back({"Populations", table});
    Figure figure;
    figure.title = "Diversity";
    Panel panel;
    panel.add(Points{{{0.1, 0.0}}, "<script>", 0, {}});
    figure.add_panel(panel);
    section.figures.push_back(figure);
    section.commands.push_back("marsyl indices 'my data.txt'");
    report.add(section);
    report.add(ReportSection{"Nothing to show", {"No AMOVA: only one population."}, {}, {}, {}});
    return report;
}

std::string html_of(const Report& report) {
    std::ostringstream out;
    write_html_report(report, out);
    return out.str();
}

TEST(HtmlReport, SectionsHoldTheirTablesFiguresAndCommands) {
    const std::string html = html_of(sample_report());
    EXPECT_EQ(html.rfind("<!DOCTYPE html>\n", 0), 0u);
    EXPECT_EQ(occurrences(html, "<section "), 2u);
    EXPECT_EQ(occurrences(html, "<table>"), 1u);
    EXPECT_EQ(occurrences(html, "<svg "), 1u);
    EXPECT_EQ(occurrences(html, "<tr>"), 3u);
    EXPECT_NE(html.find("<td class=\"number\">NA</td>"), std::string::npos);
    EXPECT_NE(html.find("<td class=\"number\">0.1</td>"), std::string::npos);
    EXPECT_NE(html.find("<a href=\"#section-2\">Nothing to show</a>"), std::string::npos);
    EXPECT_NE(html.find("<code>marsyl indices &#39;my data.txt&#39;</code>"), std::string::npos);
    EXPECT_NE(html.find("<code>12345,67890</code>"), std::string::npos);
    EXPECT_NE(html.find("kelvane 1.2"), std::string::npos);
}

TEST(HtmlReport, NothingFromTheDataBecomesMarkupOrReachesOut) {
    const std::string html = html_of(sample_report());
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_NE(html.find("<td>&lt;script&gt;</td>"), std::string::npos);
    EXPECT_NE(html.find("<td>Bay &amp; Co</td>"), std::string::npos);
    // The only address is the SVG namespace, which names and loads nothing.
    EXPECT_EQ(occurrences(html, "http"), 1u);
    EXPECT_EQ(occurrences(html, "xmlns=\"http://www.w3.org/2000/svg\""), 1u);
    EXPECT_EQ(html.find(" src="), std::string::npos);
}

TEST(HtmlReport, ALongTableShowsItsFirstRowsAndSaysHowManyMore) {
    Report report;
    ReportSection section;
    ResultTable table;
    table.header({"threshold", "genotypes"});
    for (int row = 0; row < 502; ++row) {
        table.integer(row).integer(5000 - row);
        table.end_row();
    }
    section.tables.push_back({"", table});
    report.add(section);
    const std::string html = html_of(report);
    EXPECT_EQ(occurrences(html, "<tr>"), 1u + 500u);
    EXPECT_NE(html.find("<td class=\"number\">499</td>"), std::string::npos);
    EXPECT_EQ(html.find("<td class=\"number\">500</td>"), std::string::npos);
    EXPECT_NE(html.find("<tr class=\"more\">\n<td colspan=\"2\">2 more rows: the command below "
                        "writes them all.</td>"),
              std::string::npos);
}

TEST(HtmlReport, TheDateLineIsThereOnlyWhenGiven) {
    Report report = sample_report();
    const std::string without = html_of(report);
    EXPECT_EQ(without.find("Written on"), std::string::npos);
    EXPECT_EQ(without, html_of(report));
    report.date = "2024-05-31 14:05";
    EXPECT_NE(html_of(report).find("<p class=\"date\">Written on 2024-05-31 14:05.</p>"),
              std::string::npos);
}

}  // namespace
}  // namespace clonal::plot
