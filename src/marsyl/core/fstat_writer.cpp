// The clonal data set as an FSTAT data file.
#include "marsyl/core/fstat_writer.hpp"

#include <string>

#include "common/text/buffered_text.hpp"
#include "common/text/printf.hpp"

namespace marsyl {

int allele_digits(int32_t largest_genotype) {
    const int digits = static_cast<int>(std::to_string(largest_genotype).size());
    return digits > 3 ? digits : 3;
}

void write_fstat_records(const clonal::ClonalData& data, int32_t largest_genotype,
                         std::ostream& out) {
    const int digits = allele_digits(largest_genotype);
    clonal::BufferedText text(out);
    text.append(
        clonal::format("%d\t1\t%0*d\t%d\t\n", data.populations, digits, largest_genotype, digits));
    text.append("geno_as_haplotype\n");
    for (int32_t p = 1; p <= data.populations && text.good(); ++p) {
        for (const int32_t g : data.genotypes[static_cast<std::size_t>(p)]) {
            text.append(clonal::format("%d\t%0*d%0*d\n", p, digits, g, digits, g));
        }
    }
}

}  // namespace marsyl
