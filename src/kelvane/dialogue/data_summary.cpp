// The summary and the listing of the marker data set.
#include "kelvane/dialogue/data_summary.hpp"

#include "common/text/buffered_text.hpp"
#include "kelvane/data/allele_tally.hpp"
#include "kelvane/data/marker_data_loader.hpp"

namespace kelvane::dialogue {
namespace {

void print_summary(clonal::Console& console, const MarkerData& data) {
    console.print("%d individuals\n", data.n_individuals);
    if (data.n_populations == 1) {
        console.print("1 population\n");
    } else {
        console.print("%d populations\n", data.n_populations);
    }
    if (data.n_loci == 1) {
        console.print("1 locus\n");
    } else {
        console.print("%d loci\n", data.n_loci);
    }
    if (data.digits == 1) {
        console.print("1 digit per allele\n");
    } else {
        console.print("%d digits per allele\n\n", data.digits);
    }
    console.print("Maximum ploidy level: %d\n", data.max_ploidy);
    console.print("Total number of alleles: %d\n", data.total_alleles);
}

void list_alleles(clonal::Console& console, const MarkerData& data) {
    console.print("The following alleles were found:\n");
    const auto loci = alleles_per_locus(data);
    for (std::size_t k = 0; k < loci.size(); ++k) {
        console.print("%s: \n", data.locus_names[k].c_str());
        for (const int32_t allele : loci[k]) {
            console.print("%d\t", allele);
        }
        console.print("\n");
    }
}

}  // namespace

MarkerData load_and_summarise(clonal::Console& console, const std::string& name,
                              std::string content) {
    if (is_fstat_name(name)) {
        console.print("Data read from Fstat-format\n\n");
    }
    MarkerData data = load_marker_data(name, std::move(content));
    print_summary(console, data);
    return data;
}

void list_data(clonal::Console& console, const MarkerData& data) {
    console.print("\n");
    {
        clonal::BufferedText text(console.out());
        for (int i = 0; i < data.n_individuals; ++i) {
            for (int k = 0; k < data.n_loci; ++k) {
                for (const int32_t copy : data.locus_genotype(i, k)) {
                    text.append_number(copy);
                }
                // The slots up to P that are not stored are missing copies.
                for (int32_t slot = data.slots(); slot < data.max_ploidy; ++slot) {
                    text.append("0");
                }
                text.append("\t");
            }
            text.append("\n");
        }
    }
    console.print("\nTotal number of alleles:\t%d\n", data.total_alleles);
    list_alleles(console, data);
}

}  // namespace kelvane::dialogue
