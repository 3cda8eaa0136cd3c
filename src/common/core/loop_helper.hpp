// A second thread that takes part of many short loops while the calling thread does the rest:
// for loops run thousands of times in a row (one per step of a clustering), each too short to
// start a thread for, yet long enough to share. The calling thread never depends on the helper
// being scheduled: whatever part the helper has not claimed by the time the caller is done with
// its own, the caller does itself, so a busy machine makes the loops no slower than one thread
// would. Between loops the helper spins a while, then sleeps until the next one.
#pragma once

#include <atomic>
#include <cstdint>
#include <system_error>
#include <thread>

namespace clonal {

class LoopHelper {
  public:
    // Starts the thread when wanted (and the system gives one); otherwise share runs every part
    // on the calling thread.
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
            posted_.fetch_add(1, std::memory_order_acq_rel);  // wakes the helper, which sees stop_
            posted_.notify_one();
            thread_.join();
        }
    }
    LoopHelper(const LoopHelper&) = delete;
    LoopHelper& operator=(const LoopHelper&) = delete;

    // The parts a loop is cut into: 2 with a helper, else 1.
    int workers() const { return thread_.joinable() ? 2 : 1; }

    // Runs part(worker) for worker 0 to workers() - 1 and returns when all are done: part 1 on
    // the calling thread, part 0 on the helper unless the caller gets to it first. Each part takes
    // its share of the loop; part must not throw.
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
        posted_.notify_one();
        part(1);
        uint64_t unclaimed = ticket - 1;
        if (claimed_.compare_exchange_strong(unclaimed, ticket, std::memory_order_acq_rel)) {
            part(0);  // the helper did not start it
            return;
        }
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
        // Spins this many rounds for the next loop before sleeping: tens of microseconds.
        constexpr int kSpins = 20000;
        uint64_t seen = 0;
        for (;;) {
            uint64_t ticket = posted_.load(std::memory_order_acquire);
            for (int spin = 0; ticket == seen && spin < kSpins; ++spin) {
                pause();
                ticket = posted_.load(std::memory_order_acquire);
            }
            if (ticket == seen) {
                posted_.wait(seen, std::memory_order_acquire);
                continue;
            }
            if (stop_.load(std::memory_order_acquire)) {
                return;
            }
            seen = ticket;
            uint64_t unclaimed = ticket - 1;
            if (claimed_.compare_exchange_strong(unclaimed, ticket, std::memory_order_acq_rel)) {
                job_(context_, 0);
                done_.store(ticket, std::memory_order_release);
            }
        }
    }

    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<uint64_t> posted_{0};   // the last loop posted
    std::atomic<uint64_t> claimed_{0};  // the last loop whose part 0 someone took
    std::atomic<uint64_t> done_{0};     // the last loop whose part 0 the helper finished
    void (*job_)(void*, int) = nullptr;
    void* context_ = nullptr;
};

}  // namespace clonal
