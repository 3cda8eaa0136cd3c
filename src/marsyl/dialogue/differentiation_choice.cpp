// Menu choice 3: the differentiation tests of every pair of populations.
#include "marsyl/dialogue/differentiation_choice.hpp"

#include "common/text/printf.hpp"
#include "marsyl/analysis/differentiation.hpp"
#include "marsyl/dialogue/permutations_prompt.hpp"

namespace marsyl::dialogue {

void differentiation_test(MarsylRun& run) {
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
    const auto name = [&data](int32_t p) {
        return data.names[static_cast<std::size_t>(p)].c_str();
    };
    // A row per population, its p-values against those before it; the first has none.
    if (data.populations >= 1) {
        clonal::print(report, "%s\t\n", name(1));
    }
    analysis::DifferentiationWatch watch;
    const analysis::PairStarted heading = pair_heading(run, "");
    watch.started = [&](int32_t a, int32_t b) {
        if (b == 1) {
            clonal::print(report, "%s\t", name(a));
        }
        heading(a, b);
    };
    if (permutations_file != nullptr) {
        watch.each_value = [permutations_file](double g) {
            clonal::print(*permutations_file, "%f\n", clonal::printable(g));
        };
    }
    watch.done = [&report](const analysis::DifferentiationPair& pair) {
        clonal::print(report, "%f\t", pair.p);
        if (pair.b == pair.a - 1) {
            report << "\n";
        }
    };
    analysis::DifferentiationSettings settings;
    settings.permutations = permutations;
    analysis::differentiation(data, settings, run.random, watch);
    finish_resampling(run);
}

}  // namespace marsyl::dialogue
