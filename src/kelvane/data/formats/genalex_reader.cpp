// The GenAlEx reader: the three header lines, then the samples.
#include "kelvane/data/formats/genalex_reader.hpp"

#include <algorithm>
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

// The columns (from 0) of the header's counts and of the first genotype column.
constexpr std::size_t kLociColumn = 0;
constexpr std::size_t kSamplesColumn = 1;
constexpr std::size_t kPopulationsColumn = 2;
constexpr std::size_t kFirstPopulationName = 3;
constexpr std::size_t kFirstGenotypeColumn = 2;

// The field of a row at a column, empty beyond its end (spreadsheets drop trailing empty cells).
TextField field_at(const std::vector<TextField>& fields, std::size_t column) {
    if (column < fields.size()) {
        return fields[column];
    }
    return {{}, static_cast<int64_t>(column) + 1, false};
}

int32_t header_count(const std::vector<TextField>& row, std::size_t column, const char* what,
                     int64_t line) {
    const TextField field = field_at(row, column);
    const std::string_view text = field.text;
    const auto value = clonal::leading_int(text);
    if (!value || clonal::integer_length(text) != text.size() || *value < 1) {
        throw InputError(clonal::format("line 1 of a GenAlEx sheet gives the number of %s here: "
                                        "a whole number of 1 or more, not '%s'",
                                        what, std::string(text).c_str()),
                         line, field.column);
    }
    return *value;
}

struct Layout {
    int32_t loci = 0;
    int32_t samples = 0;
    int32_t ploidy = 0;
    std::vector<std::string> locus_names;
};

// The loci and their spacing in the header line. With a single locus its columns reach to the
// next header or to the last column any sample fills.
Layout locus_layout(const std::vector<TextField>& header, int64_t line, int32_t loci,
                    const std::vector<TextLine>& rows, char separator) {
    Layout layout;
    layout.loci = loci;
    std::vector<std::size_t> columns;
    for (std::size_t c = kFirstGenotypeColumn;
         c < header.size() && columns.size() <= static_cast<std::size_t>(loci); ++c) {
        if (!header[c].text.empty()) {
            columns.push_back(c);
            layout.locus_names.push_back(field_text(header[c]));
        }
    }
    if (columns.empty() || columns[0] != kFirstGenotypeColumn) {
        throw InputError("the name of the first locus belongs over the third column", line,
                         static_cast<int64_t>(kFirstGenotypeColumn) + 1);
    }
    if (columns.size() < static_cast<std::size_t>(loci)) {
        throw InputError(
            clonal::format("line 3 names %zu loci, line 1 says %d", columns.size(), loci), line, 0);
    }
    if (loci > 1) {
        layout.ploidy = static_cast<int32_t>(columns[1] - columns[0]);
        for (std::size_t k = 2; k < static_cast<std::size_t>(loci); ++k) {
            if (columns[k] - columns[k - 1] != static_cast<std::size_t>(layout.ploidy)) {
                throw InputError(
                    clonal::format("locus names stand %d columns apart (one column per allele "
                                   "copy) until here, %zu columns after the one before",
                                   layout.ploidy, columns[k] - columns[k - 1]),
                    line, static_cast<int64_t>(columns[k]) + 1);
            }
        }
    } else {
        std::size_t end = columns.size() > 1 ? columns[1] : SIZE_MAX;
        std::size_t filled = kFirstGenotypeColumn + 1;
        for (const TextLine& line_of_row : rows) {
            const auto row = delimited_fields(line_of_row, separator);
            for (std::size_t c = row.size(); c > filled; --c) {
                if (!row[c - 1].text.empty()) {
                    filled = c;
                    break;
                }
            }
        }
        end = std::min(end, filled);
        layout.ploidy = static_cast<int32_t>(end - kFirstGenotypeColumn);
    }
    layout.locus_names.resize(static_cast<std::size_t>(loci));
    return layout;
}

bool is_missing_text(std::string_view text, const FormatSettings& settings) {
    if (settings.is_missing_code(text)) {
        return true;
    }
    return text.empty() || text == "-9" || text == "NA" || text == "na" || text == "Na";
}

// A nucleotide letter as its code, or 0.
int32_t nucleotide(std::string_view text) {
    if (text.size() != 1) {
        return 0;
    }
    switch (text[0]) {
        case 'A':
        case 'a':
            return 1;
        case 'C':
        case 'c':
            return 2;
        case 'G':
        case 'g':
            return 3;
        case 'T':
        case 't':
            return 4;
        default:
            return 0;
    }
}

enum class AlleleKind { kNone, kNumbers, kLetters };

class GenotypeCells {
  public:
    GenotypeCells(const Layout& layout, bool presence_absence, const FormatSettings& settings)
        : layout_(layout),
          settings_(settings),
          presence_absence_(presence_absence),
          kinds_(static_cast<std::size_t>(layout.loci), AlleleKind::kNone) {}

