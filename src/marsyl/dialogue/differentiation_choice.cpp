// Menu choice 3: the differentiation tests of every pair of populations.
#include "marsyl/dialogue/differentiation_choice.hpp"

#include "common/text/printf.hpp"
#include "marsyl/core/differentiation.hpp"
#include "marsyl/dialogue/permutations_prompt.hpp"

namespace marsyl {

void differentiation_test(MarsylRun& run) {
    clonal::Console& console = run.console;
    const int32_t permutations =
        start_resampling(run, "\n\nPairwise test for population differentiation\n", OfferFile::kYes,
                         "\nPerforming permutations...\n");

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
            GObserver write_value;
            if (permutations_file != nullptr) {
                write_value = [permutations_file](double g) {
                    clonal::print(*permutations_file, "%f\n", clonal::printable(g));
                };
            }
            const double p = differentiation_p_value(pair, permutations, run.random, write_value);
            clonal::print(report, "%f\t", p);
        }
        report << "\n";
    }
    finish_resampling(run);
}

}  // namespace marsyl
