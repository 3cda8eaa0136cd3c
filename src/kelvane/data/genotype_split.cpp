// Splitting a genotype word into its allele copies.
#include "kelvane/data/genotype_split.hpp"

#include <algorithm>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/text/characters.hpp"
#include "common/text/number_text.hpp"
#include "common/text/printf.hpp"
#include "kelvane/data/input_errors.hpp"

namespace kelvane {
namespace {

using clonal::is_digit;

// The value of one piece: its leading digits, 0 when it has none.
int32_t piece_value(std::string_view piece, int individual, int locus) {
    if (piece.size() > 1 && (piece[0] == '+' || piece[0] == '-') && is_digit(piece[1])) {
        input_file_error(individual, locus);
    }
    std::size_t end = 0;
    while (end < piece.size() && is_digit(piece[end])) {
        ++end;
    }
    // At most nine digits per allele, so the value always fits.
    return clonal::digits_value(piece.substr(0, end)).value_or(0);
}

}  // namespace

std::size_t copies_in_word(std::size_t length, int digits) {
    const auto d = static_cast<std::size_t>(digits);
    return length / d + (length % d > 0 ? 1 : 0);
}

void split_genotype(std::string_view word, int digits, std::span<int32_t> copies, int individual,
                    int locus) {
    if (copies_in_word(word.size(), digits) > copies.size()) {
        throw clonal::FatalError(clonal::format(
            "ploidy higher than maximum, individual %d, locus %d", individual, locus));
    }
    const auto d = static_cast<std::size_t>(digits);
    std::size_t slot = 0;
    std::size_t pos = word.size() % d;
    if (pos > 0) {
        copies[slot++] = piece_value(word.substr(0, pos), individual, locus);
    }
    for (; pos < word.size(); pos += d) {
        copies[slot++] = piece_value(word.substr(pos, d), individual, locus);
    }
}

void read_genotype_words(clonal::TextScanner& scanner, MarkerData& data, int i) {
    std::vector<int32_t> copies(static_cast<std::size_t>(data.slots()));
    for (int k = 0; k < data.n_loci; ++k) {
        const std::string_view word = scanner.word();
        check_genotype_word(word, i + 1, k + 1);
        std::ranges::fill(copies, 0);
        split_genotype(word, data.digits, copies, i + 1, k + 1);
        const auto slots = data.locus_genotype(i, k);
        for (std::size_t slot = 0; slot < copies.size(); ++slot) {
            slots[slot] = copies[slot];
        }
    }
}

}  // namespace kelvane
