// The median of values, found in place: the values are reordered (their order is lost), so that
// no copy of many values is needed.
#pragma once

#include <algorithm>
#include <span>

namespace clonal {

// The middle value, or the mean of the two middle values; at least one value.
inline double median_in_place(std::span<double> values) {
    const std::size_t half = values.size() / 2;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(half);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 == 1) {
        return *middle;
    }
    return (*std::max_element(values.begin(), middle) + *middle) / 2.0;
}

}  // namespace clonal
