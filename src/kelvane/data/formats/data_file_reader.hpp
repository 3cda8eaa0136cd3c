// Reading a marker data set from a file of any format kelvane knows, with what the reader has to
// tell the user about it (alleles shifted, sites left out, populations a header promised).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "kelvane/data/formats/data_format.hpp"
#include "kelvane/data/formats/format_catalogue.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// The data set of the text of a file in a format read from its text, with its allele count. An
// error in the text is a FatalError naming the line (and column where the format has them).
DataRead read_data_text(DataFormat format, std::string content, const FormatSettings& settings);

// The data set of a file in a format read from its path (VCF or BCF), with its allele count.
DataRead read_data_path(DataFormat format, const std::string& path, const FormatSettings& settings,
                        int threads);

// A data file to read, as every face names it.
struct DataInput {
    std::string file;
    std::optional<DataFormat> format;  // nothing: told by the file's name
    FormatSettings settings;
    // A file of two columns, sample and population, giving the individuals their populations
    // (population_file.hpp); empty: the populations of the data file.
    std::string populations;
    int threads = 0;  // workers for decompression (VCF); 0: none
};

// The data set of the input in its format, with its notes. An FSTAT header that declares more
// samples (populations) than its rows name keeps those the rows name, with a note.
// A file that cannot be read is a FatalError of kind kFile; bad content a FatalError naming the
// file, and the line and column where known. When the format was told by the name and the file
// fails to read as that format but looks like another, the error's advice says so.
DataRead read_data_file(const DataInput& input);

}  // namespace kelvane
