// Reading the marker data set in the format its file name tells.
#include "kelvane/data/marker_data_loader.hpp"

#include "kelvane/data/allele_tally.hpp"
#include "kelvane/data/fstat_reader.hpp"
#include "kelvane/data/marker_table_reader.hpp"

namespace kelvane {

bool is_fstat_name(const std::string& name) {
    return name.size() > 4 && name.ends_with(".dat");
}

MarkerData load_marker_data(const std::string& name, std::string content) {
    MarkerData data = is_fstat_name(name) ? read_fstat_file(std::move(content))
                                          : read_marker_table(std::move(content));
    tally_alleles(data);
    return data;
}

void tally_alleles(MarkerData& data) {
    const AlleleCount alleles = count_alleles(data);
    data.total_alleles = alleles.total;
    // The menu has always read this condition off the sign of the allele total, which a total of
    // zero cannot carry: data without a single allele are not offered the Dice distance.
    data.dice_offered = alleles.dice_suitable && alleles.total > 0;
}

}  // namespace kelvane
