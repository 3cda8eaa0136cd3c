// Menu choice 2: the bootstrap tests of every pair of populations.
#include "marsyl/dialogue/bootstrap_choice.hpp"

#include "common/text/printf.hpp"
#include "marsyl/analysis/bootstrap.hpp"
#include "marsyl/dialogue/permutations_prompt.hpp"

namespace marsyl::dialogue {
namespace {

// Every value followed by a tab, a further tab after the first two groups of six.
void write_values_line(std::ostream& out, const BootstrapValues& values) {
    for (const IndexSet* group : {&values.a, &values.b, &values.difference}) {
        for (const double value : *group) {
            clonal::print(out, "%f\t", clonal::printable(value));
        }
        out << (group == &values.difference ? "\n" : "\t");
    }
}

}  // namespace

void bootstrap_test(MarsylRun& run) {
    const int32_t permutations =
        start_resampling(run, "\n\nBootstrap tests for differences in clonal diversity\n",
                         OfferFile::kYes, "\nperforming bootstrap permutations...\n");

    std::ostream& report = run.report.stream();
    std::ostream* permutations_file = run.permutations_stream();
    report << "\n\nBOOTSTRAP TESTS FOR DIFFERENCES IN GENOTYPIC DIVERSITY BETWEEN POPULATIONS:\n";
    if (permutations_file != nullptr) {
        clonal::print(report, "permutations file: %s\n", run.permutations.name().c_str());
        *permutations_file << "Marsyl bootstrap permutations";
    }
    clonal::print(report, "number of permutations: %d = (%d + original)\n\n", permutations,
                  permutations - 1);
    report << "\t\tgen\t\teff\t\tdiv\t\teve\t\tshw\t\tshc\t\n";
    report << "pop A\tpop B";
    for (int k = 0; k < kIndexCount; ++k) {
        report << "\tp(A>=B)\tp(A<=B)";
    }
    report << "\n";

    const clonal::ClonalData& data = run.data;
    const auto name = [&data](int32_t p) {
        return data.names[static_cast<std::size_t>(p)].c_str();
    };
    analysis::BootstrapWatch watch;
    const analysis::PairStarted heading = pair_heading(run, "\t");
    watch.started = [&](int32_t a, int32_t b) {
        heading(a, b);
        clonal::print(report, "%s\t%s\t", name(a), name(b));
    };
    if (permutations_file != nullptr) {
        watch.each_value = [permutations_file](const BootstrapValues& values) {
            write_values_line(*permutations_file, values);
        };
    }
    watch.done = [&report](const analysis::BootstrapPair& pair) {
        for (int k = 0; k < kIndexCount; ++k) {
            clonal::print(report, "%f\t%f\t", pair.p.at_least[k], pair.p.at_most[k]);
        }
        report << "\n";
    };
    analysis::BootstrapSettings settings;
    settings.permutations = permutations;
    analysis::bootstrap(data, settings, run.random, watch);
    finish_resampling(run);
}

}  // namespace marsyl::dialogue
