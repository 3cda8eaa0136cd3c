// Input files read whole, result files with their write errors reported and taken back.
#include "common/core/file_io.hpp"

#include <iterator>
#include <system_error>
#include <utility>
#include <vector>

#include "common/core/fatal_error.hpp"

namespace clonal {

namespace fs = std::filesystem;

std::optional<std::string> read_file(const std::string& name) {
    std::error_code error;
    if (name.empty() || fs::is_directory(name, error)) {
        return std::nullopt;
    }
    std::ifstream in(name, std::ios::binary);
    if (!in.is_open()) {
        return std::nullopt;
    }
    // Read in chunks, so that a device that never ends (/dev/zero) is found out: no text holds a
    // run of kNulRunLimit NUL bytes.
    std::string content;
    std::vector<char> chunk(std::size_t{1} << 16);
    std::size_t nul_run = 0;
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        for (std::size_t i = 0; i < got; ++i) {
            nul_run = chunk[i] == '\0' ? nul_run + 1 : 0;
        }
        if (nul_run >= kNulRunLimit) {
            return std::nullopt;
        }
        content.append(chunk.data(), got);
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return content;
}

std::string read_input_file(const std::string& name) {
    std::optional<std::string> content = read_file(name);
    if (!content) {
        throw FatalError("cannot be read", ErrorKind::kFile).in_file(name);
    }
    return std::move(*content);
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : stream_(std::move(other.stream_)),
      state_(std::exchange(other.state_, State::kClosed)),
      restore_(std::exchange(other.restore_, std::nullopt)) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        if (state_ == State::kWriting) {
            take_back();
        }
        stream_ = std::move(other.stream_);
        state_ = std::exchange(other.state_, State::kClosed);
        restore_ = std::exchange(other.restore_, std::nullopt);
    }
    return *this;
}

// A file nobody closed was not finished.
OutputFile::~OutputFile() {
    if (state_ == State::kWriting) {
        take_back();
    }
}

bool OutputFile::open(const std::string& name, WriteMode mode) {
    if (is_open()) {
        close();
    }
    stream_.clear();
    restore_.reset();
    std::error_code error;
    if (name.empty() || fs::is_directory(name, error)) {
        return false;
    }
    const bool existed = fs::exists(name, error);
    // The size to keep of a file appended to; unknown for anything but a regular file.
    std::optional<std::uintmax_t> size_before = 0;
    if (existed) {
        const std::uintmax_t size = fs::file_size(name, error);
        size_before = error ? std::nullopt : std::optional<std::uintmax_t>(size);
    }
    const auto flags =
        std::ios::binary | (mode == WriteMode::kAppend ? std::ios::app : std::ios::trunc);
    stream_.open(name, std::ios::out | flags);
    if (!stream_.is_open()) {
        return false;
    }
    state_ = State::kWriting;
    const bool replaced = mode == WriteMode::kReplace;
    if (fs::is_regular_file(name, error) && (replaced || size_before)) {
        fs::path real = fs::canonical(name, error);
        if (!error) {
            restore_ = Restore{std::move(real), replaced ? 0 : *size_before, replaced || !existed};
        }
    }
    return true;
}

bool OutputFile::flush() {
    if (state_ != State::kWriting) {
        return state_ == State::kClosed;
    }
    stream_.flush();
    if (stream_.fail()) {
        take_back();
        return false;
    }
    if (restore_) {
        std::error_code error;
        const std::uintmax_t size = fs::file_size(restore_->path, error);
        if (!error) {
            restore_->kept = size;
        }
    }
    return true;
}

bool OutputFile::close() {
    if (state_ != State::kWriting) {
        // Closed already, or taken back after a failed write.
        state_ = State::kClosed;
        stream_.clear();
        return false;
    }
    stream_.flush();
    const bool written = !stream_.fail();
    stream_.close();
    const bool closed = !stream_.fail();
    if (!written || !closed) {
        take_back();
    }
    state_ = State::kClosed;
    restore_.reset();
    stream_.clear();
    return written && closed;
}

void OutputFile::take_back() {
    // The stream is closed first: a buffer it still holds would otherwise reach the file after
    // it was taken back.
    if (stream_.is_open()) {
        stream_.close();
    }
    stream_.setstate(std::ios::badbit);
    state_ = State::kFailed;
    if (!restore_) {
        return;
    }
    std::error_code error;
    if (restore_->kept == 0 && restore_->removable) {
        fs::remove(restore_->path, error);
    } else {
        fs::resize_file(restore_->path, restore_->kept, error);
    }
    restore_.reset();
}

}  // namespace clonal
