// The HTML page of a report.
#include "plot/html_report.hpp"

#include <algorithm>
#include <string_view>
#include <type_traits>

#include "plot/markup_writer.hpp"
#include "plot/number_format.hpp"
#include "plot/svg_render.hpp"

namespace clonal::plot {
namespace {

// The style sheet. It is written as element text, which escapes &, <, >, " and ': it uses none
// of them, so that it reaches the browser unchanged.
constexpr std::string_view kStyle = R"(
body { font-family: DejaVu Sans, Verdana, Arial, sans-serif; color: #111111; background: #ffffff;
       margin: 1.5em auto; max-width: 120em; padding: 0 1.5em; line-height: 1.4 }
h1 { font-size: 1.5em; margin: 0 0 0.3em 0 }
h2 { font-size: 1.2em; border-bottom: 1px solid #bbbbbb; padding-bottom: 0.2em; margin-top: 2em }
header p { margin: 0.2em 0 }
code { font-family: DejaVu Sans Mono, Menlo, Consolas, monospace; font-size: 0.9em;
       background: #f2f2f2; padding: 0.1em 0.3em; overflow-wrap: anywhere }
nav ol { margin: 0.5em 0; padding-left: 1.5em }
.results { display: flex; flex-wrap: wrap; gap: 1.5em; align-items: flex-start }
.tables { max-width: 100% }
.table-box { max-height: 32em; overflow: auto; border: 1px solid #d0d0d0; margin-bottom: 1em }
table { border-collapse: collapse; font-size: 0.85em }
caption { text-align: left; font-weight: bold; padding: 0.3em 0.6em }
th, td { padding: 0.2em 0.6em; border-bottom: 1px solid #e6e6e6; text-align: left }
th, td.number { white-space: nowrap }
td { max-width: 40em; overflow-wrap: anywhere }
th { position: sticky; top: 0; background: #f4f4f4 }
td.number { text-align: right; font-variant-numeric: tabular-nums }
tr.more td { font-style: italic; color: #444444 }
figure { margin: 0; max-width: 100% }
figure svg { max-width: 100%; height: auto; display: block }
.reproduce { color: #333333 }
@page { size: A4; margin: 1.5cm }
@media print {
  body { max-width: none; margin: 0; padding: 0; font-size: 10pt }
  .results { display: block }
  .table-box { max-height: none; overflow: visible; border: none }
  table { font-size: 8pt; width: 100% }
  th { position: static }
  td { max-width: none }
  figure, tr { break-inside: avoid }
}
)";

std::string cell_text(const ResultTable::Cell& cell) {
    return std::visit(
        [](const auto& value) -> std::string {
            using V = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<V, std::monostate>) {
                return "NA";
            } else if constexpr (std::is_same_v<V, int64_t>) {
                return std::to_string(value);
            } else if constexpr (std::is_same_v<V, double>) {
                return readable_real(value);
            } else {
                return value;
            }
        },
        cell);
}

// A page stays quick to open and to read: a longer table shows its first rows and says how many
// more there are.
constexpr std::size_t kMostRows = 500;

std::string more_rows(std::size_t count) {
    std::string text = std::to_string(count);
    text += count == 1 ? " more row" : " more rows";
    text += ": the command below writes them all.";
    return text;
}

bool is_number(const ResultTable::Cell& cell) {
    return !std::holds_alternative<std::string>(cell);
}

void write_table(MarkupWriter& m, const ReportTable& report_table) {
    const ResultTable& table = report_table.table;
    m.open("div", {{"class", "table-box"}});
    m.open("table");
    if (!report_table.caption.empty()) {
        m.element("caption", {}, report_table.caption);
    }
    m.open("thead");
    m.open("tr");
    for (const std::string& column : table.columns()) {
        m.element("th", {{"scope", "col"}}, column);
    }
    m.close();
    m.close();
    m.open("tbody");
    const std::size_t shown = std::min(table.rows().size(), kMostRows);
    for (std::size_t r = 0; r < shown; ++r) {
        const auto& row = table.rows()[r];
        m.open("tr");
        for (const ResultTable::Cell& cell : row) {
            if (is_number(cell)) {
                m.element("td", {{"class", "number"}}, cell_text(cell));
            } else {
                m.element("td", {}, cell_text(cell));
            }
        }
        m.close();
    }
    if (shown < table.rows().size()) {
        m.open("tr", {{"class", "more"}});
        m.element("td", {{"colspan", std::to_string(table.columns().size())}},
                  more_rows(table.rows().size() - shown));
        m.close();
    }
    m.close();
    m.close();
    m.close();
}

std::string section_id(std::size_t index) {
    std::string id = "section-";
    id += std::to_string(index + 1);
    return id;
}

// start and what, ended by a full stop. (Built by appending: g++ 12 warns falsely on
// concatenating a literal with a temporary string.)
std::string sentence(std::string_view start, std::string_view what) {
    std::string text(start);
    text += what;
    text += '.';
    return text;
}

void write_section(MarkupWriter& m, const ReportSection& section, std::size_t index) {
    m.open("section", {{"class", "analysis"}, {"id", section_id(index)}});
    m.element("h2", {}, section.heading);
    for (const std::string& paragraph : section.paragraphs) {
        m.element("p", {}, paragraph);
    }
    if (!section.tables.empty() || !section.figures.empty()) {
        m.open("div", {{"class", "results"}});
        if (!section.tables.empty()) {
            m.open("div", {{"class", "tables"}});
            for (const ReportTable& table : section.tables) {
                write_table(m, table);
            }
            m.close();
        }
        for (const Figure& figure : section.figures) {
            m.open("figure");
            write_svg_element(figure, m);
            m.close();
        }
        m.close();
    }
    for (const std::string& command : section.commands) {
        m.open("p", {{"class", "reproduce"}});
        m.text("As tab-separated text: ");
        m.element("code", {}, command);
        m.close();
    }
    m.close();
}

}  // namespace

void write_html_report(const Report& report, std::ostream& out) {
    MarkupWriter m(out);
    m.prologue(Prologue::kHtml);
    m.open("html", {{"lang", "en"}});
    m.open("head");
    m.leaf("meta", {{"charset", "utf-8"}});
    m.leaf("meta", {{"name", "viewport"}, {"content", "width=device-width, initial-scale=1"}});
    m.leaf("meta", {{"name", "generator"}, {"content", report.program}});
    m.element("title", {}, report.title);
    m.element("style", {}, kStyle);
    m.close();
    m.open("body");
    m.open("header");
    m.element("h1", {}, report.title);
    m.element("p", {{"class", "program"}}, sentence("Written by ", report.program));
    m.open("p", {{"class", "command"}});
    m.text("Command: ");
    m.element("code", {}, report.command);
    m.close();
    if (!report.seeds.empty()) {
        m.open("p", {{"class", "seeds"}});
        m.text("Seeds of the random number generator: ");
        m.element("code", {}, report.seeds);
        m.close();
    }
    if (!report.date.empty()) {
        m.element("p", {{"class", "date"}}, sentence("Written on ", report.date));
    }
    if (!report.sections.empty()) {
        m.open("nav");
        m.open("ol");
        for (std::size_t i = 0; i < report.sections.size(); ++i) {
            m.open("li");
            std::string link(1, '#');
            link += section_id(i);
            m.element("a", {{"href", link}}, report.sections[i].heading);
            m.close();
        }
        m.close();
        m.close();
    }
    m.close();
    m.open("main");
    for (std::size_t i = 0; i < report.sections.size(); ++i) {
        write_section(m, report.sections[i], i);
    }
    m.close();
    m.close();
    m.close();
    m.flush();
}

}  // namespace clonal::plot
