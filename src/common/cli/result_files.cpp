// The destinations of a run: resolved, checked against each other and the inputs, written under
// temporary names and put in place together.
#include "common/cli/result_files.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <utility>

#include "common/cli/cli_errors.hpp"
#include "common/cli/descriptor_stream.hpp"
#include "common/cli/partial_files.hpp"
#include "common/core/bug_check.hpp"

namespace clonal::cli {

namespace fs = std::filesystem;

namespace {

// Whether standard output is a pipe whose reading end was closed (the writes failed earlier, in
// the middle of the run, and the error was kept by the stream).
bool reader_gone() {
    pollfd out{STDOUT_FILENO, 0, 0};
    return ::poll(&out, 1, 0) == 1 && (out.revents & POLLERR) != 0;
}

// Links followed before a name counts as a loop.
constexpr int kMaxLinks = 40;

enum class Kind { kFile, kDevice, kStandardOutput, kStandardError };

struct Identity {
    std::optional<std::pair<dev_t, ino_t>> inode;  // of a file that exists
    fs::path path;                                 // resolved, also of a file still to be made

    bool same_as(const Identity& other) const {
        if (inode && other.inode) {
            return *inode == other.inode;
        }
        return !path.empty() && path == other.path;
    }
};

// The folder of path made absolute and free of links, with the file name kept.
fs::path resolved_folder(const fs::path& path) {
    std::error_code error;
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    fs::path real = fs::weakly_canonical(fs::absolute(folder, error), error);
    if (error) {
        real = fs::absolute(folder, error).lexically_normal();
    }
    return real / path.filename();
}

// The number of the descriptor /proc/PID/fd/N names, or nothing.
std::optional<int> descriptor_of(const fs::path& path) {
    const std::string text = path.string();
    if (text.rfind("/proc/", 0) != 0) {
        return std::nullopt;
    }
    const fs::path folder = path.parent_path();
    if (folder.filename() != "fd" || folder.parent_path().parent_path() != "/proc") {
        return std::nullopt;
    }
    const std::string number = path.filename().string();
    if (number.empty() || number.size() > 6 ||
        number.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return std::stoi(number);
}

struct Resolved {
    Kind kind = Kind::kFile;
    fs::path target;  // the file itself, behind every link
    std::optional<int> descriptor;
};

// Follows the links of name to what it points at; a descriptor of this process (/dev/stdout is
// /proc/self/fd/1) stops the walk, since what lies behind it is already open.
Resolved resolve(const std::string& name, const std::string& option) {
    fs::path path = resolved_folder(name);
    for (int step = 0;; ++step) {
        if (const auto descriptor = descriptor_of(path)) {
            Resolved resolved{Kind::kDevice, path, descriptor};
            if (*descriptor == 1) {
                resolved.kind = Kind::kStandardOutput;
            } else if (*descriptor == 2) {
                resolved.kind = Kind::kStandardError;
            }
            return resolved;
        }
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) {
            break;
        }
        if (step == kMaxLinks) {
            throw DataError(option + " " + name + ": too many links to follow");
        }
        const fs::path target = fs::read_symlink(path, error);
        if (error) {
            break;
        }
        path = resolved_folder(target.is_absolute() ? target : path.parent_path() / target);
    }
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) {
        throw DataError(option + " " + name + ": is a folder, not a file");
    }
    const bool exists = fs::exists(status);
    return {exists && !fs::is_regular_file(status) ? Kind::kDevice : Kind::kFile, path,
            std::nullopt};
}

Identity identity_of(const fs::path& path) {
    Identity identity{std::nullopt, path};
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        identity.inode = std::make_pair(info.st_dev, info.st_ino);
    }
    return identity;
}

std::string system_reason() {
    return std::strerror(errno);
}

// Copies the whole file behind fd to out; false when it cannot be read.
bool copy_from_start(int fd, std::ostream& out) {
    if (::lseek(fd, 0, SEEK_SET) != 0) {
        return false;
    }
    std::array<char, std::size_t{1} << 15> buffer{};
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        out.write(buffer.data(), got);
    }
}

// The permission bits a new file gets from the umask.
mode_t new_file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

}  // namespace

struct ResultFiles::Input {
    Identity identity;
    std::string name;
};

