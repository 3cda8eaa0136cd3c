// The Genepop reader.
#include "kelvane/data/formats/genepop_reader.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/text/characters.hpp"
#include "common/text/printf.hpp"
#include "kelvane/data/formats/marker_data_builder.hpp"
#include "kelvane/data/formats/text_table.hpp"

namespace kelvane {
namespace {

using clonal::InputError;

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "Pop" in any case as the first word of a line without a comma.
bool is_pop_line(std::string_view text) {
    if (text.find(',') != std::string_view::npos) {
        return false;
    }
    const std::string_view word = trimmed(text).substr(0, 3);
    const std::string_view rest = trimmed(text).substr(word.size());
    return word.size() == 3 && lower(word[0]) == 'p' && lower(word[1]) == 'o' &&
           lower(word[2]) == 'p' && (rest.empty() || rest[0] == ' ' || rest[0] == '\t');
}

std::vector<std::string> split_names(const std::vector<TextLine>& lines, char separator) {
    std::vector<std::string> names;
    for (const TextLine& line : lines) {
        std::string_view text = line.text;
        while (!text.empty()) {
            std::size_t end = separator == ' ' ? text.find_first_of(" \t") : text.find(separator);
            end = std::min(end, text.size());
            const std::string_view name = trimmed(text.substr(0, end));
            if (!name.empty()) {
                names.emplace_back(name);
            }
            text.remove_prefix(std::min(text.size(), end + 1));
        }
    }
    return names;
}

// The locus names as the lines give them: one a line, or separated by commas, or by blanks,
// whichever gives as many names as the first individual has genotypes.
std::vector<std::string> locus_names(const std::vector<TextLine>& lines, std::size_t loci,
                                     const TextLine& first_individual) {
    std::vector<std::string> per_line;
    for (const TextLine& line : lines) {
        per_line.emplace_back(trimmed(line.text));
    }
    for (auto names : {per_line, split_names(lines, ','), split_names(lines, ' ')}) {
        if (names.size() == loci) {
            return names;
        }
    }
    throw InputError(clonal::format("the file names %zu loci before its first Pop line, but the "
                                    "first individual has %zu genotypes",
                                    per_line.size(), loci),
                     first_individual.number, 0);
}

int64_t column_of(const TextLine& line, std::string_view part) {
    return static_cast<int64_t>(part.data() - line.text.data()) + 1;
}

// The copies of a genotype word.
std::vector<int32_t> word_copies(const TextLine& line, std::string_view word) {
    if (!std::ranges::all_of(word, clonal::is_digit)) {
        throw InputError(
            clonal::format("genotype '%s' is not made of digits", std::string(word).c_str()),
            line.number, column_of(line, word));
    }
    if (std::ranges::all_of(word, [](char c) { return c == '0'; })) {
        return {0};
    }
    std::size_t width = 0;
    switch (word.size()) {
        case 2:
        case 4:
            width = 2;
            break;
        case 3:
        case 6:
            width = 3;
            break;
        default:
            throw InputError(clonal::format("genotype '%s' has %zu digits: one or two alleles of "
                                            "2 or 3 digits each",
                                            std::string(word).c_str(), word.size()),
                             line.number, column_of(line, word));
    }
    std::vector<int32_t> copies;
    for (std::size_t from = 0; from < word.size(); from += width) {
        int32_t value = 0;
        for (const char digit : word.substr(from, width)) {
            value = value * 10 + (digit - '0');
        }
        copies.push_back(value);
    }
    return copies;
}

struct Individual {
    std::string name;
    TextLine line;
    std::vector<std::string_view> words;
};

MarkerData read_file(std::string_view content) {
    const std::vector<TextLine> lines = text_lines(content);
    if (lines.empty()) {
        throw InputError("a Genepop file starts with a title line", 1, 0);
    }
    std::size_t l = 1;
    std::vector<TextLine> locus_lines;
    for (; l < lines.size() && !is_pop_line(lines[l].text); ++l) {
        if (!trimmed(lines[l].text).empty()) {
            locus_lines.push_back(lines[l]);
        }
    }
    if (l == lines.size()) {
        throw InputError("no 'Pop' line opens a population", lines.back().number + 1, 0);
    }
    // The populations, each a list of individuals; blank lines and empty populations are passed.
    std::vector<std::vector<Individual>> populations;
    for (; l < lines.size(); ++l) {
        const TextLine& line = lines[l];
        if (is_pop_line(line.text)) {
            if (populations.empty() || !populations.back().empty()) {
                populations.emplace_back();
            }
            continue;
        }
        if (trimmed(line.text).empty()) {
            continue;
        }
        const std::size_t comma = line.text.find(',');
        if (comma == std::string_view::npos) {
            throw InputError("an individual's line holds its name, a comma and its genotypes",
                             line.number, 1);
        }
        Individual individual{std::string(trimmed(line.text.substr(0, comma))), line, {}};
        const TextLine genotypes{line.text.substr(comma + 1), line.number};
        for (const TextField& word : blank_separated_fields(genotypes)) {
            individual.words.push_back(word.text);
        }
        populations.back().push_back(std::move(individual));
    }
    if (populations.back().empty()) {
        populations.pop_back();
    }
    if (populations.empty()) {
        throw InputError("no individuals after the first Pop line", lines.back().number + 1, 0);
    }

    const Individual& first = populations.front().front();
    const std::size_t loci = first.words.size();
    MarkerDataBuilder builder(std::string(trimmed(lines[0].text)),
                              locus_names(locus_lines, loci, first.line));
    for (const auto& population : populations) {
        std::string name = population.back().name;
        const auto number = static_cast<int32_t>(builder.n_populations()) + 1;
        if (name.empty()) {
            name = clonal::format("pop%d", number);
        } else if (builder.has_population(name)) {
            name += clonal::format(" (pop%d)", number);
        }
        const int32_t p = builder.new_population(name);
        for (const Individual& individual : population) {
            if (individual.words.size() != loci) {
                throw InputError(clonal::format("%zu genotypes here, %zu in the first individual",
                                                individual.words.size(), loci),
                                 individual.line.number, 0);
            }
            builder.add_individual(individual.name, p);
            for (const std::string_view word : individual.words) {
                builder.add_genotype(word_copies(individual.line, word));
            }
        }
    }
    return std::move(builder).build();
}

}  // namespace

MarkerData read_genepop(std::string_view content) {
    return read_file(content);
}

}  // namespace kelvane
