// The groups of a nested design: units (individuals, or the allele copies of individuals) in the
// groups of level 1, the top, these split into the groups of level 2, and so on down to level K.
// Units are held in the order of their groups, so that every group of every level is one run of
// places; a unit's place is its index in that order.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kelvane {

struct NestedLevel {
    std::vector<int32_t> group_of;  // the group of the unit at each place
    std::vector<int32_t> sizes;     // the units of each group
    std::vector<int32_t> parent;    // the group of the level above that holds it (0 at the top)
    std::vector<int32_t> first;     // the place of its first unit
};

struct NestedDesign {
    std::vector<int> units;           // the unit at each place
    std::vector<NestedLevel> levels;  // levels[0] is level 1, the top

    int unit_count() const { return static_cast<int>(units.size()); }
    int depth() const { return static_cast<int>(levels.size()); }
};

// labels[l][u]: the label of unit u at level l + 1. A group of a level is the units whose labels
// agree at that level and at every level above it, so that a label repeated under two upper
// groups names two groups. Groups are numbered, and units placed, in the order in which the
// labels first appear level by level; units of one group keep their order.
NestedDesign nested_design(std::span<const std::vector<int32_t>> labels);

// The sizes and parents of the groups of every level, the part of a design the variance
// components depend on; level 0 is the whole sample.
struct NestedShape {
    int64_t units = 0;
    std::vector<std::vector<int32_t>> sizes;    // [l] for level l + 1
    std::vector<std::vector<int32_t>> parents;  // [l] for level l + 1
};

NestedShape nested_shape(const NestedDesign& design);

}  // namespace kelvane
