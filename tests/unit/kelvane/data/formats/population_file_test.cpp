// Populations from a file of samples and populations, and the format a file name tells.
#include "kelvane/data/formats/population_file.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kelvane/data/formats/format_catalogue.hpp"
#include "support/distance_test_data.hpp"
#include "support/read_errors.hpp"

namespace kelvane {
namespace {

using testing::error_of;
using testing::populations_of;

MarkerData three_plants() {
    MarkerData data = testing::markers(1, {{{1}}, {{2}}, {{3}}});
    data.ind_names = {"A 1", "b", "c"};
    return data;
}

TEST(PopulationFile, AssignsPopulationsInTheOrderTheFileFirstNamesThem) {
    MarkerData data = three_plants();
    // Comments, blank lines, a header line naming no sample, a sample the data do not hold, and
    // the separators of each line.
    assign_populations(data,
                       "# sites\nsample\tpopulation\n\nghost,Nowhere\nc\tHill top\n"
                       "\"A 1\",Lake\nb Hill\n");
    EXPECT_EQ(data.n_populations, 3);
    EXPECT_EQ(data.pop_names, (std::vector<std::string>{"Hill top", "Lake", "Hill"}));
    EXPECT_EQ(populations_of(data), (std::vector<std::string>{"Lake", "Hill", "Hill top"}));
}

TEST(PopulationFile, RefusesMissingSamplesAndContradictions) {
    MarkerData data = three_plants();
    EXPECT_EQ(error_of([&] { assign_populations(data, "A 1\tx\nb\ty\n"); }).message,
              "individual c is not in the populations file");
    const auto twice = error_of([&] { assign_populations(data, "b\tx\nc\tx\nb\ty\n"); });
    EXPECT_EQ(twice.message, "sample b is in population x on line 1");
    EXPECT_EQ(twice.line, 3);
    EXPECT_EQ(error_of([&] { assign_populations(data, "b x y\n"); }).line, 1);
}

TEST(DataFormat, ToldByTheFileNameOrNamed) {
    EXPECT_EQ(format_of_file_name("a.dat"), DataFormat::kFstat);
    EXPECT_EQ(format_of_file_name("a.DAT"), DataFormat::kMarker);  // as the dialogue has it
    EXPECT_EQ(format_of_file_name("oaks.CSV"), DataFormat::kGenalex);
    EXPECT_EQ(format_of_file_name("w.gen"), DataFormat::kGenepop);
    EXPECT_EQ(format_of_file_name("run.str"), DataFormat::kStructure);
    for (const char* name : {"x.vcf", "x.vcf.gz", "x.bcf"}) {
        EXPECT_EQ(format_of_file_name(name), DataFormat::kVcf) << name;
    }
    EXPECT_EQ(format_of_file_name("plants.txt"), DataFormat::kMarker);
    EXPECT_EQ(format_named("genepop"), DataFormat::kGenepop);
    EXPECT_EQ(format_named("GENEPOP"), std::nullopt);
    // Every row of the catalogue: named back, one reader, its endings told back in any case
    // unless its case matters.
    for (const FormatEntry& entry : data_formats()) {
        EXPECT_EQ(format_named(entry.name), entry.format) << entry.name;
        EXPECT_NE(entry.read_text == nullptr, entry.read_path == nullptr) << entry.name;
        for (const std::string_view suffix : entry.suffixes) {
            std::string name = "x";
            name.append(suffix);
            std::string upper = name;
            for (char& c : upper) {
                c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
            }
            EXPECT_EQ(format_of_file_name(name), entry.format) << suffix;
            EXPECT_EQ(format_of_file_name(upper) == entry.format, !entry.suffix_case_matters)
                << upper;
        }
    }
    EXPECT_EQ(structure_columns_named("label,skip,population,skip"),
              (std::vector<StructureColumn>{StructureColumn::kLabel, StructureColumn::kSkip,
                                            StructureColumn::kPopulation, StructureColumn::kSkip}));
    EXPECT_EQ(structure_columns_named("label,label"), std::nullopt);
    EXPECT_EQ(structure_columns_named("label,"), std::nullopt);
    EXPECT_EQ(structure_columns_named("name"), std::nullopt);
}

}  // namespace
}  // namespace kelvane
