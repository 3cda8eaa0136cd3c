// The registry of partial files and the signal handler that removes them. The handler may only
// call async-signal-safe functions, so the paths live in fixed slots that it reads as they are.
#include "common/cli/partial_files.hpp"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <climits>
#include <cstring>
#include <mutex>

#include "common/core/bug_check.hpp"

namespace clonal::cli {
namespace {

// A run writes a handful of results at once; more than this many at once is a fault of the code.
constexpr std::size_t kSlots = 32;

struct Slot {
    std::atomic<bool> used{false};
    std::array<char, PATH_MAX> path{};
};

std::array<Slot, kSlots>& slots() {
    static std::array<Slot, kSlots> table;
    return table;
}

// Every signal that ends a run and can be caught: interruptions, time limits, and the faults of a
// bug (an abort, a bad address), after which the files are removed all the same.
constexpr std::array<int, 13> kSignals{SIGINT,  SIGTERM, SIGHUP,  SIGQUIT, SIGALRM,
                                       SIGUSR1, SIGUSR2, SIGXCPU, SIGABRT, SIGSEGV,
                                       SIGBUS,  SIGFPE,  SIGILL};

extern "C" void remove_partial_files(int signal_number) {
    for (Slot& slot : slots()) {
        if (slot.used.load()) {
            unlink(slot.path.data());
        }
    }
    // End as the signal would have ended the run, so that the caller sees the same status.
    struct sigaction default_action {};
    default_action.sa_handler = SIG_DFL;
    sigemptyset(&default_action.sa_mask);
    sigaction(signal_number, &default_action, nullptr);
    raise(signal_number);
}

void install_handlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int signal_number : kSignals) {
            struct sigaction previous {};
            // Only a signal at its default action is taken over: one ignored stays ignored, and
            // one with a handler of its own (a sanitizer's, an embedding program's) keeps it.
            if (sigaction(signal_number, nullptr, &previous) != 0 ||
                (previous.sa_flags & SA_SIGINFO) != 0 || previous.sa_handler != SIG_DFL) {
                continue;
            }
            struct sigaction action {};
            action.sa_handler = remove_partial_files;
            sigemptyset(&action.sa_mask);
            for (const int blocked : kSignals) {
                sigaddset(&action.sa_mask, blocked);
            }
            sigaction(signal_number, &action, nullptr);
        }
    });
}

void ignore(int signal_number) {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    sigaction(signal_number, &action, nullptr);
}

std::mutex& registry_mutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

void fail_writes_instead_of_signals() {
    ignore(SIGPIPE);
    ignore(SIGXFSZ);
}

PartialFile::PartialFile(const std::string& path) {
    CLONAL_BUG_CHECK(path.size() < PATH_MAX);
    install_handlers();
    const std::lock_guard<std::mutex> lock(registry_mutex());
    for (std::size_t i = 0; i < kSlots; ++i) {
        Slot& slot = slots()[i];
        if (!slot.used.load()) {
            std::memcpy(slot.path.data(), path.c_str(), path.size() + 1);
            slot.used.store(true);
            slot_ = static_cast<int>(i);
            return;
        }
    }
    CLONAL_BUG_CHECK(false);
}

PartialFile::~PartialFile() {
    release();
}

void PartialFile::release() {
    if (slot_ >= 0) {
        const std::lock_guard<std::mutex> lock(registry_mutex());
        slots()[static_cast<std::size_t>(slot_)].used.store(false);
        slot_ = -1;
    }
}

}  // namespace clonal::cli
