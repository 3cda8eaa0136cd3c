// Reading the items of a text file held in memory.
#include "common/text/text_scanner.hpp"

#include <algorithm>

#include "common/text/characters.hpp"
#include "common/text/number_text.hpp"

namespace clonal {
int64_t TextScanner::line_number() const {
    const auto end = text_.begin() + static_cast<std::ptrdiff_t>(std::min(pos_, text_.size()));
    return 1 + std::count(text_.begin(), end, '\n');
}

void TextScanner::skip_white_space() {
    while (!at_end() && is_white_space(peek())) {
        ++pos_;
    }
}

bool TextScanner::skip_to_digit() {
    while (!at_end() && !is_digit(peek())) {
        ++pos_;
    }
    return !at_end();
}

std::string_view TextScanner::line() {
    const std::size_t start = pos_;
    const std::size_t newline = text_.find('\n', pos_);
    pos_ = newline == std::string::npos ? text_.size() : newline + 1;
    return std::string_view(text_).substr(start, pos_ - start);
}

std::string_view TextScanner::word() {
    skip_white_space();
    const std::size_t start = pos_;
    while (!at_end() && !is_white_space(peek())) {
        ++pos_;
    }
    return std::string_view(text_).substr(start, pos_ - start);
}

ScannedInt TextScanner::integer() {
    skip_white_space();
    if (at_end()) {
        return {ScanStatus::kEnd, 0};
    }
    const std::size_t length = integer_length(std::string_view(text_).substr(pos_));
    if (length == 0) {
        if (peek() == '+' || peek() == '-') {
            ++pos_;
        }
        return {ScanStatus::kNoNumber, 0};
    }
    const auto value = leading_int(std::string_view(text_).substr(pos_, length));
    pos_ += length;
    if (!value) {
        return {ScanStatus::kTooLarge, 0};
    }
    return {ScanStatus::kNumber, *value};
}

ScannedInt TextScanner::digits() {
    const std::size_t start = pos_;
    while (!at_end() && is_digit(peek())) {
        ++pos_;
    }
    if (pos_ == start) {
        return {at_end() ? ScanStatus::kEnd : ScanStatus::kNoNumber, 0};
    }
    const auto value = digits_value(std::string_view(text_).substr(start, pos_ - start));
    if (!value) {
        return {ScanStatus::kTooLarge, 0};
    }
    return {ScanStatus::kNumber, *value};
}

}  // namespace clonal
