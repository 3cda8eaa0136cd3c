// The clonal diversity indices of one sample.
#include "marsyl/core/diversity_indices.hpp"

#include <algorithm>
#include <cmath>

#include "common/core/allocation.hpp"

namespace marsyl {

const IndexCalculator::Terms& IndexCalculator::terms_for(int32_t count, double n, double coverage) {
    const auto slot = static_cast<std::size_t>(count);
    if (stamp_[slot] != call_) {
        stamp_[slot] = call_;
        const double p = static_cast<double>(count) / n;
        const double cp = coverage * p;
        terms_[slot] = {p * std::log10(p), cp * std::log10(cp) / (1.0 - std::pow(1.0 - cp, n))};
    }
    return terms_[slot];
}

// Every buffer at once, so that the calls after it never allocate.
void IndexCalculator::grow(std::size_t size) {
    clonal::with_memory_message("genotype_count calloc failed, more memory needed", [&] {
        sorted_.reserve(size);
        counts_.reserve(size);
        terms_.resize(size + 1);
        stamp_.resize(size + 1, call_);
    });
}

IndexSet IndexCalculator::compute(std::span<const int32_t> genotypes) {
    const auto size = genotypes.size();
    if (terms_.size() <= size) {
        grow(size);
    }
    sorted_.assign(genotypes.begin(), genotypes.end());
    std::sort(sorted_.begin(), sorted_.end());
    counts_.clear();
    int32_t seen_once = 0;
    for (std::size_t i = 0; i < sorted_.size();) {
        std::size_t j = i + 1;
        while (j < sorted_.size() && sorted_[j] == sorted_[i]) {
            ++j;
        }
        const auto count = static_cast<int32_t>(j - i);
        counts_.push_back(count);
        seen_once += count == 1 ? 1 : 0;
        i = j;
    }

    if (++call_ == 0) {
        // The stamps wrapped around: none of them may claim to belong to this call.
        std::fill(stamp_.begin(), stamp_.end(), 0u);
        call_ = 1;
    }

    const double n = static_cast<double>(size);
    const double coverage = 1.0 - static_cast<double>(seen_once) / n;
    double sum_squares = 0.0;
    double shannon = 0.0;
    double corrected = 0.0;
    if (size == 0) {
        // Every genotype has frequency 0 / 0 then, which the sum of squares takes in.
        const double p = 0.0 / n;
        sum_squares += p * p;
    }
    for (const int32_t count : counts_) {
        const double p = static_cast<double>(count) / n;
        sum_squares += p * p;
        const Terms& terms = terms_for(count, n, coverage);
        shannon += terms.shannon;
        corrected += terms.corrected;
    }

    const auto genotype_count = static_cast<double>(counts_.size());
    IndexSet indices{};
    indices[kGen] = genotype_count;
    indices[kEff] = 1.0 / sum_squares;
    indices[kDiv] = n / (n - 1.0) * (1.0 - sum_squares);
    indices[kEve] = indices[kEff] / genotype_count;
    indices[kShw] = -shannon;
    indices[kShc] = -corrected;
    return indices;
}

IndexSet compute_indices(std::span<const int32_t> genotypes) {
    IndexCalculator calculator;
    return calculator.compute(genotypes);
}

}  // namespace marsyl
