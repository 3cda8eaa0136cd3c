// The jackknife and its blocks of the report: populations of 1, 2 and 3 and a worked
// population, the limits of the sorted values, and the new order it leaves in the array.
#include "marsyl/dialogue/jackknife_choice.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/text/printf.hpp"
#include "marsyl/core/fstat_writer.hpp"

namespace marsyl::dialogue {
namespace {

using Genotypes = std::vector<int32_t>;

const char* const kHeader =
    "subsample size\tnumber of genotypes\tlow\tup\teffective number of genotypes\tlow\tup\t"
    "genotypic diversity\tlow\tup\tevenness\tlow\tup\tshannon-wiener\tlow\tup\tcorrected "
    "shannon-wiener\tlow\tup\n";

// The sign the hardware gives a value that is not a number is no part of the result.
std::string without_nan_signs(std::string text) {
    for (auto at = text.find("-nan"); at != std::string::npos; at = text.find("-nan", at)) {
        text.erase(at, 1);
    }
    return text;
}

std::string block(Genotypes& genotypes, int32_t subsamples, clonal::Random& random) {
    std::ostringstream report;
    JackknifeWorkspace workspace(subsamples);
    const JackknifeCurve curve = jackknife_population(genotypes, random, workspace);
    write_jackknife_population(report, 3, "C", static_cast<int32_t>(genotypes.size()), curve);
    return without_nan_signs(report.str());
}

TEST(Jackknife, PopulationsOfOneAndTwoHaveOnlyTheWholeSampleRow) {
    clonal::Random random;
    Genotypes one{7};
    EXPECT_EQ(block(one, 10, random), std::string("Population 3: C\n") + kHeader +
                                          "1\t1.000000\t\t\t1.000000\t\t\tnan\t\t\t1.000000\t\t\t"
                                          "-0.000000\t\t\tnan\n\n\n");
    Genotypes two{7, 7};
    EXPECT_EQ(block(two, 10, random),
              std::string("Population 3: C\n") + kHeader +
                  "2\t1.000000\t\t\t1.000000\t\t\t0.000000\t\t\t1.000000\t\t\t"
                  "-0.000000\t\t\t-0.000000\n\n\n");
    EXPECT_EQ(random.seed1(), clonal::Random::kStartSeed1);
    EXPECT_EQ(two, (Genotypes{7, 7}));
}

// Worked out independently from the start seeds: five subsamples of size 2 from 1 1 2. Fewer
// than 20 subsamples put up at the largest value; a subsample of two different genotypes has
// no corrected index, which sorts after the numbers and makes the mean undefined too.
TEST(Jackknife, PopulationOfThreeHasOneRowForSizeTwo) {
    clonal::Random random;
    Genotypes genotypes{1, 1, 2};
    EXPECT_EQ(block(genotypes, 5, random),
              std::string("Population 3: C\n") + kHeader +
                  "2\t1.800000\t1.000000\t2.000000\t1.800000\t1.000000\t2.000000\t0.800000\t"
                  "0.000000\t1.000000\t1.000000\t1.000000\t1.000000\t0.240824\t-0.000000\t"
                  "0.301030\tnan\t-0.000000\tnan\n"
                  "3\t2.000000\t\t\t1.800000\t\t\t0.666667\t\t\t0.900000\t\t\t0.276435\t\t\t"
                  "0.463065\n\n\n");
    EXPECT_EQ(genotypes, (Genotypes{2, 1, 1}));
    EXPECT_EQ(random.seed1(), 1043483711);
    EXPECT_EQ(random.seed2(), 613256292);
}

TEST(Jackknife, RowsOfEverySizeAndTheOrderLeftBehind) {
    clonal::Random random;
    Genotypes genotypes{4, 1, 4, 2, 9};
    EXPECT_EQ(block(genotypes, 3, random),
              std::string("Population 3: C\n") + kHeader +
                  "2\t1.666667\t1.000000\t2.000000\t1.666667\t1.000000\t2.000000\t0.666667\t"
                  "0.000000\t1.000000\t1.000000\t1.000000\t1.000000\t0.200687\t-0.000000\t"
                  "0.301030\tnan\t-0.000000\tnan\n"
                  "3\t3.000000\t3.000000\t3.000000\t3.000000\t3.000000\t3.000000\t1.000000\t"
                  "1.000000\t1.000000\t1.000000\t1.000000\t1.000000\t0.477121\t0.477121\t"
                  "0.477121\tnan\tnan\tnan\n"
                  "4\t3.333333\t3.000000\t4.000000\t3.111111\t2.666667\t4.000000\t0.888889\t"
                  "0.833333\t1.000000\t0.925926\t0.888889\t1.000000\t0.501717\t0.451545\t"
                  "0.602060\tnan\t0.765766\tnan\n"
                  "5\t4.000000\t\t\t3.571429\t\t\t0.900000\t\t\t0.892857\t\t\t0.578558\t\t\t"
                  "0.991082\n\n\n");
    EXPECT_EQ(genotypes, (Genotypes{1, 4, 2, 4, 9}));

    // A later export lists the individuals in the order the jackknife left.
    clonal::ClonalData data;
    data.populations = 1;
    data.names = {"", "C"};
    data.genotypes = {{}, genotypes};
    std::ostringstream fstat;
    write_fstat_records(data, 9, fstat);
    EXPECT_EQ(fstat.str(),
              "1\t1\t009\t3\t\ngeno_as_haplotype\n"
              "1\t001001\n1\t004004\n1\t002002\n1\t004004\n1\t009009\n");
}

// With 40 subsamples the limits are the 3rd smallest and the 3rd largest value.
TEST(Jackknife, LimitsOfFortySubsamples) {
    clonal::Random random;
    Genotypes genotypes{1, 1, 1, 1, 2, 2, 3, 4, 5, 6};
    JackknifeWorkspace workspace(40);
    JackknifeRow row{};
    for (int32_t size = 2; size <= 5; ++size) {
        row = jackknife_size(genotypes, size, random, workspace);
    }
    std::string text;
    for (int k = 0; k < kIndexCount; ++k) {
        text += clonal::format("\t%f\t%f\t%f", row.mean[k], row.low[k], row.up[k]);
    }
    EXPECT_EQ(without_nan_signs(text),
              "\t3.800000\t2.000000\t5.000000\t3.470188\t1.923077\t5.000000\t0.842500\t"
              "0.600000\t1.000000\t0.897510\t0.757576\t1.000000\t0.538229\t0.292285\t0.698970"
              "\tnan\t0.343678\tnan");
}

}  // namespace
}  // namespace marsyl::dialogue
