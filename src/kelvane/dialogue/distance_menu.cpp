// The distance menu of kelvane and its stepwise and infinite allele sub-menus: how the distance
// matrix is filled.
#include "kelvane/dialogue/distance_menu.hpp"

#include "common/dialogue/separator.hpp"
#include "kelvane/dialogue/data_summary.hpp"
#include "kelvane/dialogue/matrix_import_dialogue.hpp"
#include "kelvane/distance/distance_models.hpp"

namespace kelvane::dialogue {
namespace {

void separator(KelvaneRun& run) {
    clonal::print_separator(run.console.out());
}

// Fills the matrix; a refused computation (a distance beyond the 32-bit range) leaves the menu
// open for another choice.
bool fill(KelvaneRun& run, const DistanceModel& model) {
    if (compute_distances(run.data, run.matrix, model) == DistanceResult::kDone) {
        return true;
    }
    run.console.print(
        "\nERROR: a distance exceeds 2147483647 and does not fit the matrix; choose another "
        "model or other settings\n");
    return false;
}

void print_stepwise_choices(clonal::Console& console) {
    console.print("\nChoose stepwise mutation method:\n\n");
    console.print("\t Number of mutation steps\n");
    console.print("\t\t1. Missing data not counted\n");
    console.print("\t\t2. Missing data equals specified number of mutations\n\n");
    console.print("\t Squared number of mutation steps (Amova-type)\n");
    console.print("\t\t3. Missing data not counted\n");
    console.print("\t\t4. Missing data equals specified number of mutations\n\n");
    console.print(
        "\t Number of mutation steps, scaled by ploidy (two-phase model, Bruvo et al.)\n");
    console.print("\t\t5. Missing data not counted\n");
    console.print("\t\t6. Missing data equals infinitely large mutation\n");
    console.print("\t\t7. Specify settings\n");
}

bool at_least_zero(int32_t value) {
    return value >= 0;
}

DistanceModel with_missing_steps(DistanceKind kind, int32_t steps) {
    DistanceModel model{kind};
    model.missing = MissingData::kSteps;
    model.missing_steps = steps;
    return model;
}

// Choice 2: a number of steps of 0 or more, or -1 for the locus averages.
DistanceModel stepwise_missing_or_average(clonal::Console& console) {
    const int32_t steps = console.ask_int_until(
        "\nMissing data equates to what number of mutationsteps?\n"
        "(when typing \"-1\", average allele length is used)\n",
        -2, [](int32_t answer) { return answer >= -1; });
    if (steps == -1) {
        return {DistanceKind::kStepwise, MissingData::kAverage};
    }
    return with_missing_steps(DistanceKind::kStepwise, steps);
}

// Choice 4: squared steps with a number of steps of 0 or more for a missing copy.
DistanceModel squared_missing_steps(clonal::Console& console) {
    const int32_t steps = console.ask_int_until(
        "\nMissing data equates to what number of mutationsteps?\n", -2, at_least_zero);
    return with_missing_steps(DistanceKind::kSquared, steps);
}

// Choice 7: the two-phase model with the user's missing steps, multiplier and base.
DistanceModel two_phase_with_settings(clonal::Console& console) {
    const int32_t missing = console.ask_int_until(
        "\nMissing data equals what number of mutationsteps?\n", -1, at_least_zero);
    float multiplier = -1.0f;
    while (multiplier < 1.0f) {
        console.print("\nMultiply with what number before rounding (e.g. 100 or 10.000)?\n");
        console.read_float(multiplier);
    }
    float base = -1.0f;
    while (base < 1.0f) {
        console.print("\nGive base for exponent in two-phase model (>=1, normal = 2)?\n");
        console.read_float(base);
    }
    DistanceModel model = with_missing_steps(DistanceKind::kTwoPhase, missing);
    model.multiplier = multiplier;
    model.base = base;
    return model;
}

// The two-phase choices 5 and 6 take the defaults of DistanceModel: base 2, multiplier 100.
DistanceModel stepwise_choice(clonal::Console& console, int32_t choice) {
    switch (choice) {
        case 1:
            return {DistanceKind::kStepwise};
        case 2:
            return stepwise_missing_or_average(console);
        case 3:
            return {DistanceKind::kSquared};
        case 4:
            return squared_missing_steps(console);
        case 5:
            return {DistanceKind::kTwoPhase};
        case 6:
            return {DistanceKind::kTwoPhase, MissingData::kInfinite};
        default:
            return two_phase_with_settings(console);
    }
}

bool stepwise_menu(KelvaneRun& run) {
    int32_t choice = kNoChoice;
    for (;;) {
        print_stepwise_choices(run.console);
        run.console.read_int(choice);
        if (choice >= 1 && choice <= 7) {
            return fill(run, stepwise_choice(run.console, choice));
        }
    }
}

bool infinite_allele_menu(KelvaneRun& run) {
    clonal::Console& console = run.console;
    int32_t choice = kNoChoice;
    while (choice > 3 || choice < 1) {
        console.print("\nInfinite allele model, missing data:\n");
        console.print("\t\t1.\t not counted\n");
        console.print("\t\t2.\t counts as one mutation\n");
        console.print("\t\t3.\t counts as specified number of mutations\n");
        console.read_int(choice);
        switch (choice) {
            case 1:
                return fill(run, {DistanceKind::kInfiniteAllele});
            case 2:
                return fill(run, {DistanceKind::kInfiniteAllele, MissingData::kOneMutation});
            case 3: {
                const int32_t mutations = console.ask_int_until(
                    "\nMissing data equals what number of mutations?\n", -1, at_least_zero);
                return fill(run, with_missing_steps(DistanceKind::kInfiniteAllele, mutations));
            }
            default:
                break;
        }
    }
    return true;
}

bool dice_choice(KelvaneRun& run) {
    clonal::Console& console = run.console;
    console.print("Note: Dice similarities are calculated using only presence/absence data,\n");
    console.print("      missing data (coded as 0) is discarded\n");
    int32_t absence_code = 0;
    do {
        console.print("\nGive the allele-code used for absence (I use 8): ");
    } while (!console.read_int(absence_code));
    DistanceModel model{DistanceKind::kDice};
    model.absence_code = absence_code;
    return fill(run, model);
}

}  // namespace

void distance_menu(KelvaneRun& run) {
    clonal::Console& console = run.console;
    separator(run);
    int32_t choice = kNoChoice;
    while (choice > 5 || choice < 1) {
        console.print("\nCalculate distance matrix:\n");
        console.print("\t1. Import matrix from file\n");
        console.print("\t2. Stepwise mutation model\n");
        console.print("\t3. Infinite allele model\n");
        if (run.data.dice_offered) {
            console.print("\t4. Dice similarity (transformed to distance)\n");
        }
        console.read_int(choice);
        separator(run);
        bool filled = true;
        switch (choice) {
            case 1:
                if (import_distance_matrix(console, run.matrix) == 1) {
                    console.print("\nMatrix read succesfully\n");
                } else {
                    console.print("\nError reading matrix\n");
                    filled = false;
                }
                break;
            case 2:
                filled = stepwise_menu(run);
                break;
            case 3:
                filled = infinite_allele_menu(run);
                break;
            case 4:
                filled = dice_choice(run);
                break;
            case 5:
                list_data(console, run.data);
                choice = kNoChoice;
                break;
            default:
                break;
        }
        if (!filled) {
            separator(run);
            choice = kNoChoice;
        }
    }
}

}  // namespace kelvane::dialogue
