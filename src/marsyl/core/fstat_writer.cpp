// Menu choice 6: the clonal data set as an FSTAT data file.
#include "fstat_writer.hpp"

#include <string>

#include "marsyl_run.hpp"
#include "printf.hpp"

namespace marsyl {

int allele_digits(int32_t largest_genotype) {
    const int digits = static_cast<int>(std::to_string(largest_genotype).size());
    return digits > 3 ? digits : 3;
}

void write_fstat_records(const clonal::ClonalData& data, int32_t largest_genotype,
                         std::ostream& out) {
    const int digits = allele_digits(largest_genotype);
    clonal::print(out, "%d\t1\t%0*d\t%d\t\n", data.populations, digits, largest_genotype, digits);
    out << "geno_as_haplotype\n";
    for (int32_t p = 1; p <= data.populations; ++p) {
        for (const int32_t g : data.genotypes[static_cast<std::size_t>(p)]) {
            clonal::print(out, "%d\t%0*d%0*d\n", p, digits, g, digits, g);
        }
    }
}

void write_fstat_file(MarsylRun& run) {
    clonal::Console& console = run.console;
    console.print("\nWrite input-file in Fstat-format\n");
    clonal::OutputFile file;
    for (;;) {
        console.print("\nGive name of fstat file (format FILENAME.DAT): ");
        const std::string name = console.read_line();
        // Replacing the report would wipe it while it is written to.
        if (!run.report.holds(name) && file.open(name, clonal::WriteMode::kReplace)) {
            break;
        }
        console.print("%s", kReportWriteError);
    }
    write_fstat_records(run.data, run.largest_genotype, file.stream());
    if (!file.close()) {
        console.print("%s", kReportWriteError);
    }
    wait_for_enter(run, "\nConversion finished, press ENTER to proceed: ");
}

}  // namespace marsyl
