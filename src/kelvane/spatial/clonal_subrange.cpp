// The clonal subrange and the probability of clonal identity per distance class.
#include "kelvane/spatial/clonal_subrange.hpp"

#include <algorithm>
#include <map>

namespace kelvane {

SubrangeResult clonal_subrange(const Coordinates& coordinates, const std::vector<int32_t>& genets,
                               const std::vector<int>& members, const ClassSettings& settings) {
    SubrangeResult result;
    std::map<int32_t, GenetSpread> spreads;
    for (const int i : members) {
        GenetSpread& spread = spreads[genets[static_cast<std::size_t>(i)]];
        spread.genet = genets[static_cast<std::size_t>(i)];
        ++spread.ramets;
    }
    std::vector<SubrangeClass> classes;
    const DistanceClasses limits =
        classify_pairs(coordinates, members, settings, [&](const ClassedPair& pair) {
            if (static_cast<std::size_t>(pair.klass) >= classes.size()) {
                classes.resize(static_cast<std::size_t>(pair.klass) + 1);
            }
            SubrangeClass& klass = classes[static_cast<std::size_t>(pair.klass)];
            ++klass.pairs;
            klass.distance_sum += pair.distance;
            const int32_t genet = genets[static_cast<std::size_t>(pair.i)];
            if (genet == genets[static_cast<std::size_t>(pair.j)]) {
                ++klass.same_genet;
                GenetSpread& spread = spreads[genet];
                const double distance = round7(pair.distance);
                if (spread.first < 0 || distance > spread.subrange) {
                    spread.subrange = distance;
                    spread.first = pair.j;
                    spread.second = pair.i;
                }
            }
        });
    classes.resize(static_cast<std::size_t>(limits.count()));
    for (int c = 0; c < limits.count(); ++c) {
        classes[static_cast<std::size_t>(c)].from = limits.limits[static_cast<std::size_t>(c)];
        classes[static_cast<std::size_t>(c)].to = limits.limits[static_cast<std::size_t>(c) + 1];
    }
    result.classes = std::move(classes);
    for (const auto& [genet, spread] : spreads) {
        result.genets.push_back(spread);
        if (spread.ramets > 1) {
            result.subrange = std::max(result.subrange.value_or(0.0), spread.subrange);
        }
    }
    return result;
}

}  // namespace kelvane
