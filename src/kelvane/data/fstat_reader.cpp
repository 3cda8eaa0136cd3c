// The FSTAT data file reader: a counting pass finds the number of individuals and the longest
// genotype word, a reading pass stores them.
#include "kelvane/data/fstat_reader.hpp"

#include <algorithm>
#include <limits>
#include <new>

#include "common/core/allocation.hpp"
#include "common/core/fatal_error.hpp"
#include "common/text/printf.hpp"
#include "common/text/text_scanner.hpp"
#include "kelvane/data/genotype_split.hpp"
#include "kelvane/data/input_errors.hpp"

namespace kelvane {
namespace {

constexpr int32_t kMaxDigits = 9;
constexpr const char* kFstatTitle = "Data read from Fstat file\n";

struct FstatHeader {
    int32_t n_populations = 0;
    int32_t n_loci = 0;
    int32_t digits = 0;
    std::vector<std::string> locus_names;
};

FstatHeader read_header(clonal::TextScanner& scanner) {
    constexpr int32_t kAny = std::numeric_limits<int32_t>::max();
    FstatHeader header;
    header.n_populations = read_header_number(scanner, "samples", kAny);
    header.n_loci = read_header_number(scanner, "loci", kAny);
    // The highest allele number is read and not used.
    scanner.integer();
    header.digits = read_header_number(scanner, "digits per allele", kMaxDigits);
    for (int k = 1; k <= header.n_loci; ++k) {
        const std::string_view name = scanner.word();
        if (name.empty()) {
            break;
        }
        check_name_length(name, kMaxLocusName, "locus", k);
        header.locus_names.emplace_back(name);
    }
    return header;
}

struct Census {
    int32_t n_individuals = 0;
    int32_t max_ploidy = 2;
};

// Counts the records up to the end of the file and finds the largest number of copies a word holds.
Census count_records(clonal::TextScanner& scanner, const FstatHeader& header) {
    Census census;
    for (;;) {
        scanner.skip_white_space();
        if (scanner.at_end()) {
            return census;
        }
        if (census.n_individuals == std::numeric_limits<int32_t>::max()) {
            throw clonal::FatalError("too many individuals in input file");
        }
        const int individual = census.n_individuals + 1;
        scanner.integer();
        for (int k = 1; k <= header.n_loci; ++k) {
            const std::string_view word = scanner.word();
            check_genotype_word(word, individual, k);
            const std::size_t copies = copies_in_word(word.size(), header.digits);
            if (copies > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
                throw clonal::FatalError(clonal::format(
                    "ploidy higher than maximum, individual %d, locus %d", individual, k));
            }
            census.max_ploidy = std::max(census.max_ploidy, static_cast<int32_t>(copies));
        }
        census.n_individuals = individual;
    }
}

void read_record(clonal::TextScanner& scanner, MarkerData& data, int i) {
    scanner.skip_white_space();
    if (scanner.at_end()) {
        throw clonal::FatalError("in establishing number of individuals")
            .printed(clonal::ErrorStream::kConsole, clonal::ErrorLead::kWord);
    }
    const clonal::ScannedInt sample = scanner.integer();
    if (sample.status == clonal::ScanStatus::kTooLarge) {
        throw clonal::FatalError(
            clonal::format("individual %d: population number too large", i + 1));
    }
    if (sample.value > data.n_populations) {
        // Counted from 0 here, from 1 in the message above: both as the format's users know them.
        throw clonal::FatalError(clonal::format("individual %d population number too high", i));
    }
    data.pop_vector.push_back(sample.value);
    data.ind_names.push_back(clonal::format("ind%d", i + 1));
    read_genotype_words(scanner, data, i);
}

}  // namespace

MarkerData read_fstat_file(std::string content) {
    clonal::TextScanner counting(content);
    FstatHeader header;
    const Census census = clonal::reporting_line(
        [&] {
            header = read_header(counting);
            return count_records(counting, header);
        },
        [&counting] { return counting.line_number(); });
    if (census.n_individuals == 0) {
        throw clonal::FatalError("no individuals in input file");
    }

    MarkerData data;
    data.title = kFstatTitle;
    data.n_individuals = census.n_individuals;
    data.n_populations = header.n_populations;
    data.n_loci = header.n_loci;
    data.max_ploidy = census.max_ploidy;
    data.digits = header.digits;
    data.locus_names = std::move(header.locus_names);
    // The populations are named pop1, pop2, ... by population_name, so that a header that
    // declares a huge number of samples costs no memory.
    clonal::TextScanner reading(std::move(content));
    clonal::with_memory_message("markerdata malloc failed, more memory needed", [&] {
        data.copies.assign(data.copy_count(), 0);
        clonal::reporting_line(
            [&] {
                read_header(reading);
                for (int i = 0; i < data.n_individuals; ++i) {
                    read_record(reading, data, i);
                }
            },
            [&reading] { return reading.line_number(); });
    });
    return data;
}

}  // namespace kelvane
