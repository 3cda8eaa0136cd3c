// A whole analysis as one self-contained HTML page: the style sheet and every figure inline, no
// script and no reference to anything outside the file, so that it opens anywhere, from a USB
// stick as from a server. A table of more than 500 rows shows its first 500 and says how many
// more its command writes. A report is a list of sections, each with its heading, its tables, the
// figures beside them and the command that reproduces them; a section is added with one call.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "common/text/result_table.hpp"
#include "plot/figure.hpp"

namespace clonal::plot {

struct ReportTable {
    std::string caption;
    ResultTable table;
};

struct ReportSection {
    std::string heading;
    std::vector<std::string> paragraphs;
    std::vector<ReportTable> tables;
    std::vector<Figure> figures;
    std::vector<std::string> commands;  // the commands that give the section's tables as TSV
};

struct Report {
    std::string title;
    std::string program;  // name and version: "kelvane 1.2"
    std::string command;  // the command that writes this report again
    std::string seeds;    // "S1,S2" of the generator; empty when nothing is random
    std::string date;     // when it was written; empty for no date line

    std::vector<ReportSection> sections;

    void add(ReportSection section) { sections.push_back(std::move(section)); }
};

void write_html_report(const Report& report, std::ostream& out);

}  // namespace clonal::plot
