// Menu choice 3: the permutation test of every pair of populations for a difference in genotype
// composition, as a lower-triangular table of p-values in the report.
#include "differentiation_test.hpp"

#include "marsyl_run.hpp"
#include "permutations_prompt.hpp"
#include "printf.hpp"

namespace marsyl {

double differentiation_p_value(PairGStatistic& pair, int32_t permutations, clonal::Random& random,
                               std::ostream* permutations_file) {
    const double observed = pair.observed();
    if (permutations_file != nullptr) {
        clonal::print(*permutations_file, "%f\n", clonal::printable(observed));
    }
    // Equal values count as reaching the observed one, so the comparison is exact.
    int64_t count = 0;
    for (int32_t r = 1; r < permutations; ++r) {
        const double permuted = pair.permuted(random);
        count += permuted >= observed ? 1 : 0;
        if (permutations_file != nullptr) {
            clonal::print(*permutations_file, "%f\n", clonal::printable(permuted));
        }
    }
    return static_cast<double>(count + 1) / static_cast<double>(permutations);
}

void differentiation_test(MarsylRun& run) {
    clonal::Console& console = run.console;
    console.print("\n\nPairwise test for population differentiation\n");
    run.reseed_unless_user_seeds();
    const int32_t permutations = ask_permutations(run, OfferFile::kYes);
    console.print("\nPerforming permutations...\n");

    std::ostream& report = run.report.stream();
    std::ostream* permutations_file = run.permutations_stream();
    const clonal::ClonalData& data = run.data;
    report << "\n\nTEST FOR POPULATION DIFFERENTIATION\n";
    clonal::print(report, "number of permutations: %d = (%d + original)\n\n", permutations,
                  permutations - 1);
    for (int32_t i = 1; i <= data.populations; ++i) {
        clonal::print(report, "\t%s", data.names[static_cast<std::size_t>(i)].c_str());
    }
    report << "\n";
    for (int32_t i = 1; i <= data.populations; ++i) {
        const char* name_i = data.names[static_cast<std::size_t>(i)].c_str();
        clonal::print(report, "%s\t", name_i);
        for (int32_t j = 1; j < i; ++j) {
            const char* name_j = data.names[static_cast<std::size_t>(j)].c_str();
            if (permutations_file != nullptr) {
                clonal::print(*permutations_file, "\n%s vs. %s\n", name_i, name_j);
            }
            console.print("%s vs. %s\n", name_i, name_j);
            PairGStatistic pair(data.genotypes[static_cast<std::size_t>(i)],
                                data.genotypes[static_cast<std::size_t>(j)]);
            const double p =
                differentiation_p_value(pair, permutations, run.random, permutations_file);
            clonal::print(report, "%f\t", p);
        }
        report << "\n";
    }
    run.report.flush(console);
    run.permutations.flush(console);
    wait_for_enter(run, "\nCalculations finished, press ENTER to proceed: ");
}

}  // namespace marsyl
