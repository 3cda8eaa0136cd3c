// The whole run of marsyl: banner, files, the analysis menu until the user leaves, end.
#include "marsyl/dialogue/marsyl_program.hpp"

#include <string>

#include "common/dialogue/separator.hpp"
#include "common/text/printf.hpp"
#include "marsyl/dialogue/analysis_menu.hpp"
#include "marsyl/dialogue/open_files.hpp"

namespace marsyl::dialogue {
namespace {

int marsyl_dialogue(clonal::Console& console, const LocalClock& clock) {
    MarsylRun run(console, clock);
    clonal::print_banner(console.out(), clonal::format("Marsyl version %.1f%s", kVersion, kCredit),
                         "marsyl");
    open_files(run);
    analysis_menu(run);
    console.print("You can now close the window.\n");
    run.report.close(console);
    run.permutations.close(console);
    console.out().flush();
    return 0;
}

}  // namespace

std::tm test_local_time() {
    std::tm time{};
    time.tm_year = 2024 - 1900;
    time.tm_mon = 3;
    time.tm_mday = 9;
    time.tm_hour = 10;
    time.tm_min = 15;
    time.tm_sec = 30;
    time.tm_wday = 2;
    time.tm_yday = 99;
    return time;
}

int run_marsyl(std::istream& in, std::ostream& out, std::ostream& err, const LocalClock& clock) {
    clonal::Console console(in, out);
    return clonal::run_reporting_fatal_errors(
        [&console, &clock] { return marsyl_dialogue(console, clock); }, out, err);
}

int run_marsyl_for_tests(std::istream& in, std::ostream& out, std::ostream& err) {
    return run_marsyl(in, out, err, test_local_time);
}

}  // namespace marsyl::dialogue
