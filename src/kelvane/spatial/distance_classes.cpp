// Classes of spatial distances.
#include "kelvane/spatial/distance_classes.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <utility>

#include "common/core/fatal_error.hpp"
#include "common/core/setting_ranges.hpp"

namespace kelvane {
namespace {

// The pairs in column order of the lower triangle of the members.
template <class Visit>
void for_each_pair(const std::vector<int>& members, Visit visit) {
    const std::size_t n = members.size();
    for (std::size_t j = 0; j + 1 < n; ++j) {
        for (std::size_t i = j + 1; i < n; ++i) {
            visit(members[i], members[j]);
        }
    }
}

}  // namespace

double rounded(double x, int digits) {
    const double scale = std::pow(10.0, digits);
    return std::round(x * scale) / scale;
}

void check_class_settings(const ClassSettings& settings) {
    if (settings.limits.empty()) {
        clonal::check_setting("spatial.classes", settings.classes);
        return;
    }
    if (settings.equal_pairs) {
        throw clonal::SettingError("{setting} and {equal_pairs} make classes two ways: give one",
                                   "class_limits");
    }
    const auto most_classes = static_cast<int64_t>(clonal::setting_range("spatial.classes").high);
    if (settings.limits.size() < 2 || std::cmp_greater(settings.limits.size(), most_classes + 1) ||
        !std::ranges::all_of(settings.limits, [](double x) { return std::isfinite(x); }) ||
        !std::ranges::is_sorted(settings.limits)) {
        throw clonal::SettingError("{setting} takes from 2 to " + std::to_string(most_classes + 1) +
                                       " limits, finite and ascending",
                                   "class_limits");
    }
}

double round7(double x) {
    return rounded(x, 7);
}

DistanceClasses classify_pairs(const Coordinates& coordinates, const std::vector<int>& members,
                               const ClassSettings& settings,
                               const std::function<void(const ClassedPair&)>& pair_done) {
    check_class_settings(settings);
    DistanceClasses classes;
    if (members.size() < 2) {
        return classes;
    }
    if (settings.equal_pairs) {
        std::vector<double> distances;
        for_each_pair(members,
                      [&](int i, int j) { distances.push_back(coordinates.distance(i, j)); });
        const auto pairs = static_cast<int64_t>(distances.size());
        const int k = settings.classes;
        if (pairs < k) {
            throw clonal::SettingError("{setting} asks for more classes than there are pairs",
                                       "classes");
        }
        // Sizes as R rounds pairs / classes (halves to even), the remainder spread over the
        // first classes (or taken from the last).
        const auto base = static_cast<int64_t>(std::nearbyint(static_cast<double>(pairs) / k));
        const int64_t remainder = pairs - base * k;
        std::vector<int64_t> ends;
        int64_t end = 0;
        for (int c = 0; c < k; ++c) {
            end +=
                base + (remainder >= 0 ? (c < remainder ? 1 : 0) : (c >= k + remainder ? -1 : 0));
            ends.push_back(end);
        }
        std::vector<uint32_t> rank(distances.size());
        std::iota(rank.begin(), rank.end(), 0U);
        std::stable_sort(rank.begin(), rank.end(),
                         [&](uint32_t a, uint32_t b) { return distances[a] < distances[b]; });
        std::vector<int32_t> klass(distances.size());
        classes.limits.push_back(0.0);
        for (int c = 0, r = 0; c < k; ++c) {
            for (; r < ends[static_cast<std::size_t>(c)]; ++r) {
                klass[rank[static_cast<std::size_t>(r)]] = c;
            }
            classes.limits.push_back(
                rounded(distances[rank[static_cast<std::size_t>(r - 1)]], settings.digits));
        }
        std::size_t next = 0;
        for_each_pair(members, [&](int i, int j) {
            pair_done({i, j, distances[next], klass[next]});
            ++next;
        });
        return classes;
    }
    if (!settings.limits.empty()) {
        for (const double limit : settings.limits) {
            classes.limits.push_back(rounded(limit, settings.digits));
        }
    } else {
        double largest = 0.0;
        for_each_pair(members, [&](int i, int j) {
            largest = std::max(largest, coordinates.distance(i, j));
        });
        for (int c = 0; c <= settings.classes; ++c) {
            classes.limits.push_back(rounded(largest / settings.classes * c, settings.digits));
        }
    }
    const std::vector<double>& limits = classes.limits;
    const int last = classes.count() - 1;
    int64_t outside = 0;
    for_each_pair(members, [&](int i, int j) {
        const double distance = rounded(coordinates.distance(i, j), settings.digits);
        // The last limit at or below the distance; the last class holds its upper limit.
        const auto above = std::upper_bound(limits.begin(), limits.end(), distance);
        const int klass = std::min(static_cast<int>(above - limits.begin()) - 1, last);
        if (above == limits.begin() || distance > limits.back()) {
            ++outside;
            return;
        }
        pair_done({i, j, distance, klass});
    });
    if (outside > 0) {
        throw clonal::SettingError(
            "{setting} leave " + std::to_string(outside) +
                " pairs outside the classes: start at 0 and end at or above the largest distance",
            "class-limits");
    }
    return classes;
}

}  // namespace kelvane
