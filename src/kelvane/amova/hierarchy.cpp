// Resolving the levels of an AMOVA's design against the strata and the data.
#include "kelvane/amova/hierarchy.hpp"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

#include "common/core/fatal_error.hpp"
#include "common/text/printf.hpp"

namespace kelvane {
namespace {

clonal::FatalError hierarchy_error(const std::string& sentence) {
    return clonal::FatalError("{setting}: " + sentence, clonal::ErrorKind::kSetting, "hierarchy");
}

// The values of a level for every individual: a strata column or the data's populations (empty
// for an individual outside them).
std::vector<std::string> level_values(const MarkerData& data, const Strata* strata,
                                      const std::string& level, bool& populations) {
    if (strata != nullptr) {
        for (std::size_t c = 0; c < strata->levels.size(); ++c) {
            if (strata->levels[c] == level) {
                populations = false;
                return strata->values[c];
            }
        }
    }
    if (level != kPopulationLevel) {
        std::string known;
        if (strata != nullptr) {
            for (const std::string& name : strata->levels) {
                known += "'" + name + "', ";
            }
        }
        throw hierarchy_error(
            clonal::format("no level '%s'; the levels are %s'%s' (the data's "
                           "populations)",
                           level.c_str(), known.c_str(), kPopulationLevel));
    }
    populations = true;
    std::vector<std::string> values(static_cast<std::size_t>(data.n_individuals));
    for (int i = 0; i < data.n_individuals; ++i) {
        const int32_t p = data.pop_vector[static_cast<std::size_t>(i)];
        if (p >= 1 && p <= data.n_populations) {
            values[static_cast<std::size_t>(i)] = data.population_name(p);
        }
    }
    return values;
}

}  // namespace

Hierarchy resolve_hierarchy(const MarkerData& data, const HierarchyRequest& request) {
    Hierarchy hierarchy;
    hierarchy.levels = request.levels;
    if (hierarchy.levels.empty()) {
        hierarchy.levels.emplace_back(kPopulationLevel);
    }
    std::vector<std::vector<std::string>> values;
    std::vector<bool> from_populations;
    for (std::size_t l = 0; l < hierarchy.levels.size(); ++l) {
        for (std::size_t k = 0; k < l; ++k) {
            if (hierarchy.levels[k] == hierarchy.levels[l]) {
                throw hierarchy_error(
                    clonal::format("the level '%s' is named twice", hierarchy.levels[l].c_str()));
            }
        }
        bool populations = false;
        values.push_back(level_values(data, request.strata, hierarchy.levels[l], populations));
        from_populations.push_back(populations);
    }
    const auto uses_populations =
        std::find(from_populations.begin(), from_populations.end(), true) != from_populations.end();
    for (int i = 0; i < data.n_individuals; ++i) {
        const int32_t p = data.pop_vector[static_cast<std::size_t>(i)];
        if (!uses_populations || (p >= 1 && p <= data.n_populations)) {
            hierarchy.members.push_back(i);
        }
    }
    // Groups as paths from the top: (group above, label).
    std::vector<int32_t> above(hierarchy.members.size(), 0);
    int32_t groups_above = 1;
    for (std::size_t l = 0; l < values.size(); ++l) {
        std::unordered_map<std::string, int32_t> label_of;
        std::vector<std::string> names;
        std::vector<int32_t> labels;
        std::map<std::pair<int32_t, int32_t>, int32_t> groups;
        // For the data's populations: the group above of each population.
        std::map<int32_t, int32_t> population_above;
        for (std::size_t m = 0; m < hierarchy.members.size(); ++m) {
            const std::string& value = values[l][static_cast<std::size_t>(hierarchy.members[m])];
            const auto [found, added] =
                label_of.emplace(value, static_cast<int32_t>(label_of.size()));
            if (added) {
                names.push_back(value);
            }
            const int32_t label = found->second;
            labels.push_back(label);
            if (from_populations[l] && !request.populations_within && l > 0) {
                const auto [place, first] = population_above.emplace(label, above[m]);
                if (!first && place->second != above[m]) {
                    throw hierarchy_error(
                        clonal::format("the population '%s' lies in two groups of the level '%s'",
                                       value.c_str(), hierarchy.levels[l - 1].c_str()));
                }
            }
            above[m] =
                groups.emplace(std::pair{above[m], label}, static_cast<int32_t>(groups.size()))
                    .first->second;
        }
        const auto count = static_cast<int32_t>(groups.size());
        if (l == 0 && count < 2) {
            throw hierarchy_error(
                clonal::format("the level '%s' has one group; the top level needs two or more",
                               hierarchy.levels[l].c_str()));
        }
        if (l > 0 && count == groups_above) {
            throw hierarchy_error(
                clonal::format("the level '%s' splits no group of the level '%s': each holds one",
                               hierarchy.levels[l].c_str(), hierarchy.levels[l - 1].c_str()));
        }
        groups_above = count;
        hierarchy.labels.push_back(std::move(labels));
        hierarchy.names.push_back(std::move(names));
        hierarchy.populations.push_back(from_populations[l]);
    }
    return hierarchy;
}

std::vector<std::string> lowest_group_names(const Hierarchy& hierarchy,
                                            const NestedDesign& design) {
    const NestedLevel& lowest = design.levels.back();
    const std::vector<int32_t>& labels = hierarchy.labels.back();
    std::map<int32_t, int> uses;
    for (std::size_t g = 0; g < lowest.sizes.size(); ++g) {
        const auto member =
            static_cast<std::size_t>(design.units[static_cast<std::size_t>(lowest.first[g])]);
        ++uses[labels[member]];
    }
    std::vector<std::string> names;
    for (std::size_t g = 0; g < lowest.sizes.size(); ++g) {
        const auto member =
            static_cast<std::size_t>(design.units[static_cast<std::size_t>(lowest.first[g])]);
        if (uses[labels[member]] == 1) {
            names.push_back(hierarchy.names.back()[static_cast<std::size_t>(labels[member])]);
            continue;
        }
        std::string name;
        for (std::size_t l = 0; l < hierarchy.labels.size(); ++l) {
            name += (l == 0 ? "" : "_") +
                    hierarchy.names[l][static_cast<std::size_t>(hierarchy.labels[l][member])];
        }
        names.push_back(name);
    }
    return names;
}

}  // namespace kelvane
