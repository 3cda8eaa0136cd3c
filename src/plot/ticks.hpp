// The ticks of an axis: round values (1, 2 or 5 times a power of ten; powers of ten on a log
// scale) as dense as their labels allow without touching each other at the axis's length.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plot/scale.hpp"

namespace clonal::plot {

struct Tick {
    double value = 0.0;
    std::string label;
};

enum class Direction { kHorizontal, kVertical };

struct TickRequest {
    ScaleKind kind = ScaleKind::kLinear;
    Domain domain;
    double length = 100.0;  // pixels
    Direction direction = Direction::kHorizontal;
    double font_size = 11.0;
    bool integers = false;
    bool nice = true;  // widen the domain to the ticks around it
    // A whole number above 0: ticks at 1, 2 or 5 times a power of ten times it only (the class
    // width of a histogram, so that ticks fall on the edges of bars); 0 for none.
    int64_t unit = 0;
};

struct TickChoice {
    Domain domain;  // the domain the ticks were placed in (widened when nice)
    std::vector<Tick> ticks;
};

// The densest round ticks whose labels keep clear of one another.
TickChoice choose_ticks(const TickRequest& request);

// Whether labels centred at the given pixel positions keep clear of one another along an axis
// of that direction.
bool labels_clear(const std::vector<Tick>& ticks, const std::vector<double>& positions,
                  Direction direction, double font_size);

}  // namespace clonal::plot