    int32_t code(const TextField& field, int locus, int64_t line) {
        const std::string_view text = field.text;
        if (is_missing_text(text, settings_)) {
            return 0;
        }
        if (presence_absence_) {
            return text == "1" ? kPresentBand : kAbsentBand;
        }
        AlleleKind kind = AlleleKind::kNumbers;
        int32_t value = nucleotide(text);
        if (value > 0) {
            kind = AlleleKind::kLetters;
        } else {
            const auto number = clonal::leading_int(text);
            if (!number || clonal::integer_length(text) != text.size() || *number < 0 ||
                text[0] == '+') {
                throw InputError(
                    clonal::format("'%s' is not an allele: a whole number, A, C, G or T, or 0, "
                                   "-9, NA or an empty field for a missing copy",
                                   std::string(text).c_str()),
                    line, field.column);
            }
            if (*number == 0) {
                return 0;
            }
            value = *number;
        }
        AlleleKind& seen = kinds_[static_cast<std::size_t>(locus)];
        if (seen != AlleleKind::kNone && seen != kind) {
            throw InputError(
                clonal::format("locus %s holds both letters and numbers",
                               layout_.locus_names[static_cast<std::size_t>(locus)].c_str()),
                line, field.column);
        }
        seen = kind;
        return value;
    }

  private:
    const Layout& layout_;
    const FormatSettings& settings_;
    bool presence_absence_;
    std::vector<AlleleKind> kinds_;
};

// Haploid data where every present value is 0 or 1.
bool presence_absence(const Layout& layout, const std::vector<TextLine>& rows, char separator,
                      const FormatSettings& settings) {
    if (layout.ploidy != 1) {
        return false;
    }
    for (const TextLine& line : rows) {
        const auto row = delimited_fields(line, separator);
        for (int k = 0; k < layout.loci; ++k) {
            const std::string_view text =
                field_at(row, kFirstGenotypeColumn + static_cast<std::size_t>(k)).text;
            if (!is_missing_text(text, settings) && text != "0" && text != "1") {
                return false;
            }
        }
    }
    return true;
}

bool all_empty(const std::vector<TextField>& fields) {
    return std::ranges::all_of(fields, [](const TextField& f) { return f.text.empty(); });
}

// The header lines, the samples' rows and the loci's columns of a sheet.
struct Sheet {
    std::vector<TextLine> lines;
    char separator = ',';
    std::vector<TextField> counts;
    std::vector<TextField> names;
    int32_t samples = 0;
    int32_t populations = 0;
    std::vector<TextLine> rows;
    Layout layout;
};

Sheet sheet_of(std::string_view content) {
    Sheet sheet;
    sheet.lines = text_lines(content);
    const std::vector<TextLine>& lines = sheet.lines;
    if (lines.size() < 3) {
        throw InputError("a GenAlEx sheet starts with three header lines",
                         static_cast<int64_t>(lines.size()) + 1, 0);
    }
    const char separator = table_separator(lines[0].text);
    sheet.separator = separator;
    sheet.counts = delimited_fields(lines[0], separator);
    const auto& counts = sheet.counts;
    const int32_t loci = header_count(counts, kLociColumn, "loci", lines[0].number);
    const int32_t samples = header_count(counts, kSamplesColumn, "samples", lines[0].number);
    sheet.samples = samples;
    sheet.populations = header_count(counts, kPopulationsColumn, "populations", lines[0].number);
    sheet.names = delimited_fields(lines[1], separator);
    const auto header = delimited_fields(lines[2], separator);

    // The lines of the samples, read again field by field in each pass over them.
    std::vector<TextLine>& rows = sheet.rows;
    for (std::size_t l = 3; l < lines.size(); ++l) {
        if (all_empty(delimited_fields(lines[l], separator))) {
            continue;
        }
        if (rows.size() == static_cast<std::size_t>(samples)) {
            throw InputError(
                clonal::format("line 1 says %d samples; this row is one more", samples),
                lines[l].number, 0);
        }
        rows.push_back(lines[l]);
    }
    if (rows.size() < static_cast<std::size_t>(samples)) {
        throw InputError(
            clonal::format("line 1 says %d samples, the sheet holds %zu", samples, rows.size()),
            lines[0].number, static_cast<int64_t>(kSamplesColumn) + 1);
    }
    sheet.layout = locus_layout(header, lines[2].number, loci, rows, separator);
    return sheet;
}

