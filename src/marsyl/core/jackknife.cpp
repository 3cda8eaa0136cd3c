// The jackknife: one subsample size, and menu choice 4 over all populations and sizes.
#include "jackknife.hpp"

#include <algorithm>
#include <new>

#include "array_utils.hpp"
#include "fatal_error.hpp"
#include "marsyl_run.hpp"
#include "permutations_prompt.hpp"
#include "printf.hpp"

namespace marsyl {

JackknifeWorkspace::JackknifeWorkspace(int32_t subsamples) {
    static constexpr std::array<const char*, kIndexCount> kMessages = {
        "ERROR: count_matrix Malloc failed", "ERROR: eff_matrix Malloc failed",
        "ERROR: div_matrix Malloc failed",   "ERROR: eve_matrix Malloc failed",
        "ERROR: shw_matrix Malloc failed",   "ERROR: shc_matrix Malloc failed"};
    for (int k = 0; k < kIndexCount; ++k) {
        clonal::with_memory_message(
            kMessages[k], [&] { values[k].resize(static_cast<std::size_t>(subsamples)); });
    }
}

JackknifeRow jackknife_size(std::span<int32_t> genotypes, int32_t size, clonal::Random& random,
                            JackknifeWorkspace& workspace) {
    const std::size_t subsamples = workspace.values[0].size();
    const auto subsample = genotypes.first(static_cast<std::size_t>(size));
    IndexSet sum{};
    for (std::size_t r = 0; r < subsamples; ++r) {
        clonal::partial_shuffle(random, genotypes, size);
        const IndexSet indices = workspace.calculator.compute(subsample);
        for (int k = 0; k < kIndexCount; ++k) {
            workspace.values[k][r] = indices[k];
            sum[k] += indices[k];
        }
    }

    JackknifeRow row{};
    const std::size_t m = subsamples / 20;
    const std::size_t upper = std::min(subsamples - m, subsamples - 1);
    for (int k = 0; k < kIndexCount; ++k) {
        auto& values = workspace.values[k];
        clonal::sort_doubles_ascending(values);
        row.mean[k] = sum[k] / static_cast<double>(subsamples);
        row.low[k] = values[m];
        row.up[k] = values[upper];
    }
    return row;
}

void jackknife_population(std::ostream& report, int32_t number, const std::string& name,
                          std::span<int32_t> genotypes, clonal::Random& random,
                          JackknifeWorkspace& workspace) {
    const auto n = static_cast<int32_t>(genotypes.size());
    const IndexSet whole = workspace.calculator.compute(genotypes);
    clonal::print(report, "Population %d: %s\n", number, name.c_str());
    report << "subsample size\tnumber of genotypes\tlow\tup\teffective number of "
              "genotypes\tlow\tup\tgenotypic diversity\tlow\tup\tevenness\tlow\tup\tshannon-"
              "wiener\tlow\tup\tcorrected shannon-wiener\tlow\tup\n";
    for (int32_t size = 2; size < n; ++size) {
        const JackknifeRow row = jackknife_size(genotypes, size, random, workspace);
        clonal::print(report, "%d", size);
        for (int k = 0; k < kIndexCount; ++k) {
            clonal::print(report, "\t%f\t%f\t%f", clonal::printable(row.mean[k]),
                          clonal::printable(row.low[k]), clonal::printable(row.up[k]));
        }
        report << "\n";
    }
    clonal::print(report, "%d\t%f\t\t\t%f\t\t\t%f\t\t\t%f\t\t\t%f\t\t\t%f\n\n\n", n,
                  clonal::printable(whole[kGen]), clonal::printable(whole[kEff]),
                  clonal::printable(whole[kDiv]), clonal::printable(whole[kEve]),
                  clonal::printable(whole[kShw]), clonal::printable(whole[kShc]));
}

void jackknife(MarsylRun& run) {
    clonal::Console& console = run.console;
    console.print("\n\nJackknifing with increasing sample sizes\n");
    run.reseed_unless_user_seeds();
    const int32_t permutations = ask_permutations(run, OfferFile::kNo);
    console.print("\nPerforming jackknife permutations...\n");

    std::ostream& report = run.report.stream();
    report << "\n\nJACKKNIFE PERMUTATIONS\n";
    clonal::print(report, "number of permutations per subsample size: %d\n", permutations);
    JackknifeWorkspace workspace(permutations);
    clonal::ClonalData& data = run.data;
    for (int32_t i = 1; i <= data.populations; ++i) {
        const std::string& name = data.names[static_cast<std::size_t>(i)];
        console.print("\tpopulation %d: %s\n", i, name.c_str());
        jackknife_population(report, i, name, data.genotypes[static_cast<std::size_t>(i)],
                             run.random, workspace);
    }
    run.report.flush(console);
    wait_for_enter(run, "\nCalculations finished, press ENTER to proceed: ");
}

}  // namespace marsyl
