// Menu choice 8: the user's own seeds, which make every later analysis reproducible.
#include "user_seeds.hpp"

#include <cmath>

#include "marsyl_run.hpp"
#include "number_text.hpp"
#include "printf.hpp"
#include "text_scanner.hpp"

namespace marsyl {
namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Whether text starts with a decimal real: a sign, then a digit or a point and a digit.
bool starts_with_decimal(std::string_view text) {
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        text.remove_prefix(1);
    }
    return (!text.empty() && is_digit(text[0])) ||
           (text.size() >= 2 && text[0] == '.' && is_digit(text[1]));
}

int32_t read_seed(MarsylRun& run, const char* prompt) {
    run.console.print("%s", prompt);
    return seed_from_answer(run.console.read_line());
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

void set_seeds(MarsylRun& run) {
    const int32_t seed1 = read_seed(run, "Give 1st seed for random numbers:\t");
    const int32_t seed2 = read_seed(run, "Give 2nd seed for random numbers:\t");
    run.random.set_seeds(seed1, seed2);
    std::ostream& report = run.report.stream();
    report << "\n\nRandom number generator seeds set by user\n";
    clonal::print(report, "\tseed 1: %d\n", seed1);
    clonal::print(report, "\tseed 2: %d\n", seed2);
    // The seeds reach the report before the wait, so that they stay there however the run ends.
    run.report.flush(run.console);
    wait_for_enter(run, "\nSeeds set, press ENTER to proceed: ");
    run.user_seeds = true;
}

}  // namespace marsyl
