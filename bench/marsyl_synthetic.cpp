// Synthetic clonal data sets: a shared pool of clones, each population drawing its individuals
// mostly from a few common clones and partly from rare ones, as sampled clonal organisms do.
#include "marsyl_synthetic.hpp"

#include <string>
#include <vector>

#include "common/core/random.hpp"

namespace marsyl_bench {

clonal::ClonalData synthetic_clonal_data(int32_t populations, int32_t individuals,
                                         int32_t largest_code) {
    clonal::Random random;
    const int32_t clones = individuals * 2;
    std::vector<int32_t> codes(static_cast<std::size_t>(clones));
    for (auto& code : codes) {
        code = clonal::draw_index(random.next_uniform(), largest_code + 1);
    }
    clonal::ClonalData data;
    data.title = "synthetic clonal data\n";
    data.populations = populations;
    data.names.emplace_back();
    data.genotypes.emplace_back();
    for (int32_t p = 1; p <= populations; ++p) {
        data.names.push_back("pop" + std::to_string(p));
        std::vector<int32_t> genotypes;
        for (int32_t i = 0; i < individuals; ++i) {
            // The square of a uniform number favours the first clones of the pool.
            const double u = random.next_uniform();
            genotypes.push_back(codes[static_cast<std::size_t>(clonal::draw_index(u * u, clones))]);
        }
        data.genotypes.push_back(std::move(genotypes));
    }
    return data;
}

}  // namespace marsyl_bench