struct ResultFile::Place {
    Kind kind = Kind::kFile;
    Resolved resolved;
    Identity identity;
    bool held = false;  // written into an unnamed temporary file until commit
    bool used = false;  // stream() was called
    // A file: its temporary, registered for removal on interruption.
    std::string temporary;
    std::unique_ptr<PartialFile> partial;
    int fd = -1;
    std::unique_ptr<DescriptorStream> descriptor_stream;
    // A device written directly.
    std::ofstream device;
    bool device_open = false;
    bool committed = false;
};

ResultFile::ResultFile(std::string option, std::string name, const Terminal& terminal)
    : option_(std::move(option)),
      name_(std::move(name)),
      terminal_(terminal),
      place_(std::make_unique<Place>()) {}

ResultFile::~ResultFile() {
    Place& place = *place_;
    if (place.fd >= 0) {
        ::close(place.fd);
    }
    if (!place.committed && !place.temporary.empty()) {
        ::unlink(place.temporary.c_str());
    }
}

std::ostream& ResultFile::stream() {
    Place& place = *place_;
    place.used = true;
    if (place.descriptor_stream) {
        return *place.descriptor_stream;
    }
    if (place.held) {
        // An unnamed file that vanishes with the run.
        std::FILE* spool = std::tmpfile();
        if (spool == nullptr) {
            throw DataError(option_ + " " + name_ + ": no room for the result (" + system_reason() +
                            ")");
        }
        place.fd = ::dup(fileno(spool));
        std::fclose(spool);
        if (place.fd < 0) {
            throw DataError(option_ + " " + name_ + ": no room for the result");
        }
        place.descriptor_stream = std::make_unique<DescriptorStream>(place.fd);
        return *place.descriptor_stream;
    }
    switch (place.kind) {
        case Kind::kStandardOutput:
            return terminal_.out;
        case Kind::kStandardError:
            return terminal_.err;
        case Kind::kDevice:
            if (!place.device_open) {
                place.device_open = true;
                // Written into as it is: never truncated, never replaced.
                place.device.open(place.resolved.target, std::ios::out | std::ios::in);
                if (!place.device.is_open()) {
                    place.device.open(place.resolved.target, std::ios::out | std::ios::app);
                }
                if (!place.device.is_open()) {
                    throw DataError(option_ + " " + name_ + ": cannot be written");
                }
            }
            return place.device;
        case Kind::kFile:
            break;
    }
    CLONAL_BUG_CHECK(false);
}

ResultFiles::ResultFiles(const Terminal& terminal, const std::vector<std::string>& inputs)
    : terminal_(terminal) {
    for (const std::string& input : inputs) {
        add_input(input);
    }
}

ResultFiles::~ResultFiles() = default;

void ResultFiles::add_input(const std::string& name) {
    if (name.empty() || name == "-") {
        return;
    }
    std::error_code error;
    if (!fs::exists(name, error)) {
        return;
    }
    Input input{identity_of(fs::weakly_canonical(fs::absolute(name), error)), name};
    for (const auto& result : results_) {
        if (result->place_->kind == Kind::kFile &&
            result->place_->identity.same_as(input.identity)) {
            throw UsageError(result->option_ + " names the input file " + name +
                             "; write the result elsewhere");
        }
    }
    inputs_.push_back(std::move(input));
}

