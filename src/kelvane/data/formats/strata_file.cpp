// Reading strata from a TSV file and from a GenAlEx sheet's region block.
#include "kelvane/data/formats/strata_file.hpp"

#include <unordered_map>

#include "common/core/fatal_error.hpp"
#include "common/text/number_text.hpp"
#include "common/text/printf.hpp"
#include "kelvane/data/formats/text_table.hpp"

namespace kelvane {
namespace {

using clonal::InputError;

// The fields of a line of the strata file, tab-separated, blanks around them dropped.
std::vector<std::string> tab_fields(const TextLine& line) {
    std::vector<std::string> fields;
    for (const TextField& field : delimited_fields(line, '\t')) {
        fields.emplace_back(trimmed(field_text(field)));
    }
    return fields;
}

std::string field_or_empty(const std::vector<TextField>& fields, std::size_t column) {
    return column < fields.size() ? std::string(trimmed(field_text(fields[column])))
                                  : std::string();
}

}  // namespace

Strata read_strata(std::string_view content, std::span<const std::string> individuals,
                   bool complete) {
    std::vector<TextLine> lines;
    for (const TextLine& line : text_lines(content)) {
        if (!trimmed(line.text).empty()) {
            lines.push_back(line);
        }
    }
    if (lines.empty()) {
        throw InputError(
            "a strata file starts with a header: the individual's column, then a "
            "column per level",
            1, 0);
    }
    const std::vector<std::string> header = tab_fields(lines[0]);
    if (header.size() < 2) {
        throw InputError(
            "the header names no level: it holds the individual's column, then a "
            "column per level, separated by tabs",
            lines[0].number, 0);
    }
    Strata strata;
    for (std::size_t c = 1; c < header.size(); ++c) {
        if (header[c].empty()) {
            throw InputError("a level without a name", lines[0].number,
                             static_cast<int64_t>(c) + 1);
        }
        for (const std::string& level : strata.levels) {
            if (level == header[c]) {
                throw InputError(clonal::format("two levels named '%s'", header[c].c_str()),
                                 lines[0].number, static_cast<int64_t>(c) + 1);
            }
        }
        strata.levels.push_back(header[c]);
    }
    std::unordered_map<std::string, std::size_t> place;
    for (std::size_t i = 0; i < individuals.size(); ++i) {
        place.emplace(individuals[i], i);
    }
    const std::size_t levels = strata.levels.size();
    strata.values.assign(levels, std::vector<std::string>(individuals.size()));
    std::vector<int64_t>& line_of = strata.lines;
    line_of.assign(individuals.size(), 0);
    for (std::size_t l = 1; l < lines.size(); ++l) {
        const std::vector<std::string> fields = tab_fields(lines[l]);
        if (fields.size() != levels + 1) {
            throw InputError(clonal::format("%zu fields; the header has %zu (the individual and "
                                            "a group per level)",
                                            fields.size(), levels + 1),
                             lines[l].number, 0);
        }
        const auto found = place.find(fields[0]);
        if (found == place.end()) {
            continue;
        }
        const std::size_t i = found->second;
        if (line_of[i] != 0) {
            throw InputError(clonal::format("the individual '%s' has a line already (line %lld)",
                                            fields[0].c_str(), static_cast<long long>(line_of[i])),
                             lines[l].number, 1);
        }
        line_of[i] = lines[l].number;
        for (std::size_t c = 0; c < levels; ++c) {
            if (fields[c + 1].empty()) {
                throw InputError(
                    clonal::format("the individual '%s' has nothing in the column '%s'",
                                   fields[0].c_str(), strata.levels[c].c_str()),
                    lines[l].number, static_cast<int64_t>(c) + 2);
            }
            strata.values[c][i] = fields[c + 1];
        }
    }
    for (std::size_t i = 0; i < individuals.size() && complete; ++i) {
        if (line_of[i] == 0) {
            throw InputError(clonal::format("the individual '%s' of the data has no line",
                                            individuals[i].c_str()),
                             static_cast<int64_t>(lines.back().number) + 1, 0);
        }
    }
    return strata;
}

std::optional<Strata> genalex_regions(std::string_view content) {
    const std::vector<TextLine> lines = text_lines(content);
    if (lines.size() < 2) {
        return std::nullopt;
    }
    const char separator = table_separator(lines[0].text);
    const auto counts = delimited_fields(lines[0], separator);
    const auto names = delimited_fields(lines[1], separator);
    const auto number = [&](std::size_t column) {
        return clonal::whole_int(field_or_empty(counts, column));
    };
    const auto samples = number(1);
    const auto populations = number(2);
    // A sheet holds a line per sample below its three lines of header.
    if (!samples || !populations || *populations < 1 || *samples < 0 ||
        static_cast<std::size_t>(*samples) > lines.size()) {
        return std::nullopt;
    }
    // The block starts after the sizes and one empty field.
    const std::size_t count_column = 3 + static_cast<std::size_t>(*populations) + 1;
    const auto regions = number(count_column);
    if (field_or_empty(counts, count_column - 1) != "" || !regions || *regions < 1) {
        return std::nullopt;
    }
    Strata strata;
    strata.levels = {"region"};
    strata.values.resize(1);
    int64_t rows = 0;
    for (int64_t r = 0; r < *regions; ++r) {
        const std::size_t column = count_column + 1 + static_cast<std::size_t>(r);
        const auto size = number(column);
        std::string name = field_or_empty(names, count_column + static_cast<std::size_t>(r));
        if (!size || *size < 1) {
            throw InputError(clonal::format("the region block gives region %lld no number of "
                                            "samples",
                                            static_cast<long long>(r + 1)),
                             lines[0].number, static_cast<int64_t>(column) + 1);
        }
        if (name.empty()) {
            name = "region" + std::to_string(r + 1);
        }
        // Sizes beyond the samples line 1 declares are refused before any row is made for them.
        if (*size > *samples - rows) {
            throw InputError(clonal::format("the regions hold more than the %lld samples line 1 "
                                            "says",
                                            static_cast<long long>(*samples)),
                             lines[0].number, static_cast<int64_t>(column) + 1);
        }
        rows += *size;
        strata.values[0].insert(strata.values[0].end(), static_cast<std::size_t>(*size), name);
    }
    if (rows != *samples) {
        throw InputError(
            clonal::format("the regions hold %lld samples, line 1 says %lld",
                           static_cast<long long>(rows), static_cast<long long>(*samples)),
            lines[0].number, static_cast<int64_t>(count_column) + 1);
    }
    return strata;
}

}  // namespace kelvane
