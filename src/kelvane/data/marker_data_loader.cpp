// Reading the marker data set and printing its summary.
#include "marker_data_loader.hpp"

#include <cstdlib>

#include "allele_tally.hpp"
#include "fstat_reader.hpp"
#include "marker_table_reader.hpp"

namespace kelvane {

bool is_fstat_name(const std::string& name) {
    return name.size() > 4 && name.ends_with(".dat");
}

MarkerData load_marker_data(const std::string& name, std::string content,
                            clonal::Console& console) {
    MarkerData data;
    if (is_fstat_name(name)) {
        console.print("Data read from Fstat-format\n\n");
        data = read_fstat_file(std::move(content));
    } else {
        data = read_marker_table(std::move(content));
    }
    data.total_alleles = count_alleles(data);
    print_data_summary(data, console);
    return data;
}

void print_data_summary(const MarkerData& data, clonal::Console& console) {
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
    console.print("Total number of alleles: %d\n", std::abs(data.total_alleles));
}

}  // namespace kelvane
