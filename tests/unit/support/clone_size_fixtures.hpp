// Clone-size data sets with published statistics, rebuilt as our own small fixtures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// 40 ramets in clones of 5, 4, 3, 3 and 2 and 23 singletons: the clone sizes of the seagrass
// sample RClone's documentation and tests work through (N 40, G 28, R 0.6923077, Hill 33.91304,
// Pareto beta 1.180756).
inline std::vector<int64_t> seagrass_clone_sizes() {
    std::vector<int64_t> sizes{5, 4, 3, 3, 2};
    sizes.insert(sizes.end(), 23, 1);
    return sizes;
}

// Three sites as a Clonal genotype file. Site A holds the seagrass sample above (genotypes 1 to
// 28); B (9 individuals) and C (20) share genotypes 1, 2 and 29 with it and each other:
//   genotype   1  2  3  4  5  6-28  29  30-33  34  35  36  37  38-44
//   A          5  4  3  3  2  1     -   -      -   -   -   -   -
//   B          2  -  -  -  -  -     3   1      -   -   -   -   -
//   C          -  1  -  -  -  -     1   -      4   3   2   2   1
// Pooled: 69 individuals, 44 genotypes.
inline std::string three_sites_clonal_file() {
    struct Row {
        int genotype;
        int count[3];
    };
    std::vector<Row> rows{{1, {5, 2, 0}},  {2, {4, 0, 1}},  {3, {3, 0, 0}},  {4, {3, 0, 0}},
                          {5, {2, 0, 0}},  {29, {0, 3, 1}}, {34, {0, 0, 4}}, {35, {0, 0, 3}},
                          {36, {0, 0, 2}}, {37, {0, 0, 2}}};
    for (int g = 6; g <= 28; ++g) {
        rows.push_back({g, {1, 0, 0}});
    }
    for (int g = 30; g <= 33; ++g) {
        rows.push_back({g, {0, 1, 0}});
    }
    for (int g = 38; g <= 44; ++g) {
        rows.push_back({g, {0, 0, 1}});
    }
    std::string text = "Three sites\n3\nA\nB\nC\n";
    for (int site = 0; site < 3; ++site) {
        for (const Row& row : rows) {
            for (int k = 0; k < row.count[site]; ++k) {
                text += std::to_string(site + 1) + "\t" + std::to_string(row.genotype) + "\n";
            }
        }
    }
    return text;
}

}  // namespace testing_support
