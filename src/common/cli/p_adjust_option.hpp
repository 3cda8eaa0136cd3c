// --adjust none|holm|bh: the p-values of a table of pairs corrected for the number of pairs.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "common/core/p_adjust.hpp"

namespace clonal::cli {

struct AdjustOption {
    std::string name = "none";
    CLI::Option* option = nullptr;

    bool given() const { return option != nullptr && option->count() > 0; }
    PAdjustment adjustment() const { return *p_adjustment_named(name); }
};

void add_adjust_option(CLI::App& command, AdjustOption& adjust);

}  // namespace clonal::cli
