// The distance menu of kelvane and its stepwise and infinite allele sub-menus: how the distance
// matrix is filled.
#include <cstdlib>
#include <string>

#include "allele_tally.hpp"
#include "array_utils.hpp"
#include "distance_models.hpp"
#include "kelvane_run.hpp"
#include "matrix_import.hpp"

namespace kelvane {
namespace {

// Menus start from this answer, which is no choice, so a first answer without a number shows
// the menu again.
constexpr int32_t kNoChoice = 100;

void separator(KelvaneRun& run) {
    clonal::print_separator(run.console.out());
}

// A refused computation (a distance beyond the 32-bit range) leaves the menu open for another
// choice.
bool report(KelvaneRun& run, DistanceResult result) {
    if (result == DistanceResult::kDone) {
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

// Choice 2: a number of steps of 0 or more, or -1 for the locus averages.
DistanceResult stepwise_missing_or_average(KelvaneRun& run) {
    int32_t steps = -2;
    while (steps < -1) {
        run.console.print("\nMissing data equates to what number of mutationsteps?\n");
        run.console.print("(when typing \"-1\", average allele length is used)\n");
        run.console.read_int(steps);
    }
    if (steps == -1) {
        return stepwise_average_fill(run.data, run.matrix);
    }
    return stepwise_missing_steps(run.data, run.matrix, steps, false);
}

// Choice 4: squared steps with a number of steps of 0 or more for a missing copy.
DistanceResult squared_missing_steps(KelvaneRun& run) {
    int32_t steps = -2;
    while (steps < 0) {
        run.console.print("\nMissing data equates to what number of mutationsteps?\n");
        run.console.read_int(steps);
    }
    return stepwise_missing_steps(run.data, run.matrix, steps, true);
}

// Choice 7: the two-phase model with the user's missing steps, multiplier and base.
DistanceResult two_phase_with_settings(KelvaneRun& run) {
    clonal::Console& console = run.console;
    int32_t missing = -1;
    while (missing < 0) {
        console.print("\nMissing data equals what number of mutationsteps?\n");
        console.read_int(missing);
    }
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
    return two_phase_distance(run.data, run.matrix, missing, base, multiplier);
}

DistanceResult run_stepwise_choice(KelvaneRun& run, int32_t choice) {
    switch (choice) {
        case 1:
            return stepwise_not_counted(run.data, run.matrix, false);
        case 2:
            return stepwise_missing_or_average(run);
        case 3:
            return stepwise_not_counted(run.data, run.matrix, true);
        case 4:
            return squared_missing_steps(run);
        case 5:
            return two_phase_distance(run.data, run.matrix, 0, 2.0f, 100.0f);
        case 6:
            return two_phase_distance(run.data, run.matrix, 10001, 2.0f, 100.0f);
        default:
            return two_phase_with_settings(run);
    }
}

bool stepwise_menu(KelvaneRun& run) {
    int32_t choice = kNoChoice;
    for (;;) {
        print_stepwise_choices(run.console);
        run.console.read_int(choice);
        if (choice >= 1 && choice <= 7) {
            return report(run, run_stepwise_choice(run, choice));
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
                return report(run, infinite_allele_steps(run.data, run.matrix, 0));
            case 2:
                return report(run, infinite_allele_one(run.data, run.matrix));
            case 3: {
                int32_t mutations = -1;
                while (mutations < 0) {
                    console.print("\nMissing data equals what number of mutations?\n");
                    console.read_int(mutations);
                }
                return report(run, infinite_allele_steps(run.data, run.matrix, mutations));
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
    return report(run, dice_distance(run.data, run.matrix, absence_code));
}

// The hidden choice 5: every individual's copies, locus by locus, and the alleles of every locus.
void list_data(KelvaneRun& run) {
    clonal::Console& console = run.console;
    const MarkerData& data = run.data;
    console.print("\n");
    std::string line;
    for (int i = 0; i < data.n_individuals; ++i) {
        line.clear();
        for (int k = 0; k < data.n_loci; ++k) {
            for (const int32_t copy : data.genotype(i, k)) {
                line += std::to_string(copy);
            }
            // The slots up to P that are not stored are missing copies.
            line.append(static_cast<std::size_t>(data.max_ploidy - data.slots()), '0');
            line += '\t';
        }
        line += '\n';
        console.out() << line;
    }
    console.print("\nTotal number of alleles:\t%d\n", std::abs(data.total_alleles));
    list_alleles(data, console.out());
}

bool dice_offered(const MarkerData& data) {
    return data.max_ploidy == 1 && data.total_alleles < 0;
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
        if (dice_offered(run.data)) {
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
                list_data(run);
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

}  // namespace kelvane
