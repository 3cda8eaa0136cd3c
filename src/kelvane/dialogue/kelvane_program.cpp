// The whole run of kelvane: banner, input file, data, the three menus, end.
#include "kelvane/dialogue/kelvane_program.hpp"

#include "common/dialogue/input_file_prompt.hpp"
#include "common/dialogue/program_entry.hpp"
#include "common/dialogue/separator.hpp"
#include "common/text/printf.hpp"
#include "kelvane/dialogue/analysis_menu.hpp"
#include "kelvane/dialogue/data_summary.hpp"
#include "kelvane/dialogue/distance_menu.hpp"
#include "kelvane/dialogue/kelvane_run.hpp"
#include "kelvane/dialogue/save_menu.hpp"

namespace kelvane::dialogue {
namespace {

int kelvane_dialogue(clonal::Console& console) {
    clonal::print_banner(
        console.out(),
        clonal::format("Kelvane version %.1f  (clonal genotypes from marker data)", kVersion),
        "kelvane");
    clonal::InputFile input = clonal::open_input_file(console, clonal::AfterOffer::kLineEnd);
    const MarkerData data = load_and_summarise(console, input.name, std::move(input.content));
    input.content.clear();
    DistanceMatrix matrix(data.n_individuals);
    KelvaneRun run{console, data, matrix, clonal::Random{}, input.name};
    distance_menu(run);
    analysis_menu(run);
    save_menu(run);
    clonal::print_separator(console.out());
    console.print("\n\nThat's all folks!!\n\n");
    console.out().flush();
    return 0;
}

}  // namespace

int run_kelvane(std::istream& in, std::ostream& out, std::ostream& err) {
    clonal::Console console(in, out);
    return clonal::run_reporting_fatal_errors([&console] { return kelvane_dialogue(console); }, out,
                                              err);
}

}  // namespace kelvane::dialogue
