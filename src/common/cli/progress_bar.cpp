// The progress bar of long command-line work.
#include "common/cli/progress_bar.hpp"

#include <algorithm>

#include "common/text/printf.hpp"

namespace clonal::cli {
namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRedraw = std::chrono::milliseconds(100);
constexpr int kWidth = 30;

}  // namespace

ProgressBar::ProgressBar(std::ostream& err, bool shown, std::string what)
    : err_(err), shown_(shown), what_(std::move(what)), start_(Clock::now()), last_draw_(start_) {}

ProgressReport ProgressBar::report() {
    if (!shown_) {
        return {};
    }
    return [this](uint64_t done, uint64_t total) { draw(done, total); };
}

void ProgressBar::draw(uint64_t done, uint64_t total) {
    const Clock::time_point now = Clock::now();
    if (total == 0 || now - start_ < kQuietStart || (drawn_ && now - last_draw_ < kRedraw)) {
        return;
    }
    last_draw_ = now;
    drawn_ = true;
    const double fraction = std::min(1.0, static_cast<double>(done) / static_cast<double>(total));
    const auto filled = static_cast<int>(fraction * kWidth);
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    const double left = fraction > 0.0 ? elapsed * (1.0 - fraction) / fraction : 0.0;
    const auto seconds = static_cast<long long>(left + 0.5);
    err_ << '\r' << what_ << " [" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] "
         << format("%3d%%  %lld:%02lld left ", static_cast<int>(fraction * 100.0), seconds / 60,
                   seconds % 60)
         << std::flush;
}

void ProgressBar::finish() {
    if (drawn_) {
        err_ << '\r' << std::string(what_.size() + kWidth + 24, ' ') << '\r' << std::flush;
        drawn_ = false;
    }
}

}  // namespace clonal::cli
