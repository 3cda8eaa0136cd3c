// Reading the items of a text file held in memory, the way the C library's formatted input reads
// them (white-space separated words and decimal integers), with every outcome defined: the end
// of the text, a word that is no number and a number beyond 32 bits are told apart.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace clonal {

enum class ScanStatus { kNumber, kNoNumber, kEnd, kTooLarge };

struct ScannedInt {
    ScanStatus status;
    int32_t value;
};

class TextScanner {
  public:
    explicit TextScanner(std::string text) : text_(std::move(text)) {}

    bool at_end() const { return pos_ >= text_.size(); }
    char peek() const { return text_[pos_]; }
    char get() { return text_[pos_++]; }
    std::size_t position() const { return pos_; }
    // The line (from 1) of the current position.
    int64_t line_number() const;
    void skip_to(std::size_t position) { pos_ = position < text_.size() ? position : text_.size(); }

    void skip_white_space();

    // Skips every character that is not a decimal digit; false when the text ends first.
    bool skip_to_digit();

    // The line from here through its line end (kept), or to the end of the text.
    std::string_view line();

    // Skips white space, then the word up to the next white space; empty at the end of the text.
    std::string_view word();

    // Skips white space, then reads an optional sign and decimal digits. A sign or a character
    // that does not begin a number is left unread (except the sign), as formatted input leaves it.
    ScannedInt integer();

    // A run of decimal digits from here, without a sign (the caller has checked the first one).
    ScannedInt digits();

  private:
    std::string text_;
    std::size_t pos_ = 0;
};

}  // namespace clonal
