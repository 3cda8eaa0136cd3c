// The marker data file writer.
#include "kelvane/data/export/marker_table_writer.hpp"

#include <algorithm>

#include "common/text/printf.hpp"
#include "kelvane/data/export/word_names.hpp"

namespace kelvane {

std::string genotype_word(AlleleCopies::View copies, int32_t digits) {
    std::string word;
    for (const int32_t copy : copies) {
        // Digits from the last, then the zeros in front: a word per copy of every individual at
        // every locus adds up on wide data.
        char reversed[16];
        int length = 0;
        for (auto value = static_cast<uint32_t>(copy); length == 0 || value > 0; value /= 10) {
            reversed[length++] = static_cast<char>('0' + value % 10);
        }
        word.append(static_cast<std::size_t>(std::max(0, digits - length)), '0');
        while (length > 0) {
            word += reversed[--length];
        }
    }
    return word;
}

void write_marker_table(const MarkerData& data, int32_t digits, std::ostream& out,
                        std::vector<std::string>& notes) {
    std::string title = data.title;
    if (title.empty() || title.back() != '\n') {
        title += '\n';
    }
    out << title;
    out << data.n_individuals << ' ' << data.n_populations << ' ' << data.n_loci << ' '
        << data.max_ploidy << ' ' << digits << '\n';
    WordNames populations(kMaxPopulationName);
    for (int p = 1; p <= data.n_populations; ++p) {
        out << (p > 1 ? " " : "")
            << populations.fit(data.population_name(p), clonal::format("pop%d", p));
    }
    out << '\n';
    WordNames individuals(kMaxIndividualName);
    for (int i = 0; i < data.n_individuals; ++i) {
        const auto index = static_cast<std::size_t>(i);
        out << data.pop_vector[index] << ' '
            << individuals.fit(data.ind_names[index], clonal::format("ind%d", i + 1));
        for (int k = 0; k < data.n_loci; ++k) {
            out << ' ' << genotype_word(data.locus_genotype(i, k), digits);
        }
        out << '\n';
    }
    if (individuals.changed() > 0 || populations.changed() > 0) {
        notes.push_back(clonal::format(
            "%d names of individuals and %d of populations changed to single words of at most "
            "%zu and %zu characters, as the marker data file holds them",
            individuals.changed(), populations.changed(), kMaxIndividualName, kMaxPopulationName));
    }
}

}  // namespace kelvane