MarkerData read_sheet(std::string_view content, const FormatSettings& settings) {
    const Sheet sheet = sheet_of(content);
    const std::vector<TextLine>& lines = sheet.lines;
    const char separator = sheet.separator;
    const auto& counts = sheet.counts;
    const auto& names = sheet.names;
    const int32_t populations = sheet.populations;
    const std::vector<TextLine>& rows = sheet.rows;
    const Layout& layout = sheet.layout;
    std::string title = field_text(field_at(names, 0));
    MarkerDataBuilder builder(title.empty() ? "GenAlEx data" : title, layout.locus_names);
    // The populations in the order line 2 names them; any other a sample names follows.
    // The column of line 1 that gives each named population's size.
    std::vector<std::size_t> size_column;
    for (std::size_t p = 0; p < static_cast<std::size_t>(populations); ++p) {
        const TextField name = field_at(names, kFirstPopulationName + p);
        if (!name.text.empty() &&
            builder.population(field_text(name)) > static_cast<int32_t>(size_column.size())) {
            size_column.push_back(kFirstPopulationName + p);
        }
    }
    const auto named = static_cast<int32_t>(size_column.size());
    GenotypeCells cells(layout, presence_absence(layout, rows, separator, settings), settings);
    std::vector<int32_t> copies(static_cast<std::size_t>(layout.ploidy));
    const std::size_t width = kFirstGenotypeColumn + static_cast<std::size_t>(layout.loci) *
                                                         static_cast<std::size_t>(layout.ploidy);
    std::vector<int64_t> sizes(static_cast<std::size_t>(named), 0);
    for (const TextLine& line : rows) {
        const auto row = delimited_fields(line, separator);
        const TextField population = field_at(row, 1);
        if (population.text.empty()) {
            throw InputError("a sample without a population", line.number, population.column);
        }
        if (row.size() < width) {
            throw InputError(
                clonal::format("the row ends after %zu fields; a sample fills %zu (its name, its "
                               "population and a field per allele copy, empty where missing)",
                               row.size(), width),
                line.number, static_cast<int64_t>(row.size()) + 1);
        }
        const int32_t p = builder.population(field_text(population));
        // A sheet whose line 2 names no population takes them from its samples.
        if (named == 0) {
            sizes.resize(std::max(sizes.size(), static_cast<std::size_t>(p)), 0);
        } else if (p > named) {
            throw InputError(clonal::format("the population '%s' is not named on line 2",
                                            field_text(population).c_str()),
                             line.number, population.column);
        }
        ++sizes[static_cast<std::size_t>(p - 1)];
        builder.add_individual(field_text(field_at(row, 0)), p);
        for (int k = 0; k < layout.loci; ++k) {
            for (int c = 0; c < layout.ploidy; ++c) {
                const std::size_t column =
                    kFirstGenotypeColumn + static_cast<std::size_t>(k * layout.ploidy + c);
                copies[static_cast<std::size_t>(c)] =
                    cells.code(field_at(row, column), k, line.number);
            }
            builder.add_genotype(copies);
        }
    }
    if (named == 0 && sizes.size() != static_cast<std::size_t>(populations)) {
        throw InputError(clonal::format("line 1 says %d populations, the samples name %zu",
                                        populations, sizes.size()),
                         lines[0].number, static_cast<int64_t>(kPopulationsColumn) + 1);
    }
    // The sizes line 1 gives beside the counts, where it gives them.
    for (int32_t p = 0; p < named; ++p) {
        const TextField given = field_at(counts, size_column[static_cast<std::size_t>(p)]);
        const auto size = clonal::whole_int(given.text);
        if (size && *size != sizes[static_cast<std::size_t>(p)]) {
            throw InputError(
                clonal::format("line 1 gives population %d %d samples, the sheet "
                               "holds %lld",
                               p + 1, *size,
                               static_cast<long long>(sizes[static_cast<std::size_t>(p)])),
                lines[0].number, given.column);
        }
    }
    return std::move(builder).build();
}

}  // namespace

MarkerData read_genalex(std::string_view content, const FormatSettings& settings) {
    return read_sheet(content, settings);
}

std::vector<GenalexTrailing> genalex_after_genotypes(std::string_view content) {
    const Sheet sheet = sheet_of(content);
    const std::size_t width =
        kFirstGenotypeColumn +
        static_cast<std::size_t>(sheet.layout.loci) * static_cast<std::size_t>(sheet.layout.ploidy);
    std::vector<GenalexTrailing> samples;
    for (const TextLine& line : sheet.rows) {
        const auto row = delimited_fields(line, sheet.separator);
        GenalexTrailing sample;
        sample.name = field_text(field_at(row, 0));
        sample.line = line.number;
        sample.first_column = static_cast<int64_t>(width) + 1;
        for (std::size_t c = width; c < row.size(); ++c) {
            sample.fields.push_back(field_text(row[c]));
        }
        samples.push_back(std::move(sample));
    }
    return samples;
}

}  // namespace kelvane
