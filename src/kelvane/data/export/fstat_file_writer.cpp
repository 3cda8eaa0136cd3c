// The FSTAT data file writer.
#include "kelvane/data/export/fstat_file_writer.hpp"

#include <algorithm>

#include "common/text/printf.hpp"
#include "kelvane/data/export/marker_table_writer.hpp"
#include "kelvane/data/export/word_names.hpp"

namespace kelvane {

void write_fstat_file(const MarkerData& data, int32_t digits, std::ostream& out,
                      std::vector<std::string>& notes) {
    const int32_t largest = data.copies.empty() ? 0 : *std::ranges::max_element(data.copies);
    out << data.n_populations << ' ' << data.n_loci << ' ' << largest << ' ' << digits << '\n';
    WordNames loci(kMaxLocusName);
    for (int k = 0; k < data.n_loci; ++k) {
        const auto index = static_cast<std::size_t>(k);
        out << loci.fit(index < data.locus_names.size() ? data.locus_names[index] : "",
                        clonal::format("Locus%d", k + 1))
            << '\n';
    }
    for (int i = 0; i < data.n_individuals; ++i) {
        out << data.pop_vector[static_cast<std::size_t>(i)];
        for (int k = 0; k < data.n_loci; ++k) {
            out << ' ' << genotype_word(data.locus_genotype(i, k), digits);
        }
        out << '\n';
    }
    notes.push_back("an FSTAT file keeps no names of individuals or populations");
    if (loci.changed() > 0) {
        notes.push_back(
            clonal::format("%d locus names changed to single words of at most %zu "
                           "characters",
                           loci.changed(), kMaxLocusName));
    }
}

}  // namespace kelvane
