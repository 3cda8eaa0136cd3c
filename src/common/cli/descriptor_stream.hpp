// An output stream over an open file descriptor, so that a file created exclusively (O_EXCL) is
// written through the descriptor that created it and never opened again by name.
#pragma once

#include <ostream>
#include <streambuf>
#include <vector>

namespace clonal::cli {

class DescriptorBuffer : public std::streambuf {
  public:
    // Writes to fd, which stays open: the owner closes it.
    explicit DescriptorBuffer(int fd);
    DescriptorBuffer(const DescriptorBuffer&) = delete;
    DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

    // Whether every byte so far was written (after a flush).
    bool failed() const { return failed_; }

  protected:
    int_type overflow(int_type c) override;
    int sync() override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;

  private:
    bool drain();

    int fd_;
    bool failed_ = false;
    std::vector<char> buffer_;
};

class DescriptorStream : public std::ostream {
  public:
    explicit DescriptorStream(int fd) : std::ostream(nullptr), buffer_(fd) { rdbuf(&buffer_); }

    // Flushes; false when any write failed.
    bool finish() {
        flush();
        return !buffer_.failed() && !fail();
    }

  private:
    DescriptorBuffer buffer_;
};

}  // namespace clonal::cli
