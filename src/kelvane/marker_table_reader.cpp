// The marker data file reader.
#include "marker_table_reader.hpp"

#include <limits>
#include <new>

#include "fatal_error.hpp"
#include "genotype_split.hpp"
#include "input_errors.hpp"
#include "printf.hpp"
#include "text_scanner.hpp"

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
        throw clonal::FatalError("ERROR: wrong number of individuals");
    }
    const clonal::ScannedInt number = scanner.digits();
    if (number.status == clonal::ScanStatus::kTooLarge) {
        throw clonal::FatalError(
            clonal::format("ERROR: individual %d: population number too large", i + 1));
    }
    if (number.value > data.n_populations) {
        throw clonal::FatalError(clonal::format(
            "ERROR: individual %d population number too high (%d)", i, number.value));
    }
    return number.value;
}

void read_record(clonal::TextScanner& scanner, MarkerData& data, int i) {
    data.pop_vector.push_back(read_population_number(scanner, data, i));
    const std::string_view name = scanner.word();
    check_name_length(name, kMaxIndividualName, "individual", i + 1);
    data.ind_names.emplace_back(name);
    data.copies.resize(data.genotype_offset(i + 1, 0), 0);
    read_genotype_words(scanner, data, i);
}

}  // namespace

MarkerData read_marker_table(std::string content) {
    clonal::TextScanner scanner(std::move(content));
    MarkerData data;
    data.title = std::string(scanner.line());
    read_header(scanner, data);
    try {
        read_population_names(scanner, data);
        // Records are stored as they are read, so a header that promises more than the file
        // holds ends in "wrong number of individuals", not in a huge allocation.
        for (int i = 0; i < data.n_individuals; ++i) {
            read_record(scanner, data, i);
        }
        for (int k = 1; k <= data.n_loci; ++k) {
            data.locus_names.push_back(clonal::format("Locus%d", k));
        }
    } catch (const std::bad_alloc&) {
        throw clonal::FatalError("ERROR: markerdata malloc failed, more memory needed");
    } catch (const std::length_error&) {
        throw clonal::FatalError("ERROR: markerdata malloc failed, more memory needed");
    }
    return data;
}

}  // namespace kelvane
