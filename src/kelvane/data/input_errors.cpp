// Messages of the input readers that more than one reader gives.
#include "kelvane/data/input_errors.hpp"

#include "common/core/fatal_error.hpp"
#include "common/text/printf.hpp"

namespace kelvane {

int32_t read_header_number(clonal::TextScanner& scanner, const char* item, int32_t most) {
    const clonal::ScannedInt number = scanner.integer();
    if (number.status == clonal::ScanStatus::kTooLarge) {
        throw clonal::FatalError(
            clonal::format("input file header: the number of %s is too large", item));
    }
    if (number.status != clonal::ScanStatus::kNumber) {
        throw clonal::FatalError(
            clonal::format("input file header: the number of %s is missing", item));
    }
    if (number.value < 1 || number.value > most) {
        throw clonal::FatalError(
            clonal::format("input file header: the number of %s must be from 1 to %d, not %d", item,
                           most, number.value));
    }
    return number.value;
}

void check_name_length(std::string_view name, std::size_t longest, const char* what, int number) {
    if (name.size() > longest) {
        throw clonal::FatalError(
            clonal::format("%s %d: name longer than %zu characters", what, number, longest));
    }
}

void input_file_error(int individual, int locus) {
    throw clonal::FatalError(
        clonal::format("input file error, individual %d, locus %d", individual, locus));
}

void check_genotype_word(std::string_view word, int individual, int locus) {
    if (word.empty() || word[0] < '0' || word[0] > '9') {
        input_file_error(individual, locus);
    }
}

}  // namespace kelvane
