// The marks of one kind in a figure's first panel, for tests of the figures the results draw.
#pragma once

#include <variant>
#include <vector>

#include "plot/figure.hpp"

namespace testing_support {

template <class M>
std::vector<M> marks_of(const clonal::plot::Figure& figure) {
    std::vector<M> found;
    for (const clonal::plot::Mark& mark : figure.panels.at(0).marks) {
        if (const auto* m = std::get_if<M>(&mark)) {
            found.push_back(*m);
        }
    }
    return found;
}

}  // namespace testing_support
