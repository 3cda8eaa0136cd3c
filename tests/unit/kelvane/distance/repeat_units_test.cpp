#include "kelvane/distance/repeat_units.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "kelvane/distance/distance_models.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::markers;

// One dinucleotide locus scored 201, 203, 205 and 208 (a size half a repeat off), and one locus
// left as it is.
MarkerData sizes() {
    return markers(2, {{{201, 203}, {7, 9}}, {{205, 208}, {8, 8}}});
}

std::vector<int32_t> locus_copies(const MarkerData& data, int locus) {
    std::vector<int32_t> copies;
    for (int i = 0; i < data.n_individuals; ++i) {
        for (const int32_t copy : data.locus_genotype(i, locus)) {
            copies.push_back(copy);
        }
    }
    return copies;
}

TEST(RepeatUnits, RelativeAndAbsoluteRounding) {
    const MarkerData data = sizes();
    // Relative to 201: 0, 1, 2 and 3.5 repeats, the half rounded to even, 4; then from 1.
    const MarkerData relative =
        in_repeat_units(data, repeat_units_of("2,1", RepeatRounding::kRelative, data));
    EXPECT_EQ(locus_copies(relative, 0), (std::vector<int32_t>{1, 2, 3, 5}));
    // Absolute: 100.5, 101.5, 102.5 and 104 repeats give 100, 102, 102, 104: the consistent
    // sizes 203 and 205 fall together, as in the R peers.
    const MarkerData absolute =
        in_repeat_units(data, repeat_units_of("2,1", RepeatRounding::kAbsolute, data));
    EXPECT_EQ(locus_copies(absolute, 0), (std::vector<int32_t>{1, 3, 3, 5}));
    // A length of 1 changes no difference.
    EXPECT_EQ(locus_copies(relative, 1), (std::vector<int32_t>{1, 3, 2, 2}));
    EXPECT_EQ(locus_copies(absolute, 1), locus_copies(data, 1));
    // The stepwise distance counts repeats: |1 - 3| + |2 - 5| + |1 - 2| + |3 - 2| relative.
    DistanceModel model;
    model.repeat_units = repeat_units_of("2,1", RepeatRounding::kRelative, data);
    DistanceMatrix matrix(2);
    ASSERT_EQ(compute_distances(data, matrix, model), DistanceResult::kDone);
    EXPECT_EQ(matrix.at(1, 0), 7);
    EXPECT_EQ(off_repeat_shares(data, {2.0, 1.0}), (std::vector<double>{0.25, 0.0}));
}

TEST(RepeatUnits, GuessedListedAndFiledLengths) {
    // Codes 200, 201, 204, 206: differences 1, 3, 2; the smallest above 1 is 2. A locus whose
    // codes differ by 1 only, or with one code, keeps 1.
    const MarkerData data =
        markers(2, {{{200, 201}, {5, 6}, {9, 9}}, {{204, 206}, {6, 7}, {9, 9}}});
    EXPECT_EQ(guessed_repeat_lengths(data), (std::vector<double>{2.0, 1.0, 1.0}));
    const RepeatUnits guessed = repeat_units_of("auto", RepeatRounding::kRelative, data);
    EXPECT_TRUE(guessed.guessed);
    EXPECT_EQ(repeat_unit_notes(data, guessed).size(), 2u);  // a guess, and 201 off the repeat
    EXPECT_THROW(repeat_units_of("2,2", RepeatRounding::kRelative, data), clonal::SettingError);
    EXPECT_THROW(repeat_units_of("2,0,1", RepeatRounding::kRelative, data), clonal::SettingError);
    const std::string file = ::testing::TempDir() + "repeat_lengths.tsv";
    const std::vector<std::string>& loci = data.locus_names;
    std::ofstream(file) << loci[2] << "\t3\n\n" << loci[0] << "\t4\r\n";
    EXPECT_THROW(repeat_units_of(file, RepeatRounding::kRelative, data), clonal::SettingError);
    std::ofstream(file, std::ios::app) << loci[1] << "\t1.5\n";
    EXPECT_EQ(repeat_units_of(file, RepeatRounding::kRelative, data).lengths,
              (std::vector<double>{4.0, 1.5, 3.0}));
    // Lengths by name in words are matched to the loci in any order.
    const std::string named = loci[1] + "=1.5," + loci[2] + "=3," + loci[0] + "=4";
    EXPECT_EQ(repeat_units_of(named, RepeatRounding::kRelative, data).lengths,
              (std::vector<double>{4.0, 1.5, 3.0}));
    EXPECT_TRUE(repeat_lengths_file(named).empty());
    // A name that is not a locus is an error, in words or in a file, and so is a locus named twice.
    EXPECT_THROW(repeat_units_of(named + ",other=5", RepeatRounding::kRelative, data),
                 clonal::SettingError);
    EXPECT_THROW(repeat_units_of(named + "," + loci[0] + "=4", RepeatRounding::kRelative, data),
                 clonal::SettingError);
    std::ofstream(file, std::ios::app) << "other\t5\n";
    EXPECT_THROW(repeat_units_of(file, RepeatRounding::kRelative, data), clonal::SettingError);
    std::remove(file.c_str());
}

}  // namespace
}  // namespace kelvane
