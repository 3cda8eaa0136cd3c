// The G statistic of two samples and its permuted values.
#include "marsyl/core/g_statistic.hpp"

#include <algorithm>
#include <cmath>

#include "common/core/allocation.hpp"

namespace marsyl {
namespace {

template <typename T>
void allocate(std::vector<T>& table, std::size_t size, const char* message) {
    table = clonal::allocate_or_fail<T>(size, message);
}

}  // namespace

PairGStatistic::PairGStatistic(std::span<const int32_t> a, std::span<const int32_t> b)
    : size_a_(static_cast<int32_t>(a.size())), size_b_(static_cast<int32_t>(b.size())) {
    const std::size_t total = a.size() + b.size();
    allocate(stored_, total, "Malloc failed");
    allocate(pooled_, total, "Malloc failed");
    std::copy(a.begin(), a.end(), stored_.begin());
    std::copy(b.begin(), b.end(), stored_.begin() + static_cast<std::ptrdiff_t>(a.size()));
    std::vector<int32_t> distinct(stored_);
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    for (auto& genotype : stored_) {
        genotype = static_cast<int32_t>(
            std::lower_bound(distinct.begin(), distinct.end(), genotype) - distinct.begin());
    }
    allocate(count_a_, distinct.size(), "genotype_count1 malloc failed, more memory needed");
    allocate(count_b_, distinct.size(), "genotype_count2 malloc failed, more memory needed");
}

double PairGStatistic::statistic(std::span<const int32_t> pooled) {
    std::fill(count_a_.begin(), count_a_.end(), 0);
    std::fill(count_b_.begin(), count_b_.end(), 0);
    const auto split = static_cast<std::size_t>(size_a_);
    for (std::size_t i = 0; i < split; ++i) {
        ++count_a_[static_cast<std::size_t>(pooled[i])];
    }
    for (std::size_t i = split; i < pooled.size(); ++i) {
        ++count_b_[static_cast<std::size_t>(pooled[i])];
    }
    const auto n_a = static_cast<double>(size_a_);
    const auto n_b = static_cast<double>(size_b_);
    const auto n = static_cast<double>(size_a_ + size_b_);
    double g = 0.0;
    for (std::size_t k = 0; k < count_a_.size(); ++k) {
        const auto a = static_cast<double>(count_a_[k]);
        const auto b = static_cast<double>(count_b_[k]);
        const double frequency = static_cast<double>(count_a_[k] + count_b_[k]) / n;
        if (count_a_[k] > 0) {
            g += a * std::log(a / (n_a * frequency));
        }
        if (count_b_[k] > 0) {
            g += b * std::log(b / (n_b * frequency));
        }
    }
    return g;
}

double PairGStatistic::observed() {
    return statistic(stored_);
}

double PairGStatistic::permuted(clonal::Random& random) {
    std::copy(stored_.begin(), stored_.end(), pooled_.begin());
    clonal::shuffle(random, pooled_);
    return statistic(pooled_);
}

double g_statistic(std::span<const int32_t> a, std::span<const int32_t> b) {
    return PairGStatistic(a, b).observed();
}

}  // namespace marsyl