ResultFile& ResultFiles::add(std::string_view option, const std::string& name) {
    // Every destination is known before any is written.
    CLONAL_BUG_CHECK(!committed_);
    for (const auto& before : results_) {
        CLONAL_BUG_CHECK(!before->place_->used);
    }
    auto result = std::unique_ptr<ResultFile>(new ResultFile(std::string(option), name, terminal_));
    const std::string named = result->option_ + " '" + name + "'";
    if (name.empty()) {
        throw UsageError(result->option_ + " needs a file name (- for standard output)");
    }
    ResultFile::Place& place = *result->place_;
    if (name == "-") {
        place.kind = Kind::kStandardOutput;
    } else {
        place.resolved = resolve(name, result->option_);
        place.kind = place.resolved.kind;
        place.identity = identity_of(place.resolved.target);
    }
    for (const auto& other : results_) {
        const ResultFile::Place& before = *other->place_;
        const bool both_standard =
            place.kind == before.kind &&
            (place.kind == Kind::kStandardOutput || place.kind == Kind::kStandardError);
        const bool same_file = place.kind == Kind::kFile && before.kind == Kind::kFile &&
                               place.identity.same_as(before.identity);
        if (both_standard || same_file) {
            throw UsageError(name == other->name_
                                 ? result->option_ + " and " + other->option_ +
                                       " name the same place, '" + name + "'"
                                 : result->option_ + " '" + name + "' and " + other->option_ +
                                       " '" + other->name_ + "' are the same file");
        }
    }
    if (place.kind == Kind::kFile) {
        for (const Input& input : inputs_) {
            if (place.identity.same_as(input.identity)) {
                throw UsageError(result->option_ + " names the input file " + input.name +
                                 "; write the result elsewhere");
            }
        }
        const fs::path& target = place.resolved.target;
        std::error_code error;
        if (!fs::is_directory(target.parent_path(), error)) {
            throw DataError(named + ": the folder " + target.parent_path().string() +
                            " does not exist");
        }
        struct stat existing {};
        const bool exists = ::stat(target.c_str(), &existing) == 0;
        if (exists && ::access(target.c_str(), W_OK) != 0) {
            throw DataError(named + ": cannot be written (" + system_reason() + ")");
        }
        // mkstemp makes an unpredictable name and creates it exclusively (O_EXCL): nothing
        // planted at that name is followed.
        std::string pattern =
            (target.parent_path() / ("." + target.filename().string() + ".partial-XXXXXX"))
                .string();
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) {
            throw DataError(named + ": cannot be written (" + system_reason() + ")");
        }
        place.fd = fd;
        place.temporary = pattern;
        place.partial = std::make_unique<PartialFile>(pattern);
        ::fchmod(fd, exists ? static_cast<mode_t>(existing.st_mode & 07777) : new_file_mode());
        place.descriptor_stream = std::make_unique<DescriptorStream>(fd);
    }
    results_.push_back(std::move(result));
    // With more than one result, what is not a file waits until every file is in place.
    if (results_.size() > 1) {
        for (const auto& each : results_) {
            if (each->place_->kind != Kind::kFile) {
                each->place_->held = true;
            }
        }
    }
    return *results_.back();
}

void ResultFiles::commit() {
    CLONAL_BUG_CHECK(!committed_);
    committed_ = true;
    const auto fail = [](const ResultFile& result, const std::string& reason) {
        return DataError(result.option_ + " " + result.name_ + ": could not be written" +
                         (reason.empty() ? "" : " (" + reason + ")"));
    };
    // Every file complete on disk under its temporary name.
    for (const auto& result : results_) {
        ResultFile::Place& place = *result->place_;
        if (place.kind != Kind::kFile) {
            continue;
        }
        if (!place.descriptor_stream->finish()) {
            throw fail(*result, system_reason());
        }
        const int fd = std::exchange(place.fd, -1);
        if (::close(fd) != 0) {
            throw fail(*result, system_reason());
        }
    }
    // Devices, then standard error and standard output, from what they were held in.
    for (const Kind kind : {Kind::kDevice, Kind::kStandardError, Kind::kStandardOutput}) {
        for (const auto& result : results_) {
            ResultFile::Place& place = *result->place_;
            if (place.kind != kind) {
                continue;
            }
            // What was held in an unnamed file goes to its place now.
            place.held = false;
            const std::unique_ptr<DescriptorStream> held = std::move(place.descriptor_stream);
            std::ostream& out = result->stream();
            errno = 0;
            const bool copied =
                held == nullptr || (held->finish() && copy_from_start(place.fd, out));
            const std::string reason = copied ? std::string() : system_reason();
            if (copied) {
                out.flush();
            }
            if (!copied || !out.good()) {
                if (kind == Kind::kStandardOutput && (errno == EPIPE || reader_gone())) {
                    throw DataError(
                        "standard output was closed before the results were written (the "
                        "program reading it ended); no result file was replaced");
                }
                throw fail(*result, reason);
            }
            place.committed = true;
        }
    }
    // Only when everything else has been written does each file take its name: a failure
    // anywhere before leaves every file as it was.
    for (const auto& result : results_) {
        ResultFile::Place& place = *result->place_;
        if (place.kind != Kind::kFile) {
            continue;
        }
        if (::rename(place.temporary.c_str(), place.resolved.target.c_str()) != 0) {
            throw fail(*result, system_reason());
        }
        place.committed = true;
        place.partial->release();
    }
}

}  // namespace clonal::cli
