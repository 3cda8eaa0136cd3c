// Menu choice 4: the jackknife curves of every population.
#include "marsyl/dialogue/jackknife_choice.hpp"

#include "common/text/printf.hpp"
#include "marsyl/analysis/jackknife.hpp"
#include "marsyl/dialogue/permutations_prompt.hpp"

namespace marsyl::dialogue {

void write_jackknife_population(std::ostream& report, int32_t number, const std::string& name,
                                int32_t n, const JackknifeCurve& curve) {
    const IndexSet& whole = curve.whole;
    clonal::print(report, "Population %d: %s\n", number, name.c_str());
    report << "subsample size\tnumber of genotypes\tlow\tup\teffective number of "
              "genotypes\tlow\tup\tgenotypic diversity\tlow\tup\tevenness\tlow\tup\tshannon-"
              "wiener\tlow\tup\tcorrected shannon-wiener\tlow\tup\n";
    for (int32_t size = 2; size < n; ++size) {
        const JackknifeRow& row = curve.rows[static_cast<std::size_t>(size - 2)];
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
    const int32_t permutations =
        start_resampling(run, "\n\nJackknifing with increasing sample sizes\n", OfferFile::kNo,
                         "\nPerforming jackknife permutations...\n");

    std::ostream& report = run.report.stream();
    report << "\n\nJACKKNIFE PERMUTATIONS\n";
    clonal::print(report, "number of permutations per subsample size: %d\n", permutations);
    clonal::ClonalData& data = run.data;
    analysis::JackknifeSettings settings;
    settings.subsamples = permutations;
    analysis::JackknifeWatch watch;
    watch.started = [&](int32_t i) {
        console.print("\tpopulation %d: %s\n", i, data.names[static_cast<std::size_t>(i)].c_str());
    };
    watch.done = [&](int32_t i, const JackknifeCurve& curve) {
        write_jackknife_population(report, i, data.names[static_cast<std::size_t>(i)], data.size(i),
                                   curve);
    };
    analysis::jackknife(data, settings, run.random, watch);
    finish_resampling(run);
}

}  // namespace marsyl::dialogue
