// The uniform random number generator, its clock seeding and the shuffles.
#include "common/core/random.hpp"

#include <algorithm>

namespace clonal {
namespace {

constexpr int32_t kM1 = 2147483563;
constexpr int32_t kA1 = 40014;
constexpr int32_t kQ1 = 53668;
constexpr int32_t kR1 = 12211;
constexpr int32_t kM2 = 2147483399;
constexpr int32_t kA2 = 40692;
constexpr int32_t kQ2 = 52774;
constexpr int32_t kR2 = 3791;
constexpr double kScale = 1.0 / 2147483563.0;

// One component step by Schrage's method: a * (seed mod q) - r * (seed / q) never leaves the
// 32-bit range for any 32-bit seed.
int32_t advance(int32_t seed, int32_t a, int32_t q, int32_t r, int32_t m) {
    const int32_t k = seed / q;
    int32_t next = a * (seed - k * q) - r * k;
    if (next < 0) {
        next += m;
    }
    return next;
}

}  // namespace

double Random::next_uniform() {
    seed1_ = advance(seed1_, kA1, kQ1, kR1, kM1);
    seed2_ = advance(seed2_, kA2, kQ2, kR2, kM2);
    // The sum of the seeds less m1 can leave the 32-bit range on the way; 64 bits hold it.
    int64_t z = int64_t{seed1_} + int64_t{seed2_} - kM1;
    if (z < 1) {
        z += kM1 - 1;
    }
    return static_cast<double>(z) * kScale;
}

std::tm machine_local_time() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

int32_t clock_seed_base(const std::tm& local_time) {
    constexpr double kOver24 = 1.0 / 24.0;
    constexpr double kOver60 = 1.0 / 60.0;
    const double day = local_time.tm_yday + 1;
    const double hour = local_time.tm_hour + 1;
    const double minute = local_time.tm_min + 1;
    const double second = local_time.tm_sec + 1;
    const double v_double = (day * kOver24 * kOver60 * kOver60) +
                            ((hour * kOver60 * kOver60) + (minute * kOver60 + second));
    const auto v = static_cast<float>(v_double);
    constexpr float kFactor = 4399795.0f / 268435456.0f;
    const float scaled = v * kFactor;
    return static_cast<int32_t>(static_cast<double>(scaled) * 31328.0);
}

void seed_from_clock(Random& random, const std::tm& local_time) {
    uint32_t x = static_cast<uint32_t>(clock_seed_base(local_time));
    const auto draw = [&x] {
        x = x * 1103515245u + 12345u;
        return static_cast<int32_t>((x >> 16) & 32767u);
    };
    draw();
    const int32_t seed1 = draw();
    const int32_t seed2 = draw();
    random.set_seeds(seed1, seed2);
}

int draw_index(double u, int count) {
    const auto position = static_cast<int>(static_cast<double>(count) * u);
    return std::clamp(position, 0, count - 1);
}

void shuffle(Random& random, std::span<int32_t> values) {
    const auto n = static_cast<int>(values.size());
    partial_shuffle(random, values, n);
}

void partial_shuffle(Random& random, std::span<int32_t> values, int k) {
    const auto n = static_cast<int>(values.size());
    for (int i = 0; i < n - 1 && i < k; ++i) {
        const double u = random.next_uniform();
        const int j = std::clamp(static_cast<int>(u * (n - i) + i), i, n - 1);
        std::swap(values[static_cast<std::size_t>(i)], values[static_cast<std::size_t>(j)]);
    }
}

}  // namespace clonal
