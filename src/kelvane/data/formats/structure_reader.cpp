// The STRUCTURE reader: a pass that checks every row and finds the smallest allele, then a pass
// that reads the individuals.
#include "kelvane/data/formats/structure_reader.hpp"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/text/number_text.hpp"
#include "common/text/printf.hpp"
#include "kelvane/data/formats/marker_data_builder.hpp"
#include "kelvane/data/formats/text_table.hpp"

namespace kelvane {
namespace {

using clonal::InputError;

constexpr int32_t kMissingValue = -9;

// A whole value of the file, -9 included; a declared missing code reads as -9.
int32_t value_of(const TextField& field, int64_t line, const FormatSettings& settings) {
    const std::string_view text = field.text;
    if (settings.is_missing_code(text)) {
        return kMissingValue;
    }
    const auto value = clonal::leading_int(text);
    if (!value || clonal::integer_length(text) != text.size()) {
        throw InputError(clonal::format("'%s' is not an allele: a whole number, or -9 for a "
                                        "missing copy",
                                        std::string(text).c_str()),
                         line, field.column);
    }
    return *value;
}

struct Layout {
    std::size_t lead = 0;     // leading columns
    std::size_t per_row = 0;  // values of a row
    std::size_t loci = 0;
    std::size_t per_locus = 1;  // values of one locus in a row
    std::vector<std::string> locus_names;
    std::vector<TextLine> rows;                              // the rows of individuals
    int64_t smallest = std::numeric_limits<int64_t>::max();  // the smallest allele
};

std::optional<std::size_t> column_of_role(const FormatSettings& settings, StructureColumn role) {
    const auto found = std::ranges::find(settings.structure_columns, role);
    if (found == settings.structure_columns.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - settings.structure_columns.begin());
}

Layout layout_of(const std::vector<TextLine>& lines, const FormatSettings& settings) {
    Layout layout;
    layout.lead = settings.structure_columns.size();
    layout.per_locus = settings.structure_rows == 1 ? static_cast<std::size_t>(settings.ploidy) : 1;
    std::size_t first = 0;
    std::vector<TextField> header;
    if (settings.structure_header) {
        if (lines.empty()) {
            throw InputError("the file is empty; a line of locus names was expected", 1, 0);
        }
        header = blank_separated_fields(lines[0]);
        first = 1;
    }
    for (std::size_t l = first; l < lines.size(); ++l) {
        layout.per_row = std::max(layout.per_row, blank_separated_fields(lines[l]).size());
    }
    if (layout.per_row <= layout.lead) {
        throw InputError(clonal::format("no genotypes after the %zu leading columns that "
                                        "{setting} names",
                                        layout.lead),
                         lines.empty() ? 1 : lines[first < lines.size() ? first : 0].number, 0,
                         "structure_columns");
    }
    const std::size_t values = layout.per_row - layout.lead;
    if (values % layout.per_locus != 0) {
        throw InputError(clonal::format("%zu values after the leading columns do not make loci of "
                                        "%zu columns ({setting})",
                                        values, layout.per_locus),
                         lines[first].number, 0, "ploidy");
    }
    layout.loci = values / layout.per_locus;
    if (settings.structure_header) {
        std::size_t skip = 0;
        if (header.size() == layout.lead + layout.loci) {
            skip = layout.lead;
        } else if (header.size() != layout.loci) {
            throw InputError(clonal::format("the first line names %zu loci, the rows hold %zu",
                                            header.size(), layout.loci),
                             lines[0].number, 0);
        }
        for (std::size_t k = skip; k < header.size(); ++k) {
            layout.locus_names.emplace_back(header[k].text);
        }
        // Rows of one value per locus without the leading columns (marker distances,
        // recessive alleles) may follow the names.
        while (layout.lead > 0 && first < lines.size() &&
               blank_separated_fields(lines[first]).size() == values) {
            ++first;
        }
    } else {
        for (std::size_t k = 1; k <= layout.loci; ++k) {
            layout.locus_names.push_back(clonal::format("Locus%zu", k));
        }
    }
    for (std::size_t l = first; l < lines.size(); ++l) {
        const auto fields = blank_separated_fields(lines[l]);
        if (fields.size() != layout.per_row) {
            // A short first line is most often a line of locus names.
            const bool names = l == 0 && !settings.structure_header;
            throw InputError(clonal::format("%zu values here, %zu in the longest row (%zu leading "
                                            "columns and the genotypes)%s",
                                            fields.size(), layout.per_row, layout.lead,
                                            names ? "; a first line of locus names takes "
                                                    "{setting}"
                                                  : ""),
                             lines[l].number, 0, "structure_header");
        }
        for (std::size_t c = layout.lead; c < fields.size(); ++c) {
            const int32_t value = value_of(fields[c], lines[l].number, settings);
            if (value != kMissingValue) {
                layout.smallest = std::min<int64_t>(layout.smallest, value);
            }
        }
        layout.rows.push_back(lines[l]);
    }
    return layout;
}

// The populations numbered in ascending order when every label is a number, else in the order
// the rows name them.
void number_populations(const Layout& layout, std::size_t column, std::size_t rows_per_individual,
                        MarkerDataBuilder& builder) {
    std::map<int64_t, std::string> numbered;
    for (std::size_t r = 0; r < layout.rows.size(); r += rows_per_individual) {
        const std::string_view label = blank_separated_fields(layout.rows[r])[column].text;
        const auto number = clonal::leading_int(label);
        if (!number || clonal::integer_length(label) != label.size()) {
            return;
        }
        numbered.emplace(*number, std::string(label));
    }
    for (const auto& [number, label] : numbered) {
        builder.population(label);
    }
}

MarkerData read_rows(const Layout& layout, const FormatSettings& settings, int64_t shift) {
    const auto rows = static_cast<std::size_t>(settings.structure_rows);
    if (layout.rows.size() % rows != 0) {
        throw InputError(clonal::format("the last individual has %zu of its %zu rows "
                                        "({setting})",
                                        layout.rows.size() % rows, rows),
                         layout.rows.back().number, 0, "structure_rows");
    }
    const auto label_column = column_of_role(settings, StructureColumn::kLabel);
    const auto population_column = column_of_role(settings, StructureColumn::kPopulation);
    MarkerDataBuilder builder("STRUCTURE data", layout.locus_names);
    if (population_column) {
        number_populations(layout, *population_column, rows, builder);
    }
    const int32_t single_population = population_column ? 0 : builder.population("pop1");
    std::vector<std::vector<TextField>> fields(rows);
    std::vector<int32_t> copies;
    for (std::size_t first = 0; first < layout.rows.size(); first += rows) {
        for (std::size_t r = 0; r < rows; ++r) {
            fields[r] = blank_separated_fields(layout.rows[first + r]);
        }
        // Every row of an individual repeats its leading columns.
        for (const auto column : {label_column, population_column}) {
            for (std::size_t r = 1; column && r < rows; ++r) {
                if (fields[r][*column].text != fields[0][*column].text) {
                    throw InputError(
                        clonal::format("'%s' here, '%s' in the row before: each individual takes "
                                       "%zu rows ({setting}) that repeat its leading "
                                       "columns",
                                       std::string(fields[r][*column].text).c_str(),
                                       std::string(fields[0][*column].text).c_str(), rows),
                        layout.rows[first + r].number, fields[r][*column].column, "structure_rows");
                }
            }
        }
        const std::string name = label_column ? std::string(fields[0][*label_column].text)
                                              : clonal::format("ind%zu", first / rows + 1);
        builder.add_individual(
            name, population_column
                      ? builder.population(std::string(fields[0][*population_column].text))
                      : single_population);
        for (std::size_t k = 0; k < layout.loci; ++k) {
            copies.clear();
            for (std::size_t r = 0; r < rows; ++r) {
                for (std::size_t c = 0; c < layout.per_locus; ++c) {
                    const std::size_t column = layout.lead + k * layout.per_locus + c;
                    const int32_t value = value_of(fields[r][column], 0, settings);
                    copies.push_back(
                        value == kMissingValue ? 0 : static_cast<int32_t>(int64_t{value} + shift));
                }
            }
            builder.add_genotype(copies);
        }
    }
    return std::move(builder).build();
}

}  // namespace

StructureData read_structure(std::string_view content, const FormatSettings& settings) {
    std::vector<TextLine> lines;
    for (const TextLine& line : text_lines(content)) {
        if (!trimmed(line.text).empty()) {
            lines.push_back(line);
        }
    }
    const Layout layout = layout_of(lines, settings);
    if (layout.rows.empty()) {
        throw InputError("no individuals in the file", lines.empty() ? 1 : lines.back().number + 1,
                         0);
    }
    StructureData read;
    if (layout.smallest != std::numeric_limits<int64_t>::max() && layout.smallest < 1) {
        read.allele_shift = 1 - layout.smallest;
    }
    for (const TextLine& row : layout.rows) {
        const auto fields = blank_separated_fields(row);
        for (std::size_t c = layout.lead; c < fields.size(); ++c) {
            const int32_t value = value_of(fields[c], row.number, settings);
            if (value != kMissingValue && int64_t{value} + read.allele_shift > INT32_MAX) {
                throw InputError(
                    "the alleles of the file span more than 32 bits once shifted to "
                    "start at 1",
                    row.number, fields[c].column);
            }
        }
    }
    read.data = read_rows(layout, settings, read.allele_shift);
    return read;
}

}  // namespace kelvane
