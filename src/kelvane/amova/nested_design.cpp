// Building a nested design from labels: a stable sort of the units by the first appearance of
// their labels, level by level.
#include "kelvane/amova/nested_design.hpp"

#include <algorithm>
#include <map>
#include <numeric>
#include <utility>

namespace kelvane {

NestedDesign nested_design(std::span<const std::vector<int32_t>> labels) {
    NestedDesign design;
    const std::size_t units = labels.empty() ? 0 : labels[0].size();
    // Each unit's group at the level above, 0 at the top; groups numbered by first appearance.
    std::vector<int32_t> upper(units, 0);
    std::vector<std::vector<int32_t>> group_of(labels.size(), std::vector<int32_t>(units));
    std::vector<std::vector<int32_t>> parents(labels.size());
    for (std::size_t l = 0; l < labels.size(); ++l) {
        std::map<std::pair<int32_t, int32_t>, int32_t> numbers;
        for (std::size_t u = 0; u < units; ++u) {
            const auto [place, added] = numbers.emplace(std::pair{upper[u], labels[l][u]},
                                                        static_cast<int32_t>(numbers.size()));
            if (added) {
                parents[l].push_back(upper[u]);
            }
            group_of[l][u] = place->second;
        }
        upper = group_of[l];
    }
    // A group fixes the groups above it, so units sorted by their groups from the top down hold
    // every group of every level in one run; then groups are renumbered in the order of places.
    design.units.resize(units);
    std::iota(design.units.begin(), design.units.end(), 0);
    std::stable_sort(design.units.begin(), design.units.end(), [&](int a, int b) {
        for (std::size_t l = 0; l < labels.size(); ++l) {
            const int32_t ga = group_of[l][static_cast<std::size_t>(a)];
            const int32_t gb = group_of[l][static_cast<std::size_t>(b)];
            if (ga != gb) {
                return ga < gb;
            }
        }
        return false;
    });
    for (std::size_t l = 0; l < labels.size(); ++l) {
        NestedLevel level;
        std::vector<int32_t> renumbered(parents[l].size(), -1);
        for (std::size_t place = 0; place < units; ++place) {
            const int32_t group = group_of[l][static_cast<std::size_t>(design.units[place])];
            if (renumbered[static_cast<std::size_t>(group)] < 0) {
                renumbered[static_cast<std::size_t>(group)] =
                    static_cast<int32_t>(level.sizes.size());
                level.sizes.push_back(0);
                level.first.push_back(static_cast<int32_t>(place));
                level.parent.push_back(l == 0 ? 0 : design.levels[l - 1].group_of[place]);
            }
            const int32_t number = renumbered[static_cast<std::size_t>(group)];
            level.group_of.push_back(number);
            ++level.sizes[static_cast<std::size_t>(number)];
        }
        design.levels.push_back(std::move(level));
    }
    return design;
}

NestedShape nested_shape(const NestedDesign& design) {
    NestedShape shape;
    shape.units = design.unit_count();
    for (const NestedLevel& level : design.levels) {
        shape.sizes.push_back(level.sizes);
        shape.parents.push_back(level.parent);
    }
    return shape;
}

}  // namespace kelvane
