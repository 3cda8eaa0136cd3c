// Populations from a file of samples and populations.
#include "kelvane/data/formats/population_file.hpp"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/text/printf.hpp"
#include "kelvane/data/formats/text_table.hpp"

namespace kelvane {
namespace {

struct Entry {
    std::string population;
    int64_t line = 0;
};

// The two columns of a line: split at its tabs, else at its commas, else at its blanks.
std::vector<std::string> columns_of(const TextLine& line) {
    std::vector<std::string> columns;
    const std::string_view text = trimmed(line.text);
    const char separator = text.find('\t') != std::string_view::npos  ? '\t'
                           : text.find(',') != std::string_view::npos ? ','
                                                                      : ' ';
    if (separator == ' ') {
        for (const TextField& field : blank_separated_fields(line)) {
            columns.emplace_back(field.text);
        }
        return columns;
    }
    for (const TextField& field : delimited_fields({text, line.number}, separator)) {
        columns.push_back(field_text(field));
    }
    while (!columns.empty() && columns.back().empty()) {
        columns.pop_back();
    }
    return columns;
}

}  // namespace

void assign_populations(MarkerData& data, std::string_view content) {
    std::unordered_map<std::string, Entry> population_of;
    for (const TextLine& line : text_lines(content)) {
        const std::string_view text = trimmed(line.text);
        if (text.empty() || text.front() == '#') {
            continue;
        }
        const std::vector<std::string> columns = columns_of(line);
        if (columns.size() != 2 || columns[0].empty() || columns[1].empty()) {
            throw clonal::InputError(
                "a line of the populations file holds a sample and its population", line.number, 0);
        }
        const auto [entry, added] =
            population_of.try_emplace(columns[0], Entry{columns[1], line.number});
        if (!added && entry->second.population != columns[1]) {
            throw clonal::InputError(
                clonal::format("sample %s is in population %s on line %lld", columns[0].c_str(),
                               entry->second.population.c_str(),
                               static_cast<long long>(entry->second.line)),
                line.number, 0);
        }
    }
    // Populations in the order of their first line, among those that hold an individual.
    std::vector<const Entry*> chosen;
    for (const std::string& name : data.ind_names) {
        const auto found = population_of.find(name);
        if (found == population_of.end()) {
            throw clonal::FatalError(
                clonal::format("individual %s is not in the populations file", name.c_str()));
        }
        chosen.push_back(&found->second);
    }
    std::unordered_map<std::string, int64_t> first_line_of;
    for (const auto& [name, entry] : population_of) {
        const auto [known, added] = first_line_of.try_emplace(entry.population, entry.line);
        if (!added && entry.line < known->second) {
            known->second = entry.line;
        }
    }
    std::vector<std::pair<int64_t, std::string>> order;
    for (const Entry* entry : chosen) {
        order.emplace_back(first_line_of.at(entry->population), entry->population);
    }
    std::ranges::sort(order);
    order.erase(std::unique(order.begin(), order.end()), order.end());
    std::unordered_map<std::string, int32_t> number_of;
    data.pop_names.clear();
    for (const auto& [line, name] : order) {
        data.pop_names.push_back(name);
        number_of.emplace(name, static_cast<int32_t>(data.pop_names.size()));
    }
    data.n_populations = static_cast<int32_t>(data.pop_names.size());
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        data.pop_vector[i] = number_of.at(chosen[i]->population);
    }
}

}  // namespace kelvane
