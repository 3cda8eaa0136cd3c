// Buffered writes to a file descriptor, retried where the system writes less than asked.
#include "common/cli/descriptor_stream.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace clonal::cli {
namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 16;

// Writes every byte; false on an error (a full disk, a closed pipe).
bool write_all(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

DescriptorBuffer::DescriptorBuffer(int fd) : fd_(fd), buffer_(kBufferSize) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

bool DescriptorBuffer::drain() {
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    if (!failed_ && pending > 0 && !write_all(fd_, pbase(), pending)) {
        failed_ = true;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return !failed_;
}

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type c) {
    if (!drain()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int DescriptorBuffer::sync() {
    return drain() ? 0 : -1;
}

std::streamsize DescriptorBuffer::xsputn(const char* text, std::streamsize count) {
    const auto size = static_cast<std::size_t>(count);
    const auto room = static_cast<std::size_t>(epptr() - pptr());
    if (size <= room) {
        std::memcpy(pptr(), text, size);
        pbump(static_cast<int>(count));
        return count;
    }
    // Larger than the room left: what is buffered goes first, then the text itself.
    if (!drain() || !write_all(fd_, text, size)) {
        failed_ = true;
        return 0;
    }
    return count;
}

}  // namespace clonal::cli
