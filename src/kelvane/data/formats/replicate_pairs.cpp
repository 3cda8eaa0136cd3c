// Reading the pairs of replicate typings.
#include "kelvane/data/formats/replicate_pairs.hpp"

#include <unordered_map>

#include "common/core/fatal_error.hpp"
#include "kelvane/data/formats/text_table.hpp"

namespace kelvane {

std::vector<std::pair<int, int>> read_replicate_pairs(std::string_view content,
                                                      std::span<const std::string> individuals) {
    std::unordered_map<std::string_view, int> position;
    for (std::size_t i = 0; i < individuals.size(); ++i) {
        position.emplace(individuals[i], static_cast<int>(i));
    }
    std::vector<std::pair<int, int>> pairs;
    bool first = true;
    for (const TextLine& line : text_lines(content)) {
        const std::vector<TextField> fields = line.text.find('\t') != std::string_view::npos
                                                  ? delimited_fields(line, '\t')
                                                  : blank_separated_fields(line);
        if (fields.empty() || (fields.size() == 1 && fields[0].text.empty()) ||
            fields[0].text.starts_with('#')) {
            continue;
        }
        const bool was_first = first;
        first = false;
        if (fields.size() != 2) {
            throw clonal::InputError("a line of the replicates file names two samples, not " +
                                         std::to_string(fields.size()),
                                     line.number, 0);
        }
        const auto a = position.find(fields[0].text);
        const auto b = position.find(fields[1].text);
        if (was_first && a == position.end() && b == position.end()) {
            continue;  // a header
        }
        for (const auto& [found, field] : {std::pair(a, &fields[0]), std::pair(b, &fields[1])}) {
            if (found == position.end()) {
                throw clonal::InputError(
                    "no individual of the data is named '" + std::string(field->text) + "'",
                    line.number, field->column);
            }
        }
        if (a->second == b->second) {
            throw clonal::InputError("a sample is paired with itself", line.number, 0);
        }
        pairs.emplace_back(a->second, b->second);
    }
    if (pairs.empty()) {
        throw clonal::InputError("the replicates file names no pair of samples", 1, 0);
    }
    return pairs;
}

}  // namespace kelvane
