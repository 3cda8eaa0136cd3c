// Tallies of pairs by distance.
#include "kelvane/grouping/distance_tally.hpp"

#include <algorithm>
#include <climits>

#include "kelvane/grouping/histogram.hpp"

namespace kelvane {

void DistanceTally::add(int32_t distance, int64_t pairs) {
    if (pairs == 0) {
        return;
    }
    pairs_ += pairs;
    if (distance >= 0 && distance < kTableSize) {
        if (static_cast<std::size_t>(distance) >= small_.size()) {
            small_.resize(
                std::max<std::size_t>(static_cast<std::size_t>(distance) + 1, small_.size() * 2),
                0);
        }
        small_[static_cast<std::size_t>(distance)] += pairs;
        return;
    }
    large_[distance] += pairs;
}

int32_t DistanceTally::largest() const {
    if (!large_.empty() && large_.rbegin()->first >= kTableSize) {
        return large_.rbegin()->first;
    }
    for (std::size_t d = small_.size(); d-- > 0;) {
        if (small_[d] != 0) {
            return static_cast<int32_t>(d);
        }
    }
    return large_.empty() ? INT32_MIN : large_.rbegin()->first;
}

std::vector<int64_t> DistanceTally::class_counts(int32_t classes, double width) const {
    std::vector<int64_t> counts = class_counters(classes);
    const auto last_class = static_cast<int64_t>(counts.size()) - 1;
    const auto add_to_class = [&](int32_t distance, int64_t pairs) {
        if (distance < 0 || pairs == 0) {
            return;  // no class below 0 to hold it
        }
        const int64_t k = ceiling_with_tolerance(static_cast<double>(distance) / width);
        if (k <= last_class) {
            counts[static_cast<std::size_t>(k)] += pairs;
        }
    };
    for (std::size_t d = 0; d < small_.size(); ++d) {
        add_to_class(static_cast<int32_t>(d), small_[d]);
    }
    for (const auto& [distance, pairs] : large_) {
        add_to_class(distance, pairs);
    }
    return counts;
}

DistinctPairTally::DistinctPairTally(const DistinctGenotypes& distinct)
    : distinct_(distinct), own_(distinct.twins.size(), 0) {}

void DistinctPairTally::add_band(const DistanceMatrix& band) {
    const int genotypes = distinct_.count();
    for (int i = band.first_row(); i < band.end_row(); ++i) {
        const auto row = band.row(i);
        if (i >= genotypes) {
            const auto twin = static_cast<std::size_t>(i - genotypes);
            own_[twin] = row[static_cast<std::size_t>(distinct_.twins[twin])];
            continue;
        }
        const int64_t count_i = distinct_.counts[static_cast<std::size_t>(i)];
        for (int j = 0; j < i; ++j) {
            between_.add(row[static_cast<std::size_t>(j)],
                         count_i * distinct_.counts[static_cast<std::size_t>(j)]);
        }
    }
}

DistanceTally DistinctPairTally::tally() const {
    DistanceTally tally = between_;
    std::vector<int32_t> own(static_cast<std::size_t>(distinct_.count()), 0);
    for (std::size_t twin = 0; twin < distinct_.twins.size(); ++twin) {
        own[static_cast<std::size_t>(distinct_.twins[twin])] = own_[twin];
    }
    for (std::size_t g = 0; g < own.size(); ++g) {
        const int64_t count = distinct_.counts[g];
        tally.add(own[g], count * (count - 1) / 2);
    }
    return tally;
}

}  // namespace kelvane
