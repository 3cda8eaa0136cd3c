// What the indices of clonal diversity are called in tables and figures.
#pragma once

#include <array>

#include "marsyl/core/diversity_indices.hpp"

namespace marsyl {

struct IndexName {
    const char* column;  // in the tables: "gen"
    const char* title;   // in the figures: "gen: number of genotypes"
    const char* unit;    // the axis title: "Genotypes (count)"
    bool whole = false;  // whole numbers only
};

inline constexpr std::array<IndexName, kIndexCount> kIndexNames{{
    {"gen", "gen: number of genotypes", "Genotypes (count)", true},
    {"eff", "eff: effective number of genotypes", "Genotypes (count)"},
    {"div", "div: genotypic diversity", "Diversity (probability)"},
    {"eve", "eve: evenness", "eff / gen (ratio)"},
    {"shw", "shw: Shannon-Wiener index", "Shannon-Wiener (log10)"},
    {"shc", "shc: Shannon-Wiener, corrected", "Shannon-Wiener (log10)"},
}};

}  // namespace marsyl
