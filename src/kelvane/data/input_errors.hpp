// Messages of the input readers that more than one reader gives.
#pragma once

#include <string_view>

#include "common/text/text_scanner.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// Reads one header number that must be a number from 1 to most; any other text, the end of the
// file or a larger value ends the run with a message naming the item.
int32_t read_header_number(clonal::TextScanner& scanner, const char* item, int32_t most);

// Ends the run when a name is longer than its slot.
void check_name_length(std::string_view name, std::size_t longest, const char* what, int number);

// "input file error, individual %d, locus %d", both counted from 1.
[[noreturn]] void input_file_error(int individual, int locus);

// Ends the run when the word cannot be a genotype word: it is missing or does not start with a
// digit.
void check_genotype_word(std::string_view word, int individual, int locus);

}  // namespace kelvane
