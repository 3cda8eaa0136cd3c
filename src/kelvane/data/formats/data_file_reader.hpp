// Reading a marker data set from a file of any format kelvane knows, with what the reader has to
// tell the user about it (alleles shifted, sites left out).
#pragma once

#include <string>
#include <vector>

#include "kelvane/data/formats/data_format.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane {

struct DataRead {
    MarkerData data;
    std::vector<std::string> notes;
};

// The data set of the text of a file in any format but VCF, with its allele count. An error in
// the text is an InputError (line, and column where the format has them) or a FatalError.
DataRead read_data_text(DataFormat format, std::string content, const FormatSettings& settings);

// The data set of a VCF or BCF file, with its allele count.
DataRead read_data_vcf(const std::string& path, const FormatSettings& settings, int threads);

}  // namespace kelvane
