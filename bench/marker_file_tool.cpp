// Writes a synthetic marker data file, for runs of kelvane at scale:
//   marker_file_tool INDIVIDUALS LOCI PLOIDY FILE [GENOTYPES]
// Individuals are spread over five populations; allele values 100 to 130 with three digits,
// three percent of copies missing. With GENOTYPES, the individuals are drawn at random from that
// many synthetic genotypes (a clonal survey: many ramets of fewer genets).
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "common/text/printf.hpp"
#include "kelvane/data/data_subset.hpp"
#include "synthetic_markers.hpp"

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::cerr << "usage: marker_file_tool INDIVIDUALS LOCI PLOIDY FILE [GENOTYPES]\n";
        return 2;
    }
    const int individuals = std::atoi(argv[1]);
    kelvane::bench::SyntheticMarkers settings;
    settings.individuals = argc == 6 ? std::atoi(argv[5]) : individuals;
    settings.loci = std::atoi(argv[2]);
    settings.ploidy = std::atoi(argv[3]);
    const kelvane::MarkerData genotypes = kelvane::bench::synthetic_markers(settings);
    // Each individual the genotype of a random draw (or its own without GENOTYPES).
    std::mt19937 engine(7);
    std::uniform_int_distribution<int> draw(0, genotypes.n_individuals - 1);
    std::vector<int> drawn(static_cast<std::size_t>(individuals));
    for (int i = 0; i < individuals; ++i) {
        drawn[static_cast<std::size_t>(i)] = argc == 6 ? draw(engine) : i;
    }
    const kelvane::MarkerData data = kelvane::data_subset(genotypes, drawn);
    constexpr int kPopulations = 5;
    std::ofstream out(argv[4], std::ios::binary);
    clonal::print(out, "Synthetic marker data\n%d %d %d %d 3\n", data.n_individuals, kPopulations,
                  data.n_loci, data.max_ploidy);
    for (int p = 1; p <= kPopulations; ++p) {
        clonal::print(out, "site%d\n", p);
    }
    for (int i = 0; i < data.n_individuals; ++i) {
        clonal::print(out, "%d i%d", 1 + i % kPopulations, i + 1);
        for (int k = 0; k < data.n_loci; ++k) {
            std::string word;
            for (const int32_t copy : data.locus_genotype(i, k)) {
                if (copy != 0) {
                    word += clonal::format("%03d", copy);
                }
            }
            out << ' ' << (word.empty() ? "0" : word);
        }
        out << '\n';
    }
    return out.good() ? 0 : 1;
}
