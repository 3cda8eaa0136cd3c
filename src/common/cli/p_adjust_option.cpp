// The --adjust option.
#include "common/cli/p_adjust_option.hpp"

namespace clonal::cli {

void add_adjust_option(CLI::App& command, AdjustOption& adjust) {
    adjust.option = command
                        .add_option("--adjust", adjust.name,
                                    "p-values corrected for the number of pairs: none, holm "
                                    "(Holm) or bh (Benjamini-Hochberg), in a column "
                                    "<column>_adjusted after each")
                        ->check(CLI::IsMember({"none", "holm", "bh"}))
                        ->capture_default_str();
}

}  // namespace clonal::cli
