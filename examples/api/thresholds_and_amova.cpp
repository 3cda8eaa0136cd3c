// A program of its own on the installed library: for the data file named on its command line
// (any format kelvane reads, told by the file's name), the number of clonal genotypes at every
// threshold where it changes, then the simple AMOVA with 99 permutations, both under the default
// distance model (stepwise, missing copies not counted) and from the default seeds. It prints
// the two tables exactly as `kelvane thresholds DATA` and `kelvane amova DATA --permutations 99`
// do.
#include <exception>
#include <iostream>

#include "kelvane/kelvane.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: thresholds_and_amova DATA\n";
        return 2;
    }
    try {
        kelvane::DataInput input;
        input.file = argv[1];
        const kelvane::MarkerData data = kelvane::read_data_file(input).data;
        const kelvane::DistanceMatrix matrix = kelvane::distance_matrix(data, {});

        clonal::write_tsv(kelvane::analysis::thresholds_table(kelvane::analysis::thresholds(matrix)),
                          std::cout);

        kelvane::analysis::AmovaSettings settings;
        settings.permutations = 99;
        clonal::Random random;  // the default seeds, as the command's
        const kelvane::analysis::AmovaResult amova =
            kelvane::analysis::amova(data, matrix, settings, random);
        clonal::write_tsv(kelvane::analysis::amova_result_table(amova), std::cout);
    } catch (const clonal::FatalError& error) {
        std::cerr << "thresholds_and_amova: " << error.what();
        if (!error.file().empty()) {
            std::cerr << ", " << error.file();
        }
        std::cerr << '\n';
        return 1;
    }
    return std::cout.flush() ? 0 : 1;
}
