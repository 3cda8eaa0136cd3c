// A second thread that takes part of many short loops while the calling thread does the rest: for
// loops run thousands of times in a row (one per step of a clustering), each too short to start a
// thread for, yet long enough to share. The helper waits spinning between loops, so it keeps a core
// busy while it lives: make one for the duration of such a run only.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace clonal {

class LoopHelper {
  public:
    // Starts the thread when wanted (and the system gives one); otherwise split runs the whole
    // loop on the calling thread.
    explicit LoopHelper(bool wanted) {
        if (wanted) {
            try {
                thread_ = std::thread([this] { serve(); });
            } catch (const std::system_error&) {
                // Without a second thread the loops only take longer.
            }
        }
    }
    ~LoopHelper() {
        if (thread_.joinable()) {
            stop_.store(true, std::memory_order_release);
            thread_.join();
        }
    }
    LoopHelper(const LoopHelper&) = delete;
    LoopHelper& operator=(const LoopHelper&) = delete;

    // The threads that share: 2 with the helper, else 1.
    int workers() const { return thread_.joinable() ? 2 : 1; }

    // Runs part(worker) for worker 0 to workers() - 1, worker 0 on the helper, and returns when
    // all are done; each part takes its share of the loop. part must not throw.
    template <class Part>
    void share(Part& part) {
        if (!thread_.joinable()) {
            part(0);
            return;
        }
        job_ = [](void* context, int worker) { (*static_cast<Part*>(context))(worker); };
        context_ = &part;
        const uint64_t ticket = posted_.load(std::memory_order_relaxed) + 1;
        posted_.store(ticket, std::memory_order_release);
        part(1);
        while (done_.load(std::memory_order_acquire) != ticket) {
            pause();
        }
    }

  private:
    static void pause() {
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#else
        std::this_thread::yield();
#endif
    }

    void serve() {
        uint64_t served = 0;
        while (!stop_.load(std::memory_order_acquire)) {
            const uint64_t ticket = posted_.load(std::memory_order_acquire);
            if (ticket == served) {
                pause();
                continue;
            }
            job_(context_, 0);
            served = ticket;
            done_.store(ticket, std::memory_order_release);
        }
    }

    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<uint64_t> posted_{0};
    std::atomic<uint64_t> done_{0};
    void (*job_)(void*, int) = nullptr;
    void* context_ = nullptr;
};

}  // namespace clonal
