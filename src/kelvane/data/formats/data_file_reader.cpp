// Reading a data file in the format asked for.
#include "kelvane/data/formats/data_file_reader.hpp"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <vector>

#include "common/core/allocation.hpp"
#include "common/core/bug_check.hpp"
#include "common/core/fatal_error.hpp"
#include "common/core/file_io.hpp"
#include "common/text/number_text.hpp"
#include "kelvane/data/formats/population_file.hpp"
#include "kelvane/data/marker_data_loader.hpp"

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
    const FormatEntry& entry = format_entry(format);
    CLONAL_BUG_CHECK(entry.read_text != nullptr);
    // A byte-order mark (of an editor on another system) before the first item of the file; the
    // readers of the field's formats pass over it themselves.
    if (content.starts_with(kByteOrderMark)) {
        content.erase(0, kByteOrderMark.size());
    }
    DataRead read = entry.read_text(std::move(content), settings);
    missing_codes_as_missing(read.data, settings);
    tally_alleles(read.data);
    return read;
}

// Reads the data file itself.
DataRead read_in_format(const DataInput& input, DataFormat format) {
    const FormatEntry& entry = format_entry(format);
    if (entry.read_path != nullptr) {
        if (!std::filesystem::is_regular_file(input.file)) {
            throw clonal::FatalError("cannot be read", clonal::ErrorKind::kFile)
                .in_file(input.file);
        }
        try {
            return read_data_path(format, input.file, input.settings, input.threads);
        } catch (clonal::FatalError& error) {
            throw error.in_file(input.file);
        }
    }
    std::string content = clonal::read_input_file(input.file);
    // A guess of the format, kept for the message in case the file does not read as told.
    std::optional<DataFormat> looks_like;
    if (!input.format) {
        if (const auto guess = format_of_content(content); guess && *guess != format) {
            looks_like = guess;
        }
    }
    try {
        return read_data_text(format, std::move(content), input.settings);
    } catch (clonal::FatalError& error) {
        error.in_file(input.file);
        if (looks_like) {
            const std::string name(format_name(*looks_like));
            error.advised("(the file looks like a " + name + " file: give {format} " + name + ")");
        }
        throw;
    }
}

}  // namespace

DataRead read_data_text(DataFormat format, std::string content, const FormatSettings& settings) {
    return clonal::with_memory_message(
        kMemoryMessage, [&] { return read_text(format, std::move(content), settings); });
}

DataRead read_data_path(DataFormat format, const std::string& path, const FormatSettings& settings,
                        int threads) {
    const FormatEntry& entry = format_entry(format);
    CLONAL_BUG_CHECK(entry.read_path != nullptr);
    return clonal::with_memory_message(kMemoryMessage, [&] {
        DataRead read = entry.read_path(path, settings, threads);
        tally_alleles(read.data);
        return read;
    });
}

DataRead read_data_file(const DataInput& input) {
    const DataFormat format = input.format ? *input.format : format_of_file_name(input.file);
    DataRead read = read_in_format(input, format);
    read.data.file = input.file;
    if (format == DataFormat::kFstat) {
        // An FSTAT header promises a number of samples (populations) that names nothing; those
        // beyond the largest a row names hold no one and are not kept.
        const int32_t largest =
            read.data.pop_vector.empty()
                ? 0
                : *std::max_element(read.data.pop_vector.begin(), read.data.pop_vector.end());
        if (largest < read.data.n_populations) {
            read.notes.push_back("the header declares " + std::to_string(read.data.n_populations) +
                                 " samples; rows name samples up to " + std::to_string(largest) +
                                 ", and those are kept");
            read.data.n_populations = std::max(largest, 1);
        }
    }
    if (!input.populations.empty()) {
        const std::string content = clonal::read_input_file(input.populations);
        try {
            assign_populations(read.data, content);
        } catch (clonal::FatalError& error) {
            throw error.in_file(input.populations);
        }
    }
    return read;
}

}  // namespace kelvane
