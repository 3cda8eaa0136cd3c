// The file formats kelvane reads marker data from (see format_catalogue.hpp for each one's name,
// reader and settings), a guess of the format from the content, and the settings a format needs
// that its files do not state.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

enum class DataFormat { kMarker, kFstat, kGenalex, kGenepop, kStructure, kVcf };

// The format the first lines of a file look like, when they look like one other than the marker
// data file: a VCF header, a GenAlEx sheet (three counts separated by commas, semicolons or
// tabs on line 1), a Genepop file (a line "Pop"), an FSTAT file (four counts on line 1 and a
// locus name on line 2). Only a guess, for the message of a file that failed to read.
std::optional<DataFormat> format_of_content(std::string_view content);

// The leading columns of a STRUCTURE file.
enum class StructureColumn { kLabel, kPopulation, kSkip };

// The settings of the formats whose files leave them open.
struct FormatSettings {
    // STRUCTURE: rows per individual, one copy per row (1: every locus takes ploidy columns of
    // its row), the roles of the leading columns, and whether the first line names the loci.
    int structure_rows = 2;
    int ploidy = 2;
    std::vector<StructureColumn> structure_columns{StructureColumn::kLabel,
                                                   StructureColumn::kPopulation};
    bool structure_header = false;
    // VCF: sites called (every copy present) in a smaller share of the samples are left out.
    double min_call_rate = 0.0;
    // The text formats: further codes of a missing copy (such as -1, 999 or ?), besides the
    // format's own. A field equal to one is missing in GenAlEx and STRUCTURE files; an allele
    // whose value is a numeric one is missing in every text format.
    std::vector<std::string> missing_codes;

    bool is_missing_code(std::string_view text) const {
        return std::find(missing_codes.begin(), missing_codes.end(), text) != missing_codes.end();
    }
};

// The roles of "label,population,skip" and so on; nothing when a name is none of the three or a
// role other than skip comes twice.
std::optional<std::vector<StructureColumn>> structure_columns_named(std::string_view list);

}  // namespace kelvane
