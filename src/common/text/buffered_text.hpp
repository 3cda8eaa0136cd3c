// Large text (a result file, a long listing) collected and handed to the stream in large pieces,
// so that text of any size is written without holding it all in memory, and formatting stops
// paying once the stream has failed.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace clonal {

class BufferedText {
  public:
    explicit BufferedText(std::ostream& out) : out_(out) { text_.reserve(kPiece + 64); }
    ~BufferedText() { flush(); }
    BufferedText(const BufferedText&) = delete;
    BufferedText& operator=(const BufferedText&) = delete;

    void append(std::string_view piece) {
        text_.append(piece);
        if (text_.size() >= kPiece) {
            flush();
        }
    }

    // An integer in decimal, as "%d" or "%lld" writes it.
    void append_number(int64_t value) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        append(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }

    void flush() {
        out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
        text_.clear();
    }

    // False once a write to the stream has failed (a full disk): nothing more reaches it.
    bool good() const { return out_.good(); }

  private:
    static constexpr std::size_t kPiece = std::size_t{1} << 16;
    std::ostream& out_;
    std::string text_;
};

}  // namespace clonal
