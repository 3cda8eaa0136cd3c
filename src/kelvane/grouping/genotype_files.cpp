// The result files of the genotypes at one threshold.
#include "kelvane/grouping/genotype_files.hpp"

#include <string_view>

#include "common/core/clonal_genotype_file.hpp"
#include "common/text/buffered_text.hpp"

namespace kelvane {

void write_clonal_genotype_file(const MarkerData& data, const Genotypes& genotypes,
                                std::ostream& out) {
    clonal::write_clonal_file(
        out, data.title, data.n_populations, [&data](int32_t p) { return data.population_name(p); },
        data.pop_vector, genotypes.numbers);
}

void write_genotypes_file(const MarkerData& data, const Genotypes& genotypes, std::ostream& out) {
    clonal::BufferedText text(out);
    for (std::size_t i = 0; i < genotypes.numbers.size() && text.good(); ++i) {
        // As "%s" writes a name: up to its first zero character.
        text.append(std::string_view(data.ind_names[i].c_str()));
        text.append("\t");
        text.append_number(genotypes.numbers[i]);
        text.append("\n");
    }
}

}  // namespace kelvane
