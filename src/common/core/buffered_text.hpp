// Text for a result file collected and handed to the stream in large pieces, so that a file of
// any size is written without holding it all in memory, and formatting stops paying once the
// stream has failed.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace kelvane {

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

}  // namespace kelvane
