// The catalogue of data formats: every format kelvane reads, by the name the command line and the
// bindings give it, with the file names that tell it, the settings it reads, its reader and, for
// the formats kelvane convert writes, its writer. The command line builds its choices, help and
// checks from it; adding a format is a row here and its own reader (and writer).
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kelvane/data/formats/data_format.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// A data set read, with what the reader has to tell about it (alleles shifted, sites left out).
struct DataRead {
    MarkerData data;
    std::vector<std::string> notes;
};

// The reader of a format read from the text of its file, or of one read from its path (VCF and
// BCF, through htslib); and the writer of a format kelvane writes, which adds its notes of what
// the format could not keep.
using TextReader = DataRead (*)(std::string content, const FormatSettings& settings);
using PathReader = DataRead (*)(const std::string& path, const FormatSettings& settings,
                                int threads);
using DataWriter = void (*)(MarkerData data, std::ostream& out, std::vector<std::string>& notes);

struct FormatEntry {
    DataFormat format;
    std::string_view name;   // "genalex"
    std::string_view title;  // "GenAlEx"
    // The endings of the file names that tell the format, letters compared without case unless
    // suffix_case_matters (FSTAT's .dat, which the dialogue takes in lower case only).
    std::vector<std::string_view> suffixes;
    bool suffix_case_matters = false;
    // The FormatSettings the reader reads, by the library's names ("structure_rows").
    std::vector<std::string_view> settings;
    TextReader read_text = nullptr;  // one of the two readers
    PathReader read_path = nullptr;
    DataWriter write = nullptr;  // nothing: not written
};

// Every format; the marker data file, the one a name that tells nothing is read as, first.
std::span<const FormatEntry> data_formats();
const FormatEntry& format_entry(DataFormat format);

// "marker", "fstat", "genalex", "genepop", "structure", "vcf"; nothing for an unknown name.
std::string_view format_name(DataFormat format);
std::optional<DataFormat> format_named(std::string_view name);

// The format a file name tells by its ending; anything else the marker data file.
DataFormat format_of_file_name(const std::string& name);

// Whether the format reads the setting.
bool format_reads(DataFormat format, std::string_view setting);

}  // namespace kelvane
