// Input files read whole, result files with their write errors reported.
#include "file_io.hpp"

#include <filesystem>
#include <iterator>
#include <sstream>
#include <system_error>

namespace clonal {

std::optional<std::string> read_file(const std::string& name) {
    std::error_code error;
    if (name.empty() || std::filesystem::is_directory(name, error)) {
        return std::nullopt;
    }
    std::ifstream in(name, std::ios::binary);
    if (!in.is_open()) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return std::move(content).str();
}

bool OutputFile::open(const std::string& name, WriteMode mode) {
    if (stream_.is_open()) {
        stream_.close();
    }
    stream_.clear();
    std::error_code error;
    if (name.empty() || std::filesystem::is_directory(name, error)) {
        return false;
    }
    const auto flags = std::ios::binary | (mode == WriteMode::kAppend ? std::ios::app : std::ios::trunc);
    stream_.open(name, std::ios::out | flags);
    return stream_.is_open();
}

bool OutputFile::flush() {
    stream_.flush();
    return !stream_.fail();
}

bool OutputFile::close() {
    if (!stream_.is_open()) {
        return false;
    }
    stream_.flush();
    const bool written = !stream_.fail();
    stream_.close();
    const bool closed = !stream_.fail();
    stream_.clear();
    return written && closed;
}

}  // namespace clonal
