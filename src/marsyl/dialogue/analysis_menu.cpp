// The analysis menu of marsyl: the first character of the answer line picks the choice, and
// anything that is no other choice computes the diversity indices.
#include "marsyl/dialogue/analysis_menu.hpp"

#include <string>

#include "common/dialogue/separator.hpp"
#include "marsyl/dialogue/bootstrap_choice.hpp"
#include "marsyl/dialogue/differentiation_choice.hpp"
#include "marsyl/dialogue/diversity_choice.hpp"
#include "marsyl/dialogue/jackknife_choice.hpp"
#include "marsyl/dialogue/open_files.hpp"
#include "marsyl/dialogue/other_choices.hpp"

namespace marsyl::dialogue {
namespace {

const std::string kRule(clonal::kRule);

void print_menu(clonal::Console& console) {
    console.print("\n\n%s", kRule.c_str());
    console.print("\n\nTYPE OF ANALYSIS:\n\n");
    console.print("Statistics\n");
    console.print("\t1:\tCalculate indices of clonal diversity (default)\n");
    console.print("\t2:\tBootstrap test for differences in clonal diversity\n");
    console.print("\t3:\tPairwise test for population differentiation\n");
    console.print("\t4:\tJackknifing with increasing sample sizes\n");
    console.print("\nOther\n");
    console.print("\t6:\tWrite input-file in Fstat-format\n");
    console.print("\t7:\tOpen new input and output files\n");
    console.print("\t8:\tSet seed for random number generator\n");
    console.print("\t9:\tExit program\n\n");
}

// The tests between populations need two of them at least.
void run_between_populations(MarsylRun& run, void (*analysis)(MarsylRun&), const char* refusal) {
    if (run.data.populations >= 2) {
        analysis(run);
        return;
    }
    run.console.print("%s", refusal);
    run.wait_for_enter("Press Enter to continue:");
}

}  // namespace

void analysis_menu(MarsylRun& run) {
    for (;;) {
        print_menu(run.console);
        const char choice = run.console.read_first_char();
        run.console.print("\n\n%s\n", kRule.c_str());
        switch (choice) {
            case '2':
                run_between_populations(run, bootstrap_test,
                                        "Can not perform bootstrap test with one population.\n");
                break;
            case '3':
                run_between_populations(
                    run, differentiation_test,
                    "Can not perform test for differentiation with one population.\n");
                break;
            case '4':
                jackknife(run);
                break;
            case '6':
                write_fstat_file(run);
                break;
            case '7':
                open_files(run);
                continue;
            case '8':
                set_seeds(run);
                break;
            case '9':
                run.reseed_unless_user_seeds();
                return;
            default:
                clonal_diversity_table(run);
                break;
        }
        run.reseed_unless_user_seeds();
    }
}

}  // namespace marsyl::dialogue
