// The distance models by name, and the check of a model named in words.
#include "kelvane/distance/model_catalogue.hpp"

#include <algorithm>
#include <array>
#include <optional>

#include "common/core/bug_check.hpp"
#include "common/core/fatal_error.hpp"
#include "common/core/setting_ranges.hpp"
#include "common/text/number_text.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/distance/matching/partial_fillings.hpp"
#include "kelvane/distance/partial_two_phase_distance.hpp"
#include "kelvane/distance/two_phase_distance.hpp"

namespace kelvane {
namespace {

const std::array<ModelEntry, 6> kModels{{
    {DistanceKind::kStepwise,
     "stepwise",
     "the steps between allele sizes (stepwise mutation)",
     "steps",
     {"repeat_lengths"}},
    {DistanceKind::kSquared,
     "squared",
     "the squared steps between allele sizes",
     "squared steps",
     {"repeat_lengths"}},
    {DistanceKind::kTwoPhase,
     "two-phase",
     "the cost of the steps under the two-phase mutation model",
     "two-phase cost",
     {"multiplier", "base", "repeat_lengths", "partial_genotypes"}},
    {DistanceKind::kInfiniteAllele,
     "infinite-allele",
     "the alleles that differ (infinite allele mutation)",
     "mutations",
     {}},
    {DistanceKind::kDice,
     "dice",
     "1 - the Dice similarity of presence/absence data",
     "1 - Dice similarity",
     {"absence_code"}},
    {DistanceKind::kMismatch,
     "mismatch",
     "the share of allele copies that differ among the loci called in both (biallelic diploid "
     "SNPs: 1 - IBS)",
     "share of copies",
     {"multiplier", "min_shared_loci"}},
}};

constexpr std::array<MissingRule, 4> kMissingRules{{
    {MissingData::kNotCounted, "not-counted"},
    {MissingData::kAverage, "average"},
    {MissingData::kInfinite, "infinite"},
    {MissingData::kOneMutation, "one-mutation"},
}};

// "two-phase" or "stepwise or squared": the models that read the setting.
std::string models_reading(std::string_view setting) {
    std::string names;
    for (const ModelEntry& model : kModels) {
        if (std::find(model.settings.begin(), model.settings.end(), setting) !=
            model.settings.end()) {
            names += names.empty() ? "" : " or ";
            names += model.name;
        }
    }
    return names;
}

bool reads(const ModelEntry& model, std::string_view setting) {
    return std::find(model.settings.begin(), model.settings.end(), setting) != model.settings.end();
}

// A setting given to a model that does not read it.
void refuse_unread(const ModelEntry& model, const std::string& value, std::string_view setting) {
    if (!value.empty() && !reads(model, setting)) {
        throw clonal::SettingError(
            "{setting} goes with {distance} " + models_reading(setting) + " only",
            std::string(setting));
    }
}

float at_least_one(const std::string& text, const char* setting) {
    // Read as the dialogue reads it, once the whole text is known to be one number.
    const auto value = clonal::whole_double(text) ? clonal::leading_float(text) : std::nullopt;
    if (!value || !(*value >= 1.0f)) {
        throw clonal::SettingError("{setting} takes a number of 1 or more, not '" + text + "'",
                                   setting);
    }
    return *value;
}

constexpr std::array<std::pair<PartialGenotypes, std::string_view>, 4> kPartialTreatments{{
    {PartialGenotypes::kInfinite, "infinite"},
    {PartialGenotypes::kAddition, "addition"},
    {PartialGenotypes::kLoss, "loss"},
    {PartialGenotypes::kCombination, "combination"},
}};

PartialGenotypes partial_treatment(const ModelChoice& choice, const MarkerData& data) {
    const auto* named =
        std::find_if(kPartialTreatments.begin(), kPartialTreatments.end(),
                     [&](const auto& t) { return t.second == choice.partial_genotypes; });
    if (named == kPartialTreatments.end()) {
        throw clonal::SettingError(
            "{setting} takes infinite, addition, loss or combination, not '" +
                choice.partial_genotypes + "'",
            "partial_genotypes");
    }
    if (choice.missing != ModelChoice{}.missing) {
        throw clonal::SettingError(
            "{setting} treats the missing copies of partial genotypes itself: it takes no "
            "{missing}",
            "partial_genotypes");
    }
    const int32_t most =
        named->first == PartialGenotypes::kInfinite ? 0 : most_copies_observed(data);
    const bool from_fuller =
        named->first == PartialGenotypes::kLoss || named->first == PartialGenotypes::kCombination;
    const int limit = from_fuller ? kLossCopyLimit : kFillingCopyLimit;
    if (most > limit) {
        throw clonal::FatalError(
            "partial genotypes are filled " +
                std::string(from_fuller ? "by genome loss from copies of at most "
                                        : "from copies of at most ") +
                std::to_string(limit) + " observed at a locus, and a locus genotype here holds " +
                std::to_string(most) +
                (from_fuller ? " (the choices of its missing copies grow too fast to count)" : "") +
                "; choose " + (from_fuller && most <= kFillingCopyLimit ? "addition or " : "") +
                "the infinite treatment",
            clonal::ErrorKind::kData)
            .in_file(data.file);
    }
    return named->first;
}

RepeatRounding repeat_rounding(const ModelChoice& choice) {
    if (choice.repeat_rounding.empty()) {
        return RepeatRounding::kRelative;
    }
    if (choice.repeat_lengths.empty()) {
        throw clonal::SettingError("{setting} goes with {repeat_lengths}", "repeat_rounding");
    }
    if (choice.repeat_rounding == "relative" || choice.repeat_rounding == "absolute") {
        return choice.repeat_rounding == "relative" ? RepeatRounding::kRelative
                                                    : RepeatRounding::kAbsolute;
    }
    throw clonal::SettingError(
        "{setting} takes relative or absolute, not '" + choice.repeat_rounding + "'",
        "repeat_rounding");
}

}  // namespace

std::span<const ModelEntry> distance_models() {
    return kModels;
}

const ModelEntry& model_entry(DistanceKind kind) {
    const auto* entry =
        std::find_if(kModels.begin(), kModels.end(),
                     [kind](const ModelEntry& model) { return model.kind == kind; });
    CLONAL_BUG_CHECK(entry != kModels.end());
    return *entry;
}

bool scaled_in_matrix(DistanceKind kind) {
    return reads(model_entry(kind), "multiplier");
}

std::span<const MissingRule> missing_rules() {
    return kMissingRules;
}

DistanceModel model_of(const ModelChoice& choice, const MarkerData& data) {
    const auto* entry = std::find_if(kModels.begin(), kModels.end(), [&](const ModelEntry& model) {
        return model.name == choice.distance;
    });
    if (entry == kModels.end()) {
        std::string names;
        for (const ModelEntry& model : kModels) {
            names += names.empty() ? "" : ", ";
            names += model.name;
        }
        throw clonal::SettingError("{setting} takes " + names + ", not '" + choice.distance + "'",
                                   "distance");
    }
    DistanceModel model;
    model.kind = entry->kind;
    const auto* rule = std::find_if(kMissingRules.begin(), kMissingRules.end(),
                                    [&](const MissingRule& r) { return r.name == choice.missing; });
    if (rule != kMissingRules.end()) {
        model.missing = rule->rule;
    } else if (const auto steps = clonal::whole_int(choice.missing); steps && *steps >= 0) {
        model.missing = MissingData::kSteps;
        model.missing_steps = *steps;
    } else {
        std::string names;
        for (const MissingRule& named : kMissingRules) {
            names += named.name;
            names += ", ";
        }
        names.resize(names.size() - 2);
        throw clonal::SettingError(
            "{setting} takes " + names + " or a number of 0 or more, not '" + choice.missing + "'",
            "missing");
    }
    if (!model_accepts(model.kind, model.missing)) {
        throw clonal::SettingError(
            "{setting} " + choice.missing + " does not go with {distance} " + choice.distance,
            "missing");
    }
    if (model.kind == DistanceKind::kTwoPhase && data.slots() > kTwoPhaseSlotLimit) {
        throw clonal::FatalError(
            "two-phase distances match every copy of a locus genotype with every copy of the "
            "other, and a locus genotype here holds " +
                std::to_string(data.slots()) + " copy slots; at most " +
                std::to_string(kTwoPhaseSlotLimit) +
                " are matched. Give the real ploidy in the header, or choose another model",
            clonal::ErrorKind::kData)
            .in_file(data.file);
    }
    refuse_unread(*entry, choice.multiplier, "multiplier");
    if (!choice.multiplier.empty()) {
        model.multiplier = at_least_one(choice.multiplier, "multiplier");
    }
    refuse_unread(*entry, choice.base, "base");
    if (!choice.base.empty()) {
        model.base = at_least_one(choice.base, "base");
    }
    if (model.kind == DistanceKind::kDice && !data.dice_offered) {
        throw clonal::SettingError(
            "{setting} dice needs presence/absence data: one copy and one digit per allele, and "
            "at most two alleles at some locus",
            "distance");
    }
    const RepeatRounding rounding = repeat_rounding(choice);
    refuse_unread(*entry, choice.repeat_lengths, "repeat_lengths");
    if (!choice.repeat_lengths.empty()) {
        model.repeat_units = repeat_units_of(choice.repeat_lengths, rounding, data);
    }
    refuse_unread(*entry, choice.partial_genotypes, "partial_genotypes");
    if (!choice.partial_genotypes.empty()) {
        model.partial = partial_treatment(choice, data);
    }
    refuse_unread(*entry, choice.min_shared_loci, "min_shared_loci");
    if (!choice.min_shared_loci.empty()) {
        const auto least = clonal::whole_int(choice.min_shared_loci);
        clonal::check_setting("min_shared_loci", least ? *least : -1.0);
        model.min_shared_loci = *least;
    }
    refuse_unread(*entry, choice.absence_code, "absence_code");
    if (!choice.absence_code.empty()) {
        const auto code = clonal::whole_int(choice.absence_code);
        if (!code) {
            throw clonal::SettingError(
                "{setting} takes an integer, not '" + choice.absence_code + "'", "absence_code");
        }
        model.absence_code = *code;
    }
    return model;
}

std::string distance_unit(const DistanceModel& model) {
    std::string unit(model_entry(model.kind).unit);
    if (model.kind == DistanceKind::kDice) {
        unit += model.absence_code < 0 ? ", x 100000" : ", x 100";
    }
    if (model.kind == DistanceKind::kMismatch) {
        unit += ", x " + clonal::shortest_real(model.multiplier);
    }
    return unit;
}

}  // namespace kelvane
