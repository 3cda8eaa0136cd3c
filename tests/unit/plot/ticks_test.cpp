// Ticks: round values, labels that keep clear of each other, and exactly the ticks a reader
// expects on familiar axes.
#include "plot/ticks.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "plot/scale.hpp"

namespace clonal::plot {
namespace {

std::vector<double> values_of(const TickChoice& choice) {
    std::vector<double> values;
    for (const Tick& tick : choice.ticks) {
        values.push_back(tick.value);
    }
    return values;
}

std::vector<std::string> labels_of(const TickChoice& choice) {
    std::vector<std::string> labels;
    for (const Tick& tick : choice.ticks) {
        labels.push_back(tick.label);
    }
    return labels;
}

TEST(Ticks, FamiliarAxes) {
    // 0 to 57 on 600 pixels: steps of 1 and 2 crowd labels of two digits (22 pixels apart at
    // the least), steps of 5 are 50 pixels apart; the end widens to 60.
    TickRequest request;
    request.domain = {0.0, 57.0};
    request.length = 600.0;
    const TickChoice counts = choose_ticks(request);
    EXPECT_EQ(counts.domain.high, 60.0);
    EXPECT_EQ(values_of(counts),
              (std::vector<double>{0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60}));

    // 0 to 0.37 on 300 pixels: labels of two decimals, 37.5 pixels apart.
    request.domain = {0.0, 0.37};
    request.length = 300.0;
    EXPECT_EQ(labels_of(choose_ticks(request)),
              (std::vector<std::string>{"0.00", "0.05", "0.10", "0.15", "0.20", "0.25", "0.30",
                                        "0.35", "0.40"}));

    // A vertical axis needs 1.6 font sizes between labels: 0 to 35 on 283 pixels takes a tick
    // every 5 (40 pixels), not every 2 (16 pixels).
    request.domain = {0.0, 33.0};
    request.length = 283.0;
    request.direction = Direction::kVertical;
    request.integers = true;
    EXPECT_EQ(values_of(choose_ticks(request)),
              (std::vector<double>{0, 5, 10, 15, 20, 25, 30, 35}));
}

TEST(Ticks, AUnitPutsTicksOnItsMultiples) {
    // The edges of histogram classes 6 wide from -6 to 60, the ends as they are.
    TickRequest request;
    request.domain = {-6.0, 60.0};
    request.length = 570.0;
    request.nice = false;
    request.unit = 6;
    EXPECT_EQ(values_of(choose_ticks(request)),
              (std::vector<double>{-6, 0, 6, 12, 18, 24, 30, 36, 42, 48, 54, 60}));
    request.length = 120.0;
    EXPECT_EQ(values_of(choose_ticks(request)), (std::vector<double>{0, 30, 60}));
}

TEST(Ticks, LogAxesTakePowersOfTen) {
    TickRequest request;
    request.kind = ScaleKind::kLog;
    request.domain = {3.0, 40.0};
    request.length = 500.0;
    const TickChoice near = choose_ticks(request);
    EXPECT_EQ(near.domain.low, 1.0);
    EXPECT_EQ(near.domain.high, 100.0);
    EXPECT_EQ(labels_of(near), (std::vector<std::string>{"1", "2", "5", "10", "20", "50", "100"}));
    request.domain = {0.002, 30000.0};
    EXPECT_EQ(labels_of(choose_ticks(request)),
              (std::vector<std::string>{"0.001", "0.01", "0.1", "1", "10", "100", "1000", "10000",
                                        "100000"}));
}

// On random axes: every tick is a round multiple inside the domain and labels never touch.
TEST(Ticks, RandomAxesKeepLabelsClear) {
    std::mt19937_64 generator(15);
    std::uniform_real_distribution<double> exponent(-6.0, 9.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int round = 0; round < 2000; ++round) {
        const double scale = std::pow(10.0, exponent(generator));
        double low = (unit(generator) - 0.5) * scale;
        double high = low + unit(generator) * scale + scale * 1e-3;
        TickRequest request;
        request.domain = {low, high};
        request.length = 40.0 + 900.0 * unit(generator);
        request.direction = round % 2 == 0 ? Direction::kHorizontal : Direction::kVertical;
        request.nice = round % 3 != 0;
        const TickChoice choice = choose_ticks(request);
        ASSERT_FALSE(choice.ticks.empty());
        EXPECT_LE(choice.domain.low, low);
        EXPECT_GE(choice.domain.high, high);
        const Scale scale_of_axis(ScaleKind::kLinear, choice.domain, 0.0, request.length);
        std::vector<double> positions;
        for (const Tick& tick : choice.ticks) {
            EXPECT_TRUE(scale_of_axis.contains(tick.value)) << tick.label;
            positions.push_back(scale_of_axis(tick.value));
        }
        if (choice.ticks.size() >= 2) {
            EXPECT_TRUE(labels_clear(choice.ticks, positions, request.direction, 11.0))
                << low << " " << high << " " << request.length;
            const double step = choice.ticks[1].value - choice.ticks[0].value;
            const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
            EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-6 || std::fabs(mantissa - 2) < 1e-6 ||
                        std::fabs(mantissa - 5) < 1e-6)
                << step;
        }
    }
}

}  // namespace
}  // namespace clonal::plot
