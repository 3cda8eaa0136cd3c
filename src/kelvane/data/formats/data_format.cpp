// The roles of STRUCTURE columns by name, and the format a file's content looks like.
#include "kelvane/data/formats/data_format.hpp"

#include <algorithm>
#include <array>
#include <utility>

#include "kelvane/data/marker_data_loader.hpp"

namespace kelvane {

std::optional<std::vector<StructureColumn>> structure_columns_named(std::string_view list) {
    std::vector<StructureColumn> columns;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        if (name == "label") {
            columns.push_back(StructureColumn::kLabel);
        } else if (name == "population") {
            columns.push_back(StructureColumn::kPopulation);
        } else if (name == "skip") {
            columns.push_back(StructureColumn::kSkip);
        } else {
            return std::nullopt;
        }
        if (comma == std::string_view::npos) {
            break;
        }
        list.remove_prefix(comma + 1);
        if (list.empty()) {
            return std::nullopt;
        }
    }
    for (const StructureColumn once : {StructureColumn::kLabel, StructureColumn::kPopulation}) {
        if (std::ranges::count(columns, once) > 1) {
            return std::nullopt;
        }
    }
    return columns;
}

}  // namespace kelvane

namespace kelvane {
namespace {

// The lines of text, without their ends, at most `limit` of them.
std::vector<std::string_view> first_lines(std::string_view content, std::size_t limit) {
    std::vector<std::string_view> lines;
    while (!content.empty() && lines.size() < limit) {
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
    }
    return lines;
}

// The fields of a line at any of the separators given, blanks around them dropped.
std::vector<std::string_view> fields_of(std::string_view line, std::string_view separators) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find_first_of(separators, start);
        std::string_view field =
            line.substr(start, end == std::string_view::npos ? line.npos : end - start);
        while (!field.empty() && field.front() == ' ') {
            field.remove_prefix(1);
        }
        while (!field.empty() && field.back() == ' ') {
            field.remove_suffix(1);
        }
        fields.push_back(field);
        if (end == std::string_view::npos) {
            return fields;
        }
        start = end + 1;
    }
}

bool is_count(std::string_view field) {
    return !field.empty() && field.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::optional<DataFormat> format_of_content(std::string_view content) {
    if (content.substr(0, 3) == "\xEF\xBB\xBF") {
        content.remove_prefix(3);
    }
    if (content.substr(0, 16) == "##fileformat=VCF") {
        return DataFormat::kVcf;
    }
    const std::vector<std::string_view> lines = first_lines(content, 200);
    if (lines.empty()) {
        return std::nullopt;
    }
    const std::vector<std::string_view> sheet = fields_of(lines[0], ",;\t");
    if (sheet.size() >= 3 && is_count(sheet[0]) && is_count(sheet[1]) && is_count(sheet[2])) {
        return DataFormat::kGenalex;
    }
    const std::vector<std::string_view> words = fields_of(lines[0], " ");
    if (words.size() == 4 && std::all_of(words.begin(), words.end(), is_count) &&
        lines.size() > 1 && !lines[1].empty() && !is_count(fields_of(lines[1], " ")[0])) {
        return DataFormat::kFstat;
    }
    for (std::size_t l = 1; l < lines.size(); ++l) {
        const std::vector<std::string_view> line = fields_of(lines[l], " \t");
        if (line.size() == 1 && line[0].size() == 3 && (line[0][0] == 'P' || line[0][0] == 'p') &&
            (line[0][1] == 'O' || line[0][1] == 'o') && (line[0][2] == 'P' || line[0][2] == 'p')) {
            return DataFormat::kGenepop;
        }
    }
    return std::nullopt;
}

}  // namespace kelvane
