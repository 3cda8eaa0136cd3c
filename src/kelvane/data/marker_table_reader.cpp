// The marker data file reader.
#include "kelvane/data/marker_table_reader.hpp"

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

// Digits per allele beyond nine would give allele values beyond 32 bits.
constexpr int32_t kMaxDigits = 9;

void read_header(clonal::TextScanner& scanner, MarkerData& data) {
    constexpr int32_t kAny = std::numeric_limits<int32_t>::max();
    data.n_individuals = read_header_number(scanner, "individuals", kAny);
    data.n_populations = read_header_number(scanner, "populations", kAny);
    data.n_loci = read_header_number(scanner, "loci", kAny);
    data.max_ploidy = read_header_number(scanner, "maximum ploidy", kAny);
    data.digits = read_header_number(scanner, "digits per allele", kMaxDigits);
}

// The names end early only at the end of the file, where the first record then fails.
void read_population_names(clonal::TextScanner& scanner, MarkerData& data) {
    for (int p = 1; p <= data.n_populations; ++p) {
        const std::string_view name = scanner.word();
        if (name.empty()) {
            return;
        }
        check_name_length(name, kMaxPopulationName, "population", p);
        data.pop_names.emplace_back(name);
    }
}

int32_t read_population_number(clonal::TextScanner& scanner, const MarkerData& data, int i) {
    // Everything before the record that is not a digit, a minus sign included, is skipped.
    if (!scanner.skip_to_digit()) {
        throw clonal::FatalError("wrong number of individuals");
    }
    const clonal::ScannedInt number = scanner.digits();
    if (number.status == clonal::ScanStatus::kTooLarge) {
        throw clonal::FatalError(
            clonal::format("individual %d: population number too large", i + 1));
    }
    if (number.value > data.n_populations) {
        // Counted from 0 here, from 1 in the message above: both as the format's users know them.
        throw clonal::FatalError(
            clonal::format("individual %d population number too high (%d)", i, number.value));
    }
    return number.value;
}

// The copies of every locus genotype as read, one after the other, before they are laid out in
// slots.
struct ReadCopies {
    std::vector<int32_t> values;
    std::vector<std::size_t> counts;  // per locus genotype, individual by individual
    std::size_t most = 1;             // the most copies of one locus genotype
};

void read_locus_genotypes(clonal::TextScanner& scanner, const MarkerData& data, int i,
                          ReadCopies& read) {
    std::vector<int32_t> copies;
    for (int k = 0; k < data.n_loci; ++k) {
        const std::string_view word = scanner.word();
        check_genotype_word(word, i + 1, k + 1);
        const std::size_t count = copies_in_word(word.size(), data.digits);
        copies.assign(std::min(count, static_cast<std::size_t>(data.max_ploidy)), 0);
        split_genotype(word, data.digits, copies, i + 1, k + 1);
        read.values.insert(read.values.end(), copies.begin(), copies.end());
        read.counts.push_back(copies.size());
        read.most = std::max(read.most, copies.size());
    }
}

void read_record(clonal::TextScanner& scanner, MarkerData& data, int i, ReadCopies& read) {
    data.pop_vector.push_back(read_population_number(scanner, data, i));
    const std::string_view name = scanner.word();
    check_name_length(name, kMaxIndividualName, "individual", i + 1);
    data.ind_names.emplace_back(name);
    read_locus_genotypes(scanner, data, i, read);
}

// Lays the copies out in the slots of every locus genotype. Twice as many slots as the most
// copies of one locus genotype keep every distance what it is with P slots.
void store_copies(const ReadCopies& read, MarkerData& data) {
    const auto limit = std::min<std::size_t>(2 * read.most, static_cast<std::size_t>(INT32_MAX));
    data.slot_limit = static_cast<int32_t>(limit);
    data.copies.assign(data.copy_count(), 0);
    std::size_t from = 0;
    std::size_t read_index = 0;
    for (int i = 0; i < data.n_individuals; ++i) {
        for (int k = 0; k < data.n_loci; ++k, ++read_index) {
            const auto slots = data.locus_genotype(i, k);
            const std::size_t count = read.counts[read_index];
            for (std::size_t slot = 0; slot < count; ++slot) {
                slots[slot] = read.values[from + slot];
            }
            from += count;
        }
    }
}

MarkerData read_data(clonal::TextScanner& scanner) {
    MarkerData data;
    data.title = std::string(scanner.line());
    read_header(scanner, data);
    clonal::with_memory_message("markerdata malloc failed, more memory needed", [&] {
        read_population_names(scanner, data);
        // Records are kept as they are read, so a header that promises more than the file holds
        // ends in "wrong number of individuals", not in a huge allocation.
        ReadCopies read;
        for (int i = 0; i < data.n_individuals; ++i) {
            read_record(scanner, data, i, read);
        }
        store_copies(read, data);
        for (int k = 1; k <= data.n_loci; ++k) {
            data.locus_names.push_back(clonal::format("Locus%d", k));
        }
    });
    return data;
}

}  // namespace

MarkerData read_marker_table(std::string content) {
    clonal::TextScanner scanner(std::move(content));
    return clonal::reporting_line([&] { return read_data(scanner); },
                                  [&scanner] { return scanner.line_number(); });
}

}  // namespace kelvane
