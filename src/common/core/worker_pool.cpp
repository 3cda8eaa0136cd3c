// Worker threads shared by every parallel computation.
#include "common/core/worker_pool.hpp"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace clonal {

int worker_count(int requested) {
    // More workers than cores would only share them, and a huge count could not be started.
    // Asked once: the system reads a file for it each time.
    static const unsigned cores = std::thread::hardware_concurrency();
    const int available = cores == 0 ? 1 : static_cast<int>(cores);
    return requested >= 1 ? std::min(requested, available) : available;
}

void run_workers(int workers, const std::function<void(int worker)>& body) {
    std::exception_ptr failure;
    std::mutex failure_lock;
    // A worker that fails keeps its exception for the caller instead of ending the process.
    const auto guarded = [&](int worker) {
        try {
            body(worker);
        } catch (...) {
            const std::lock_guard<std::mutex> hold(failure_lock);
            if (!failure) {
                failure = std::current_exception();
            }
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(static_cast<std::size_t>(workers > 1 ? workers - 1 : 0));
    try {
        for (int worker = 1; worker < workers; ++worker) {
            threads.emplace_back(guarded, worker);
        }
    } catch (const std::system_error&) {
        // Fewer threads only make the run slower, never its results different.
    }
    guarded(0);
    for (std::thread& thread : threads) {
        thread.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void for_each_index(std::size_t count, int threads, const std::function<void(std::size_t)>& body) {
    const auto workers = static_cast<int>(std::clamp<std::size_t>(
        static_cast<std::size_t>(worker_count(threads)), 1, std::max<std::size_t>(count, 1)));
    std::atomic<std::size_t> next{0};
    run_workers(workers, [&](int) {
        for (std::size_t i = next++; i < count; i = next++) {
            body(i);
        }
    });
}

}  // namespace clonal
