// Building the data set of single copies.
#include "kelvane/data/copies_as_individuals.hpp"

#include <string>

#include "kelvane/data/formats/marker_data_builder.hpp"

namespace kelvane {

MarkerData copies_as_individuals(const MarkerData& data, std::span<const int> individuals) {
    MarkerDataBuilder builder(data.title.substr(0, data.title.find_first_of("\r\n")),
                              data.locus_names);
    for (int p = 1; p <= data.n_populations; ++p) {
        builder.new_population(data.population_name(p));
    }
    const int slots = data.slots();
    for (const int i : individuals) {
        int32_t population = data.pop_vector[static_cast<std::size_t>(i)];
        if (population < 1 || population > data.n_populations) {
            population = builder.population("none");
        }
        for (int c = 0; c < slots; ++c) {
            builder.add_individual(
                data.ind_names[static_cast<std::size_t>(i)] + "." + std::to_string(c + 1),
                population);
            for (int k = 0; k < data.n_loci; ++k) {
                const int32_t copy = data.locus_genotype(i, k)[static_cast<std::size_t>(c)];
                builder.add_genotype(std::span<const int32_t>(&copy, 1));
            }
        }
    }
    MarkerData copies = std::move(builder).build();
    copies.file = data.file;
    return copies;
}

}  // namespace kelvane
