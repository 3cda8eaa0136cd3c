// The bootstrap test: one pair, one replicate, and menu choice 2 over all pairs.
#include "bootstrap_test.hpp"

#include <new>

#include "fatal_error.hpp"
#include "marsyl_run.hpp"
#include "permutations_prompt.hpp"
#include "printf.hpp"

namespace marsyl {
namespace {

void draw_with_replacement(std::span<const int32_t> from, std::vector<int32_t>& sample,
                           clonal::Random& random) {
    const auto size = static_cast<int>(from.size());
    for (auto& entry : sample) {
        entry = from[static_cast<std::size_t>(clonal::draw_index(random.next_uniform(), size))];
    }
}

// Every value followed by a tab, a further tab after the first two groups of six.
void write_values_line(std::ostream& out, const IndexSet& a, const IndexSet& b,
                       const IndexSet& difference) {
    for (const IndexSet* group : {&a, &b, &difference}) {
        for (const double value : *group) {
            clonal::print(out, "%f\t", clonal::printable(value));
        }
        out << (group == &difference ? "\n" : "\t");
    }
}

IndexSet difference(const IndexSet& a, const IndexSet& b) {
    IndexSet d{};
    for (int k = 0; k < kIndexCount; ++k) {
        d[k] = a[k] - b[k];
    }
    return d;
}

}  // namespace

IndexSet bootstrap_resample(std::span<const int32_t> a, std::span<const int32_t> b,
                            const IndexSet& observed_difference, clonal::Random& random,
                            BootstrapWorkspace& workspace, std::ostream* permutations) {
    draw_with_replacement(a, workspace.sample_a, random);
    draw_with_replacement(b, workspace.sample_b, random);
    const IndexSet resampled_a = workspace.calculator.compute(workspace.sample_a);
    const IndexSet resampled_b = workspace.calculator.compute(workspace.sample_b);
    IndexSet centred{};
    for (int k = 0; k < kIndexCount; ++k) {
        centred[k] = (resampled_a[k] - resampled_b[k]) - observed_difference[k];
    }
    if (permutations != nullptr) {
        write_values_line(*permutations, resampled_a, resampled_b, centred);
    }
    return centred;
}

BootstrapPValues bootstrap_pair(std::span<const int32_t> a, std::span<const int32_t> b,
                                int32_t permutations, clonal::Random& random,
                                std::ostream* permutations_file) {
    BootstrapWorkspace workspace;
    clonal::with_memory_message("ERROR: Malloc failed", [&] {
        workspace.sample_a.resize(a.size());
        workspace.sample_b.resize(b.size());
    });
    const IndexSet observed_a = workspace.calculator.compute(a);
    const IndexSet observed_b = workspace.calculator.compute(b);
    const IndexSet observed = difference(observed_a, observed_b);
    if (permutations_file != nullptr) {
        write_values_line(*permutations_file, observed_a, observed_b, observed);
    }

    std::array<int64_t, kIndexCount> greater{};
    std::array<int64_t, kIndexCount> smaller{};
    std::array<int64_t, kIndexCount> equal{};
    for (int32_t r = 1; r < permutations; ++r) {
        const IndexSet centred =
            bootstrap_resample(a, b, observed, random, workspace, permutations_file);
        for (int k = 0; k < kIndexCount; ++k) {
            greater[k] += centred[k] > observed[k] ? 1 : 0;
            smaller[k] += centred[k] < observed[k] ? 1 : 0;
            equal[k] += centred[k] == observed[k] ? 1 : 0;
        }
    }

    BootstrapPValues p{};
    const auto n = static_cast<double>(permutations);
    for (int k = 0; k < kIndexCount; ++k) {
        p.at_least[k] = static_cast<double>(greater[k] + equal[k] + 1) / n;
        p.at_most[k] = static_cast<double>(smaller[k] + equal[k] + 1) / n;
    }
    return p;
}

void bootstrap_test(MarsylRun& run) {
    clonal::Console& console = run.console;
    console.print("\n\nBootstrap tests for differences in clonal diversity\n");
    run.reseed_unless_user_seeds();
    const int32_t permutations = ask_permutations(run, OfferFile::kYes);
    console.print("\nperforming bootstrap permutations...\n");

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
    for (int32_t a = 2; a <= data.populations; ++a) {
        for (int32_t b = 1; b < a; ++b) {
            const char* name_a = data.names[static_cast<std::size_t>(a)].c_str();
            const char* name_b = data.names[static_cast<std::size_t>(b)].c_str();
            if (permutations_file != nullptr) {
                clonal::print(*permutations_file, "\n%s vs. %s\n", name_a, name_b);
            }
            console.print("\t%s vs. %s\n", name_a, name_b);
            clonal::print(report, "%s\t%s\t", name_a, name_b);
            const BootstrapPValues p = bootstrap_pair(data.genotypes[static_cast<std::size_t>(a)],
                                                      data.genotypes[static_cast<std::size_t>(b)],
                                                      permutations, run.random, permutations_file);
            for (int k = 0; k < kIndexCount; ++k) {
                clonal::print(report, "%f\t%f\t", p.at_least[k], p.at_most[k]);
            }
            report << "\n";
        }
    }
    run.report.flush(console);
    run.permutations.flush(console);
    wait_for_enter(run, "\nCalculations finished, press ENTER to proceed: ");
}

}  // namespace marsyl
