// The console answer rules.
#include "common/dialogue/console.hpp"

#include <cstdarg>

#include "common/core/fatal_error.hpp"
#include "common/text/characters.hpp"
#include "common/text/number_text.hpp"

namespace clonal {

void Console::print(const char* fmt, ...) {
    std::va_list args;
    va_start(args, fmt);
    out_ << vformat(fmt, args);
    va_end(args);
}

void Console::skip_space_before_number() {
    out_.flush();
    for (;;) {
        const int c = in_.peek();
        if (c == std::char_traits<char>::eof()) {
            throw end_of_input_error();
        }
        if (!is_white_space(static_cast<char>(c))) {
            return;
        }
        in_.get();
    }
}

std::string Console::rest_of_line() {
    std::string line;
    std::getline(in_, line);
    in_.clear(in_.rdstate() & ~std::ios::failbit);
    return line;
}

bool Console::read_int(int32_t& value) {
    skip_space_before_number();
    const auto number = leading_int(rest_of_line());
    if (number) {
        value = *number;
    }
    return number.has_value();
}

bool Console::read_float(float& value) {
    skip_space_before_number();
    const auto number = leading_float(rest_of_line());
    if (number) {
        value = *number;
    }
    return number.has_value();
}

std::string Console::read_line() {
    out_.flush();
    if (in_.peek() == std::char_traits<char>::eof()) {
        throw end_of_input_error();
    }
    std::string line = rest_of_line();
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

bool Console::read_yes() {
    const std::string line = read_line();
    return !line.empty() && (line[0] == 'y' || line[0] == 'Y');
}

char Console::read_first_char() {
    const std::string line = read_line();
    return line.empty() ? '\0' : line[0];
}

}  // namespace clonal
