// The seeds that the user types for the generator.
#include "marsyl/core/user_seeds.hpp"

#include <cmath>

#include "common/text/characters.hpp"
#include "common/text/number_text.hpp"

namespace marsyl {
namespace {

using clonal::is_digit;

// Whether text starts with a decimal real: a sign, then a digit or a point and a digit.
bool starts_with_decimal(std::string_view text) {
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        text.remove_prefix(1);
    }
    return (!text.empty() && is_digit(text[0])) ||
           (text.size() >= 2 && text[0] == '.' && is_digit(text[1]));
}

}  // namespace

int32_t seed_from_answer(std::string_view answer) {
    while (!answer.empty() && clonal::is_white_space(answer.front())) {
        answer.remove_prefix(1);
    }
    const auto value = clonal::leading_double(answer);
    if (!value) {
        // A decimal number too large for a double lies beyond the 32-bit range on its side.
        if (starts_with_decimal(answer)) {
            return answer[0] == '-' ? INT32_MIN : INT32_MAX;
        }
        return 0;
    }
    if (*value >= static_cast<double>(INT32_MAX)) {
        return INT32_MAX;
    }
    if (*value <= static_cast<double>(INT32_MIN)) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(std::trunc(*value));
}

}  // namespace marsyl
