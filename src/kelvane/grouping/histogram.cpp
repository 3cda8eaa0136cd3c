// The distance histogram: the tally of the pairs into classes and the table.
#include "kelvane/grouping/histogram.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "common/core/allocation.hpp"
#include "common/text/buffered_text.hpp"
#include "common/text/printf.hpp"

namespace kelvane {
namespace {

// The bars of a histogram whose largest class exceeds this are scaled down to it.
constexpr int64_t kLongestBar = 38;
constexpr double kOneOverLongestBar = 0.02631578947368421;

}  // namespace

int64_t ceiling_with_tolerance(double x) {
    constexpr double kLimit = 4.0e18;
    if (std::isnan(x)) {
        return INT64_MAX;
    }
    const double t = std::trunc(std::clamp(x, -kLimit, kLimit));
    const auto truncated = static_cast<int64_t>(t);
    return (x - t < 0.000001) ? truncated : truncated + 1;
}

int32_t largest_distance(const DistanceMatrix& matrix) {
    const auto cells = matrix.cells();
    return cells.empty() ? INT32_MIN : *std::max_element(cells.begin(), cells.end());
}

double class_width(int32_t max_distance, int32_t classes) {
    return static_cast<double>(max_distance) / static_cast<double>(classes);
}

namespace {

// Counts a distance in its class, if it has one.
void add_to_class(double distance, double width, std::span<int64_t> counts) {
    if (distance < 0.0) {
        return;  // no class below 0 to hold it
    }
    const int64_t k = ceiling_with_tolerance(distance / width);
    if (k <= static_cast<int64_t>(counts.size()) - 1) {
        ++counts[static_cast<std::size_t>(k)];
    }
}

}  // namespace

void tally_distance_classes(const DistanceMatrix& matrix, double width, std::span<int64_t> counts) {
    const int n = matrix.size();
    for (int i = 0; i < n; ++i) {
        const auto row = matrix.row(i);
        for (int j = 0; j < i; ++j) {
            add_to_class(static_cast<double>(row[static_cast<std::size_t>(j)]), width, counts);
        }
    }
}

void tally_value_classes(std::span<const double> values, double width, std::span<int64_t> counts) {
    for (const double value : values) {
        add_to_class(value, width, counts);
    }
}

int64_t bar_length(int64_t count, int64_t top) {
    if (top <= kLongestBar) {
        return count;
    }
    const double scale = static_cast<double>(top) * kOneOverLongestBar;
    return static_cast<int64_t>(static_cast<double>(count) / scale);
}

void write_histogram_table(std::ostream& out, std::span<const int64_t> counts, double width) {
    clonal::BufferedText text(out);
    text.append("class  \tthresh\t#pairs| #pairs\n");
    const int64_t top = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
    std::string line;
    // A stream that failed (a full disk) takes no more lines; the rest are not formatted.
    for (std::size_t k = 0; k < counts.size() && text.good(); ++k) {
        line = clonal::format("%4d\t%6.2f\t", static_cast<int>(k), static_cast<double>(k) * width);
        line += clonal::format("%6lld| ", static_cast<long long>(counts[k]));
        line.append(static_cast<std::size_t>(bar_length(counts[k], top)), '*');
        line += '\n';
        text.append(line);
    }
}

std::vector<int64_t> class_counters(int32_t classes) {
    return clonal::allocate_or_fail<int64_t>(static_cast<std::size_t>(classes) + 1,
                                             "frequency classes, more memory needed");
}

std::vector<int64_t> histogram_counts(const DistanceMatrix& matrix, int32_t classes,
                                      int32_t max_distance) {
    std::vector<int64_t> counts = class_counters(classes);
    tally_distance_classes(matrix, class_width(max_distance, classes), counts);
    return counts;
}

}  // namespace kelvane
