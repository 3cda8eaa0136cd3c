// The design of an AMOVA from strata: groups named within the level above, and the errors that
// name what is wrong.
#include "kelvane/amova/hierarchy.hpp"

#include <gtest/gtest.h>

#include <string>

#include "common/core/fatal_error.hpp"
#include "kelvane/data/formats/strata_file.hpp"

namespace kelvane {
namespace {

MarkerData four_individuals() {
    MarkerData data;
    data.n_individuals = 4;
    data.n_populations = 2;
    data.ind_names = {"a", "b", "c", "d"};
    data.pop_names = {"P", "Q"};
    data.pop_vector = {1, 1, 2, 2};
    return data;
}

std::string message_of(const MarkerData& data, const std::string& strata,
                       std::vector<std::string> levels) {
    try {
        const Strata read = read_strata(strata, data.ind_names);
        resolve_hierarchy(data, {std::move(levels), &read, false});
    } catch (const clonal::FatalError& error) {
        return error.what();
    }
    return "no error";
}

TEST(Hierarchy, GroupsNamedWithinTheLevelAbove) {
    const MarkerData data = four_individuals();
    // Site "1" under two regions is two groups; lines of others and blank lines are left out.
    const Strata strata = read_strata(
        "name\tregion\tsite\nz\tR\t9\nd\tS\t1\n\nc\tS\t2\nb\tR\t1\na\tR\t1\n", data.ind_names);
    const Hierarchy sites = resolve_hierarchy(data, {{"region", "site"}, &strata, false});
    EXPECT_EQ(sites.members, (std::vector<int>{0, 1, 2, 3}));
    const NestedDesign design = nested_design(sites.labels);
    // Groups in the order they are first seen, level by level: c's site 2 before d's site 1.
    EXPECT_EQ(design.units, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(design.levels[1].sizes, (std::vector<int32_t>{2, 1, 1}));
    EXPECT_EQ(lowest_group_names(sites, design), (std::vector<std::string>{"R_1", "2", "S_1"}));
}

TEST(Hierarchy, ErrorsNameTheLineTheLevelOrTheGroup) {
    const MarkerData data = four_individuals();
    EXPECT_NE(message_of(data, "name\tregion\na\tR\nb\tR\nc\tS\n", {"region"})
                  .find("'d' of the data has no line"),
              std::string::npos);
    EXPECT_NE(message_of(data, "name\tregion\na\tR\nb\tR\nc\tS\na\tS\nd\tS\n", {"region"})
                  .find("has a line already (line 2)"),
              std::string::npos);
    EXPECT_NE(message_of(data, "name\tregion\na\tR\nb\tR\nc\tR\nd\tR\n", {"region"})
                  .find("has one group"),
              std::string::npos);
    // Population Q lies in regions R and S.
    EXPECT_NE(message_of(data, "name\tregion\na\tR\nb\tR\nc\tR\nd\tS\n", {"region", "population"})
                  .find("the population 'Q' lies in two groups of the level 'region'"),
              std::string::npos);
    EXPECT_NE(message_of(data, "name\tregion\tsite\na\tR\t1\nb\tR\t1\nc\tS\t2\nd\tS\t2\n",
                         {"region", "site"})
                  .find("splits no group"),
              std::string::npos);
    EXPECT_NE(message_of(data, "name\tregion\na\tR\nb\tR\nc\tS\nd\tS\n", {"region", "year"})
                  .find("no level 'year'"),
              std::string::npos);
    EXPECT_NE(message_of(data, "name\tregion\na\tR\tx\nb\tR\nc\tS\nd\tS\n", {"region"})
                  .find("3 fields; the header has 2"),
              std::string::npos);
}

TEST(Hierarchy, GenalexRegionsAddUpToTheSamplesBeforeAnyRowIsMade) {
    std::string names = "Tiny,,,1,2,,North,South\nInd,Pop,L1\n";
    for (const char* line :
         {"a,1,5", "b,1,5", "c,1,5", "d,1,5", "e,2,5", "f,2,5", "g,2,5", "h,2,5"}) {
        names.append(line).append("\n");
    }
    const auto message = [&](const std::string& sizes) {
        try {
            genalex_regions(sizes + "\n" + names);
        } catch (const clonal::FatalError& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    const auto regions = genalex_regions("1,8,2,4,4,,2,4,4\n" + names);
    ASSERT_TRUE(regions.has_value());
    EXPECT_EQ(regions->values[0], (std::vector<std::string>{"North", "North", "North", "North",
                                                            "South", "South", "South", "South"}));
    EXPECT_NE(message("1,8,2,4,4,,2,4,3").find("hold 7 samples, line 1 says 8"), std::string::npos);
    // A region of two billion samples is refused, not filled, and so is a count of samples
    // beyond the sheet's lines.
    EXPECT_NE(message("1,8,2,4,4,,2,4,2000000000").find("more than the 8 samples"),
              std::string::npos);
    EXPECT_FALSE(genalex_regions("1,2000000000,2,4,4,,2,4,4\n" + names).has_value());
}

}  // namespace
}  // namespace kelvane
