// Menu choice 1: the table of clonal diversity indices and the partitioning of diversity.
#include "marsyl/dialogue/diversity_choice.hpp"

#include "common/text/printf.hpp"
#include "marsyl/core/diversity_partitioning.hpp"

namespace marsyl::dialogue {
namespace {

void print_partitioning(clonal::Console& console, const Partitioning& part) {
    const auto line = [&console](const char* fmt, const std::array<double, 3>& values) {
        console.print(fmt, clonal::printable(values[0]), clonal::printable(values[1]),
                      clonal::printable(values[2]));
    };
    console.print("\nPartitioning of diversity:\n");
    console.print("\t              div    shw    shc \n");
    line("\tTotal:        %.2f   %.2f   %.2f\n", part.total);
    line("\tWithin pops:  %.2f   %.2f   %.2f\n", part.within);
    line("\tG_st:         %.2f   %.2f   %.2f\n", part.g_st);
    line("\tG'_st:        %.2f   %.2f   %.2f\n", part.g_st_corrected);
}

void write_partitioning(std::ostream& report, const Partitioning& part) {
    const auto line = [&report](const char* fmt, const std::array<double, 3>& values) {
        clonal::print(report, fmt, clonal::printable(values[0]), clonal::printable(values[1]),
                      clonal::printable(values[2]));
    };
    report << "\nPartitioning of diversity:\n";
    report << "\tgenotypic diversity\tshannon-wiener\tcorrected shannon-wiener\n";
    line("Total diversity\t%.2f\t%.2f\t%.2f\n", part.total);
    line("Average diversity within populations\t%.2f\t%.2f\t%.2f\n", part.within);
    line("Fraction of among populations diversity (G_st)\t%.2f\t%.2f\t%.2f\n", part.g_st);
    line("Fraction of among populations diversity, corrected (G'_st)\t%.2f\t%.2f\t%.2f\n",
         part.g_st_corrected);
}

}  // namespace

void clonal_diversity_table(MarsylRun& run) {
    clonal::Console& console = run.console;
    std::ostream& report = run.report.stream();
    const DiversityResults results = diversity_results(run.data, run.largest_genotype);

    report << "\n\nINDICES OF CLONAL DIVERSITY\n";
    console.print("\n\nIndices of clonal diversity\n");
    report << "population\tsample size\tnumber of genotypes (gen)\teffective number of genotypes "
              "(eff)\tgenotypic diversity (div)\teveness (eve)\tshannon-wiener(shw)\tcorrected "
              "shannon-wiener (shc)\tuncorrected genotypic diversity (diu)\n";
    console.print("\n                   gen     eff     div    eve    shw    shc    diu\n");
    for (int32_t i = 1; i <= run.data.populations; ++i) {
        const char* name = run.data.names[static_cast<std::size_t>(i)].c_str();
        const PopulationIndices& row = results.populations[static_cast<std::size_t>(i - 1)];
        const auto x = [&row](int k) {
            return clonal::printable(row.indices[static_cast<std::size_t>(k)]);
        };
        const double diu = clonal::printable(row.diu);
        clonal::print(report, "%s\t%d\t%.0f\t%f\t%f\t%f\t%f\t%f\t", name, run.data.size(i), x(kGen),
                      x(kEff), x(kDiv), x(kEve), x(kShw), x(kShc));
        clonal::print(report, "%f\n", diu);
        console.print("%15s   %3.0f   %7.2f   %5.2f   %.2f   %.2f   %.2f   ", name, x(kGen),
                      x(kEff), x(kDiv), x(kEve), x(kShw), x(kShc));
        console.print("%.2f\n", diu);
    }
    if (run.data.populations > 1) {
        print_partitioning(console, results.partitioning);
        write_partitioning(report, results.partitioning);
    }
    console.out().flush();
    run.report.flush(console);
    run.wait_for_enter("\nCalculations finished, press ENTER to proceed: ");
}

}  // namespace marsyl::dialogue
