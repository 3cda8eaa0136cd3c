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
    const analysis::PairStarted started = pair_heading(run, "");
    GObserver write_value;
    if (permutations_file != nullptr) {
        write_value = [permutations_file](double g) {
            clonal::print(*permutations_file, "%f\n", clonal::printable(g));
        };
    }
    analysis::DifferentiationSettings settings;
    settings.permutations = permutations;
    const analysis::DifferentiationResult result =
        analysis::differentiation(data, settings, run.random, {}, started, write_value);
    // A row per population, its p-values against those before it.
    auto pair = result.pairs.begin();
    for (int32_t i = 1; i <= data.populations; ++i) {
        clonal::print(report, "%s\t", name(i));
        for (int32_t j = 1; j < i; ++j, ++pair) {
            clonal::print(report, "%f\t", pair->p);
        }
        report << "\n";
    }
    finish_resampling(run);
}

}  // namespace marsyl::dialogue
