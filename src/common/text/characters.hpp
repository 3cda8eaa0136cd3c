// The classes of characters that every reader of text tells apart, in the sense of the C
// library's "C" locale: decimal digits, white space and letters.
#pragma once

#include <string_view>

namespace clonal {

constexpr bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Blank, tab, line end, carriage return, vertical tab and form feed.
constexpr bool is_white_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

constexpr bool is_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The line without the line end (line feeds and carriage returns) it ends with: a title line as
// a file holds it, shown as text.
constexpr std::string_view without_line_end(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace clonal
