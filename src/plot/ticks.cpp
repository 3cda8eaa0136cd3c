// Tick choice for linear and log scales.
#include "plot/ticks.hpp"

#include <algorithm>
#include <cmath>

#include "common/core/bug_check.hpp"
#include "plot/number_format.hpp"
#include "plot/text_metrics.hpp"

namespace clonal::plot {
namespace {

// Room between neighbouring labels, in font sizes.
constexpr double kHorizontalGap = 0.8;
constexpr double kVerticalPitch = 1.6;

std::vector<double> positions_of(const std::vector<Tick>& ticks, const TickRequest& request,
                                 Domain domain) {
    const Scale scale(request.kind, domain, 0.0, request.length);
    std::vector<double> positions;
    positions.reserve(ticks.size());
    for (const Tick& tick : ticks) {
        positions.push_back(scale(tick.value));
    }
    return positions;
}

// The multiples of mantissa * 10^exponent within the domain; the exact decimal value of each is
// formed from integers so that labels round cleanly.
std::vector<Tick> linear_ticks(Domain domain, double mantissa, int exponent) {
    const double step = mantissa * std::pow(10.0, exponent);
    // Ticks a rounding error outside the domain count as inside it.
    const double slack = (domain.high - domain.low) * 1e-9;
    const double first = std::ceil((domain.low - slack) / step);
    const double last = std::floor((domain.high + slack) / step);
    const int decimals = std::max(0, -exponent);
    std::vector<Tick> ticks;
    for (double k = first; k <= last; k += 1.0) {
        const double value = exponent >= 0 ? k * mantissa * std::pow(10.0, exponent)
                                           : k * mantissa / std::pow(10.0, -exponent);
        ticks.push_back({value, fixed_decimals(value, decimals)});
    }
    return ticks;
}

// The steps of the ticks from the smallest up: 1, 2 and 5 times the powers of ten, times the
// unit when there is one.
struct Step {
    double mantissa;
    int exponent;
};
std::vector<Step> candidate_steps(const TickRequest& request) {
    const double span = request.domain.high - request.domain.low;
    int exponent = static_cast<int>(std::floor(std::log10(span / 50.0)));
    if (request.integers || request.unit > 0) {
        exponent = std::max(exponent, 0);
    }
    const auto unit = static_cast<double>(std::max<int64_t>(request.unit, 1));
    std::vector<Step> steps;
    for (int round = 0; round < 40; ++round, ++exponent) {
        for (const double mantissa : {1.0, 2.0, 5.0}) {
            steps.push_back({mantissa * unit, exponent});
        }
    }
    return steps;
}

TickChoice linear_choice(const TickRequest& request) {
    const Domain domain = request.domain;
    TickChoice fallback;
    for (const Step& candidate : candidate_steps(request)) {
        const double step = candidate.mantissa * std::pow(10.0, candidate.exponent);
        Domain placed = domain;
        if (request.nice) {
            placed.low = std::floor(domain.low / step + 1e-9) * step;
            placed.high = std::ceil(domain.high / step - 1e-9) * step;
        }
        TickChoice choice{placed, linear_ticks(placed, candidate.mantissa, candidate.exponent)};
        if (choice.ticks.empty()) {
            continue;
        }
        if (labels_clear(choice.ticks, positions_of(choice.ticks, request, placed),
                         request.direction, request.font_size)) {
            return choice;
        }
        fallback = std::move(choice);
    }
    // No spacing fits (an axis too short for two labels): the first tick alone.
    fallback.ticks.resize(std::min<std::size_t>(fallback.ticks.size(), 1));
    return fallback;
}

TickChoice log_choice(const TickRequest& request) {
    Domain placed = request.domain;
    if (request.nice) {
        placed.low = std::pow(10.0, std::floor(std::log10(placed.low) + 1e-9));
        placed.high = std::pow(10.0, std::ceil(std::log10(placed.high) - 1e-9));
    }
    const int first = static_cast<int>(std::ceil(std::log10(placed.low) - 1e-9));
    const int last = static_cast<int>(std::floor(std::log10(placed.high) + 1e-9));
    const auto tick_at = [](double mantissa, int exponent) {
        const double value = exponent >= 0 ? mantissa * std::pow(10.0, exponent)
                                           : mantissa / std::pow(10.0, -exponent);
        return Tick{value, fixed_decimals(value, std::max(0, -exponent))};
    };
    // 1, 2 and 5 of every decade while they fit, then every decade, then every k-th decade.
    std::vector<Tick> dense;
    for (int exponent = first - 1; exponent <= last; ++exponent) {
        for (const double mantissa : {1.0, 2.0, 5.0}) {
            const Tick tick = tick_at(mantissa, exponent);
            const double slack = 1e-9 * tick.value;
            if (tick.value >= placed.low - slack && tick.value <= placed.high + slack) {
                dense.push_back(tick);
            }
        }
    }
    const Scale scale(ScaleKind::kLog, placed, 0.0, request.length);
    const auto clear = [&](const std::vector<Tick>& ticks) {
        std::vector<double> positions;
        for (const Tick& tick : ticks) {
            positions.push_back(scale(tick.value));
        }
        return labels_clear(ticks, positions, request.direction, request.font_size);
    };
    if (!dense.empty() && last - first < 3 && clear(dense)) {
        return {placed, dense};
    }
    for (int every = 1; every <= std::max(1, last - first + 1); ++every) {
        std::vector<Tick> decades;
        for (int exponent = first; exponent <= last; exponent += every) {
            decades.push_back(tick_at(1.0, exponent));
        }
        if (clear(decades)) {
            return {placed, decades};
        }
    }
    return {placed, {tick_at(1.0, first)}};
}

}  // namespace

bool labels_clear(const std::vector<Tick>& ticks, const std::vector<double>& positions,
                  Direction direction, double font_size) {
    CLONAL_BUG_CHECK(ticks.size() == positions.size());
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        const double distance = std::fabs(positions[i] - positions[i - 1]);
        const double needed = direction == Direction::kVertical
                                  ? kVerticalPitch * font_size
                                  : (text_width(ticks[i].label, font_size) +
                                     text_width(ticks[i - 1].label, font_size)) /
                                            2.0 +
                                        kHorizontalGap * font_size;
        if (distance < needed) {
            return false;
        }
    }
    return true;
}

TickChoice choose_ticks(const TickRequest& request) {
    CLONAL_BUG_CHECK(request.domain.low < request.domain.high && request.length > 0.0);
    return request.kind == ScaleKind::kLog ? log_choice(request) : linear_choice(request);
}

}  // namespace clonal::plot
