// The formats kelvane reads and writes, one row each.
#include "kelvane/data/formats/format_catalogue.hpp"

#include <algorithm>
#include <array>

#include "common/core/bug_check.hpp"
#include "common/text/printf.hpp"
#include "kelvane/data/export/allele_codes.hpp"
#include "kelvane/data/export/fstat_file_writer.hpp"
#include "kelvane/data/export/genalex_writer.hpp"
#include "kelvane/data/export/marker_table_writer.hpp"
#include "kelvane/data/formats/genalex_reader.hpp"
#include "kelvane/data/formats/genepop_reader.hpp"
#include "kelvane/data/formats/structure_reader.hpp"
#include "kelvane/data/formats/vcf_reader.hpp"
#include "kelvane/data/fstat_reader.hpp"
#include "kelvane/data/marker_table_reader.hpp"

namespace kelvane {
namespace {

DataRead read_marker(std::string content, const FormatSettings&) {
    return {read_marker_table(std::move(content)), {}};
}

DataRead read_fstat(std::string content, const FormatSettings&) {
    return {read_fstat_file(std::move(content)), {}};
}

DataRead read_genalex_sheet(std::string content, const FormatSettings& settings) {
    return {read_genalex(content, settings), {}};
}

DataRead read_genepop_file(std::string content, const FormatSettings&) {
    return {read_genepop(content), {}};
}

DataRead read_structure_file(std::string content, const FormatSettings& settings) {
    StructureData structure = read_structure(content, settings);
    DataRead read{std::move(structure.data), {}};
    if (structure.allele_shift != 0) {
        read.notes.push_back(clonal::format(
            "every STRUCTURE allele is read %lld higher, so that the smallest is 1 (0 is a "
            "missing copy in kelvane)",
            static_cast<long long>(structure.allele_shift)));
    }
    return read;
}

DataRead read_vcf_file(const std::string& path, const FormatSettings& settings, int threads) {
    VcfData vcf = read_vcf(path, settings, threads);
    DataRead read{std::move(vcf.data), {}};
    if (vcf.sites_left_out > 0) {
        read.notes.push_back(clonal::format(
            "%lld of %lld sites left out: called in fewer than %g of the samples",
            static_cast<long long>(vcf.sites_left_out),
            static_cast<long long>(vcf.sites_left_out + read.data.n_loci), settings.min_call_rate));
    }
    return read;
}

// The digits per allele are at most 9 in a marker data file (32-bit codes), 3 in an FSTAT file
// (as FSTAT itself reads them); a GenAlEx sheet writes numbers as they are.
void write_marker(MarkerData data, std::ostream& out, std::vector<std::string>& notes) {
    const int32_t digits = fit_allele_codes(data, 9, notes);
    write_marker_table(data, digits, out, notes);
}

void write_fstat(MarkerData data, std::ostream& out, std::vector<std::string>& notes) {
    const int32_t digits = fit_allele_codes(data, 3, notes);
    write_fstat_file(data, digits, out, notes);
}

void write_genalex_sheet(MarkerData data, std::ostream& out, std::vector<std::string>& notes) {
    write_genalex(data, out, notes);
}

const std::array<FormatEntry, 6> kFormats{{
    {DataFormat::kMarker,
     "marker",
     "marker data",
     {},
     false,
     {"missing_codes"},
     read_marker,
     nullptr,
     write_marker},
    {DataFormat::kFstat,
     "fstat",
     "FSTAT",
     {".dat"},
     true,
     {"missing_codes"},
     read_fstat,
     nullptr,
     write_fstat},
    {DataFormat::kGenalex,
     "genalex",
     "GenAlEx",
     {".csv"},
     false,
     {"missing_codes"},
     read_genalex_sheet,
     nullptr,
     write_genalex_sheet},
    {DataFormat::kGenepop,
     "genepop",
     "Genepop",
     {".gen"},
     false,
     {"missing_codes"},
     read_genepop_file,
     nullptr,
     nullptr},
    {DataFormat::kStructure,
     "structure",
     "STRUCTURE",
     {".str"},
     false,
     {"structure_rows", "structure_columns", "structure_header", "ploidy", "missing_codes"},
     read_structure_file,
     nullptr,
     nullptr},
    {DataFormat::kVcf,
     "vcf",
     "VCF",
     {".vcf", ".vcf.gz", ".vcf.bgz", ".bcf"},
     false,
     {"min_call_rate"},
     nullptr,
     read_vcf_file,
     nullptr},
}};

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether name ends in suffix after something, letters compared without case unless exact.
bool ends_with(const std::string& name, std::string_view suffix, bool exact) {
    if (name.size() <= suffix.size()) {
        return false;
    }
    return std::equal(suffix.begin(), suffix.end(),
                      name.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                      [exact](char a, char b) { return exact ? a == b : lower(a) == lower(b); });
}

}  // namespace

std::span<const FormatEntry> data_formats() {
    return kFormats;
}

const FormatEntry& format_entry(DataFormat format) {
    const auto* entry = std::find_if(kFormats.begin(), kFormats.end(),
                                     [format](const FormatEntry& e) { return e.format == format; });
    CLONAL_BUG_CHECK(entry != kFormats.end());
    return *entry;
}

std::string_view format_name(DataFormat format) {
    return format_entry(format).name;
}

std::optional<DataFormat> format_named(std::string_view name) {
    for (const FormatEntry& entry : kFormats) {
        if (entry.name == name) {
            return entry.format;
        }
    }
    return std::nullopt;
}

DataFormat format_of_file_name(const std::string& name) {
    for (const FormatEntry& entry : kFormats) {
        for (const std::string_view suffix : entry.suffixes) {
            if (ends_with(name, suffix, entry.suffix_case_matters)) {
                return entry.format;
            }
        }
    }
    return DataFormat::kMarker;
}

bool format_reads(DataFormat format, std::string_view setting) {
    const auto& settings = format_entry(format).settings;
    return std::find(settings.begin(), settings.end(), setting) != settings.end();
}

}  // namespace kelvane
