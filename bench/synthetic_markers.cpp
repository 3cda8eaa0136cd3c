// Synthetic marker data for the distance benchmarks.
#include "synthetic_markers.hpp"

#include <algorithm>
#include <random>
#include <string>

namespace kelvane::bench {

MarkerData synthetic_markers(const SyntheticMarkers& settings) {
    std::mt19937 engine(settings.seed);
    std::uniform_int_distribution<int32_t> allele(settings.smallest_allele,
                                                  settings.largest_allele);
    std::bernoulli_distribution missing(settings.missing_share);
    std::bernoulli_distribution partial(settings.partial_share);
    std::uniform_int_distribution<int> observed(1, std::max(1, settings.ploidy - 1));
    MarkerData data;
    data.title = "synthetic markers\n";
    data.n_individuals = settings.individuals;
    data.n_populations = 1;
    data.n_loci = settings.loci;
    data.max_ploidy = settings.ploidy;
    data.digits = 3;
    data.pop_names = {"synthetic"};
    data.copies.assign(static_cast<std::size_t>(settings.individuals) *
                           static_cast<std::size_t>(settings.loci) *
                           static_cast<std::size_t>(settings.ploidy),
                       0);
    for (int i = 0; i < settings.individuals; ++i) {
        data.pop_vector.push_back(1);
        // Appending (not "s" + ...) avoids a false -Wrestrict alarm of g++ 12.
        std::string name = "s";
        name += std::to_string(i + 1);
        data.ind_names.push_back(name);
        for (int k = 0; k < settings.loci; ++k) {
            auto slots = data.locus_genotype(i, k);
            std::size_t filled = 0;
            const std::size_t shown = settings.partial_share > 0.0 && partial(engine)
                                          ? static_cast<std::size_t>(observed(engine))
                                          : slots.size();
            for (std::size_t copy = 0; copy < shown; ++copy) {
                if (!missing(engine)) {
                    slots[filled++] = allele(engine);
                }
            }
        }
    }
    for (int k = 0; k < settings.loci; ++k) {
        std::string name = "Locus";
        name += std::to_string(k + 1);
        data.locus_names.push_back(name);
    }
    return data;
}

}  // namespace kelvane::bench
