// Reading a data file in the format asked for.
#include "kelvane/data/formats/data_file_reader.hpp"

#include <algorithm>
#include <string_view>
#include <vector>

#include "common/core/allocation.hpp"
#include "common/core/bug_check.hpp"
#include "common/text/number_text.hpp"
#include "common/text/printf.hpp"
#include "kelvane/data/formats/genalex_reader.hpp"
#include "kelvane/data/formats/genepop_reader.hpp"
#include "kelvane/data/formats/structure_reader.hpp"
#include "kelvane/data/formats/vcf_reader.hpp"
#include "kelvane/data/fstat_reader.hpp"
#include "kelvane/data/marker_data_loader.hpp"
#include "kelvane/data/marker_table_reader.hpp"

namespace kelvane {

namespace {

constexpr const char* kMemoryMessage = "not enough memory to hold the data set";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Alleles whose value is a declared numeric missing code (999, -1) become missing copies.
void missing_codes_as_missing(MarkerData& data, const FormatSettings& settings) {
    std::vector<int32_t> codes;
    for (const std::string& code : settings.missing_codes) {
        if (const auto value = clonal::whole_int(code); value && *value != 0) {
            codes.push_back(*value);
        }
    }
    if (codes.empty()) {
        return;
    }
    for (std::size_t c = 0; c < data.copies.size(); ++c) {
        if (std::find(codes.begin(), codes.end(), data.copies[c]) != codes.end()) {
            data.copies.set(c, 0);
        }
    }
}

DataRead read_text(DataFormat format, std::string content, const FormatSettings& settings) {
    // A byte-order mark (of an editor on another system) before the first item of the file; the
    // readers of the field's formats pass over it themselves.
    if (content.starts_with(kByteOrderMark)) {
        content.erase(0, kByteOrderMark.size());
    }
    DataRead read;
    switch (format) {
        case DataFormat::kMarker:
            read.data = read_marker_table(std::move(content));
            break;
        case DataFormat::kFstat:
            read.data = read_fstat_file(std::move(content));
            break;
        case DataFormat::kGenalex:
            read.data = read_genalex(content, settings);
            break;
        case DataFormat::kGenepop:
            read.data = read_genepop(content);
            break;
        case DataFormat::kStructure: {
            StructureData structure = read_structure(content, settings);
            read.data = std::move(structure.data);
            if (structure.allele_shift != 0) {
                read.notes.push_back(clonal::format(
                    "every STRUCTURE allele is read %lld higher, so that the smallest is 1 (0 is a "
                    "missing copy in kelvane)",
                    static_cast<long long>(structure.allele_shift)));
            }
            break;
        }
        case DataFormat::kVcf:
            CLONAL_BUG_CHECK(format != DataFormat::kVcf);
            break;
    }
    missing_codes_as_missing(read.data, settings);
    tally_alleles(read.data);
    return read;
}

DataRead read_vcf_file(const std::string& path, const FormatSettings& settings, int threads) {
    VcfData vcf = read_vcf(path, settings, threads);
    DataRead read;
    read.data = std::move(vcf.data);
    if (vcf.sites_left_out > 0) {
        read.notes.push_back(clonal::format(
            "%lld of %lld sites left out: called in fewer than %g of the samples",
            static_cast<long long>(vcf.sites_left_out),
            static_cast<long long>(vcf.sites_left_out + read.data.n_loci), settings.min_call_rate));
    }
    tally_alleles(read.data);
    return read;
}

}  // namespace

DataRead read_data_text(DataFormat format, std::string content, const FormatSettings& settings) {
    return clonal::with_memory_message(
        kMemoryMessage, [&] { return read_text(format, std::move(content), settings); });
}

DataRead read_data_vcf(const std::string& path, const FormatSettings& settings, int threads) {
    return clonal::with_memory_message(kMemoryMessage,
                                       [&] { return read_vcf_file(path, settings, threads); });
}

}  // namespace kelvane
