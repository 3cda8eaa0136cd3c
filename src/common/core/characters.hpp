// The classes of characters that every reader of text tells apart, in the sense of the C
// library's "C" locale: decimal digits, white space and letters.
#pragma once

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

}  // namespace clonal
