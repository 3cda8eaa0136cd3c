// Relationships read on the kinship scale of the data set.
#include "kelvane/evidence/relationship_classes.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "common/core/median.hpp"

namespace kelvane {
namespace {

constexpr double kFirstDegree = 0.17677669529663687;    // 2^-2.5
constexpr double kSecondDegree = 0.088388347648318433;  // 2^-3.5

bool clone_mates(const KinshipCounts& pair, const RelationshipScale& scale) {
    const double mismatch = pair.mismatch();
    return scale.compared && !std::isnan(mismatch) && mismatch <= scale.clones.threshold;
}

}  // namespace

std::string_view relationship_name(Relationship relationship) {
    switch (relationship) {
        case Relationship::kClone:
            return "clone";
        case Relationship::kFirstDegree:
            return "first-degree";
        case Relationship::kSecondDegree:
            return "second-degree";
        case Relationship::kUnrelated:
            return "unrelated";
        case Relationship::kUnknown:
            break;
    }
    return "NA";
}

RelationshipScale relationship_scale(std::span<const KinshipCounts> counts,
                                     std::span<const std::pair<int, int>> replicates,
                                     int32_t snps) {
    RelationshipScale scale;
    std::vector<double> mismatches;
    std::vector<double> kinships;
    mismatches.reserve(counts.size());
    for (const KinshipCounts& pair : counts) {
        mismatches.push_back(pair.mismatch());
        if (const double kinship = pair.kinship(); !std::isnan(kinship)) {
            kinships.push_back(kinship);
        }
    }
    scale.compared = std::ranges::any_of(mismatches, [](double m) { return !std::isnan(m); });
    if (!scale.compared) {
        return scale;  // no pair shares a SNP: no clone mates, no kinship
    }
    scale.clones = automatic_threshold(std::move(mismatches), replicates,
                                       0.5 / static_cast<double>(std::max(snps, 1)));
    if (kinships.empty()) {
        return scale;
    }
    scale.unrelated_kinship = clonal::median_in_place(kinships);

    std::vector<double> clone_kinships;
    const auto add = [&](const KinshipCounts& pair) {
        if (const double kinship = pair.kinship(); !std::isnan(kinship)) {
            clone_kinships.push_back(kinship);
        }
    };
    if (!replicates.empty()) {
        for (const auto& [a, b] : replicates) {
            const auto high = static_cast<std::size_t>(std::max(a, b));
            const auto low = static_cast<std::size_t>(std::min(a, b));
            add(counts[high * (high - 1) / 2 + low]);
        }
    } else {
        for (const KinshipCounts& pair : counts) {
            if (clone_mates(pair, scale)) {
                add(pair);
            }
        }
    }
    if (!clone_kinships.empty()) {
        const auto pairs = static_cast<int64_t>(clone_kinships.size());
        const double mode = clonal::median_in_place(clone_kinships);
        if (mode > scale.unrelated_kinship) {
            scale.clone_kinship = mode;
            scale.clone_pairs = pairs;
        }
    }
    if (scale.clone_pairs == 0) {
        scale.unrelated_kinship = 0;
    }
    return scale;
}

double kinship_error(const KinshipCounts& pair) {
    const int32_t least = std::min(pair.het_first, pair.het_second);
    return std::sqrt(4.0 * pair.hethet + 16.0 * pair.ibs0) / (4.0 * least);
}

double scaled_kinship(double kinship, const RelationshipScale& scale) {
    return (kinship - scale.unrelated_kinship) / (scale.clone_kinship - scale.unrelated_kinship) /
           2.0;
}

Relationship relationship_of(const KinshipCounts& pair, const RelationshipScale& scale) {
    if (clone_mates(pair, scale)) {
        return Relationship::kClone;
    }
    const double kinship = pair.kinship();
    if (std::isnan(kinship)) {
        return Relationship::kUnknown;
    }
    const double scaled = scaled_kinship(kinship, scale);
    const double error =
        kinship_error(pair) / (scale.clone_kinship - scale.unrelated_kinship) / 2.0;
    if (scaled <= 3.0 * error) {
        return Relationship::kUnrelated;
    }
    if (scaled > kFirstDegree) {
        return Relationship::kFirstDegree;
    }
    return scaled > kSecondDegree ? Relationship::kSecondDegree : Relationship::kUnrelated;
}

std::string relationship_words(const RelationshipScale& scale) {
    if (!scale.compared) {
        return "no pair of samples shares a biallelic SNP, so none has a relationship";
    }
    std::string words = "clone mates at a mismatch share at or below " +
                        automatic_threshold_words(scale.clones) + "; ";
    if (scale.clone_pairs == 0) {
        words += "the kinship read as it is (no clone mates to set its scale)";
    } else {
        words += "the kinship read on the data's scale, the unrelated mode " +
                 threshold_digits(scale.unrelated_kinship) +
                 " (the median) as 0 and the clone-mate mode " +
                 threshold_digits(scale.clone_kinship) + " (the median of " +
                 std::to_string(scale.clone_pairs) + " pairs) as 1/2";
    }
    return words +
           ": first-degree above 0.177 on it, second-degree above 0.0884, and either only "
           "beyond three standard errors of the pair's own kinship";
}

}  // namespace kelvane
