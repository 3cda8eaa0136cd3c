// The levels of an AMOVA's design, from the top: named columns of the strata, or the data's own
// populations (the level "population" unless the strata name a column so). A group of a level is
// named within its group of the level above, except the data's populations, which are groups of
// their own and must each lie within one group of the level above (a GenAlEx sheet's populations
// are named within its regions, as the sheet reads them).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "kelvane/amova/nested_design.hpp"
#include "kelvane/data/formats/strata_file.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// The name of the data's own populations as a level.
inline constexpr const char* kPopulationLevel = "population";

struct Hierarchy {
    std::vector<std::string> levels;  // from the top
    std::vector<int> members;         // the individuals taking part, in input order
    // [level][member]: the label of the member's group, numbered per level as first seen; equal
    // labels under different groups of the level above are different groups (nested_design).
    std::vector<std::vector<int32_t>> labels;
    // [level][label]: the name the label stands for.
    std::vector<std::vector<std::string>> names;
    std::vector<bool> populations;  // [level]: the level is the data's populations
};

struct HierarchyRequest {
    std::vector<std::string> levels;  // from the top; empty: the populations alone
    const Strata* strata = nullptr;   // may be null
    bool populations_within = false;  // the data's populations are named within the level above
};

// The hierarchy of the request. The data's populations take part only as a level, and then
// individuals outside the populations 1 to P do not. Errors (FatalError of kind kSetting naming
// --hierarchy): a level the strata do not have; a level named twice; the top level with one
// group; a lower level that splits no group of the level above; a population of the data under
// two groups of the level above.
Hierarchy resolve_hierarchy(const MarkerData& data, const HierarchyRequest& request);

// The name of every group of the lowest level of a design whose units are the hierarchy's members
// (by their place among them): its own name when no other group of the level has it, else the
// names from the top joined by "_".
std::vector<std::string> lowest_group_names(const Hierarchy& hierarchy, const NestedDesign& design);

}  // namespace kelvane
