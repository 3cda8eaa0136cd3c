// An output stream onto a disk that fills up: it takes its first bytes, then fails every write,
// as a full disk does.
#pragma once

#include <cstddef>
#include <ostream>
#include <streambuf>

namespace kelvane {

class FillingBuffer : public std::streambuf {
  public:
    explicit FillingBuffer(std::size_t capacity) : capacity_(capacity) {}

  protected:
    std::streamsize xsputn(const char*, std::streamsize count) override {
        const auto size = static_cast<std::size_t>(count);
        if (taken_ + size > capacity_) {
            return 0;
        }
        taken_ += size;
        return count;
    }

    int_type overflow(int_type c) override {
        if (taken_ >= capacity_) {
            return traits_type::eof();
        }
        ++taken_;
        return traits_type::not_eof(c);
    }

  private:
    std::size_t capacity_;
    std::size_t taken_ = 0;
};

}  // namespace kelvane
