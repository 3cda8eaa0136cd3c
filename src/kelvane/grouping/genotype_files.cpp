// The result files of the genotypes at one threshold.
#include "kelvane/grouping/genotype_files.hpp"

#include <string>
#include <string_view>
#include <vector>

#include "common/core/clonal_genotype_file.hpp"
#include "common/text/buffered_text.hpp"
#include "kelvane/data/export/word_names.hpp"

namespace kelvane {

void write_clonal_genotype_file(const MarkerData& data, const Genotypes& genotypes,
                                std::ostream& out) {
    clonal::write_clonal_file(
        out, data.title, data.n_populations, [&data](int32_t p) { return data.population_name(p); },
        data.pop_vector, genotypes.numbers);
}

std::string write_clonal_genotype_file_for_marsyl(const MarkerData& data,
                                                  const Genotypes& genotypes, std::ostream& out) {
    WordNames words(kMaxPopulationName);
    std::vector<std::string> names;
    for (int p = 1; p <= data.n_populations; ++p) {
        names.push_back(words.fit(data.population_name(p), "pop" + std::to_string(p)));
    }
    clonal::write_clonal_file(
        out, data.title, data.n_populations,
        [&names](int32_t p) { return names[static_cast<std::size_t>(p - 1)]; }, data.pop_vector,
        genotypes.numbers);
    if (words.changed() == 0) {
        return {};
    }
    return std::to_string(words.changed()) +
           " population names changed to single words of at most 24 characters, none two alike, "
           "as marsyl reads them: " +
           words.changes_text();
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
