#include "kelvane/distance/model_catalogue.hpp"

#include <gtest/gtest.h>

#include <string>

#include "common/core/fatal_error.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::markers;

// The error of a choice, in the library's words and in the command line's (settings as options).
struct Refusal {
    std::string setting;
    std::string library;
    std::string command_line;
};

Refusal refusal_of(const ModelChoice& choice, const MarkerData& data) {
    try {
        model_of(choice, data);
    } catch (const clonal::FatalError& error) {
        return {error.setting(), error.what(), error.sentence([](std::string_view setting) {
                    std::string option = "--" + std::string(setting);
                    for (char& c : option) {
                        c = c == '_' ? '-' : c;
                    }
                    return option;
                })};
    }
    return {"", "accepted", ""};
}

ModelChoice choice(const char* distance, const char* missing = "not-counted") {
    ModelChoice words;
    words.distance = distance;
    words.missing = missing;
    return words;
}

// Every model is found by its catalogue name, takes the rules and settings its row says, and a
// choice it cannot take is refused naming the setting, which each face names its own way.
TEST(ModelCatalogue, ModelsByNameAndTheirSettingsChecked) {
    const MarkerData diploid = markers(2, {{{100, 102}}, {{100, 104}}});
    MarkerData bands = markers(1, {{{1}, {8}}, {{8}, {1}}});
    bands.dice_offered = true;  // as the allele tally finds for one digit per band
    for (const ModelEntry& entry : distance_models()) {
        const MarkerData& data = entry.kind == DistanceKind::kDice ? bands : diploid;
        EXPECT_EQ(model_of(choice(entry.name.data()), data).kind, entry.kind) << entry.name;
    }
    const DistanceModel steps = model_of(choice("stepwise", "3"), diploid);
    EXPECT_EQ(steps.missing, MissingData::kSteps);
    EXPECT_EQ(steps.missing_steps, 3);
    ModelChoice two_phase = choice("two-phase", "infinite");
    two_phase.multiplier = "50";
    two_phase.base = "1.5";
    const DistanceModel read = model_of(two_phase, diploid);
    EXPECT_EQ(read.missing, MissingData::kInfinite);
    EXPECT_EQ(read.multiplier, 50.0f);
    EXPECT_EQ(read.base, 1.5f);

    const Refusal rule = refusal_of(choice("stepwise", "infinite"), diploid);
    EXPECT_EQ(rule.setting, "missing");
    EXPECT_EQ(rule.library, "missing infinite does not go with distance stepwise");
    EXPECT_EQ(rule.command_line, "--missing infinite does not go with --distance stepwise");
    ModelChoice unread = choice("stepwise");
    unread.absence_code = "9";
    EXPECT_EQ(refusal_of(unread, diploid).command_line,
              "--absence-code goes with --distance dice only");
    two_phase.base = "0.5";
    EXPECT_EQ(refusal_of(two_phase, diploid).library,
              "base takes a number of 1 or more, not '0.5'");
    EXPECT_EQ(refusal_of(choice("dice"), diploid).setting, "distance");
    EXPECT_EQ(refusal_of(choice("stepwise", "-1"), diploid).library,
              "missing takes not-counted, average, infinite, one-mutation or a number of 0 or "
              "more, not '-1'");
    EXPECT_EQ(refusal_of(choice("manhattan"), diploid).setting, "distance");

    DistanceModel dice;
    dice.kind = DistanceKind::kDice;
    dice.absence_code = -3;
    EXPECT_EQ(distance_unit(dice), "1 - Dice similarity, x 100000");
    EXPECT_EQ(distance_unit(model_of(choice("squared"), diploid)), "squared steps");
}

}  // namespace
}  // namespace kelvane
