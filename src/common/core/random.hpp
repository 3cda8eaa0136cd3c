// The uniform random number generator of both programs (a combined multiplicative congruential
// generator with two 32-bit seeds, each component advanced with Schrage's method), its seeding
// from the local clock, and the two shuffles built on it.
#pragma once

#include <cstdint>
#include <ctime>
#include <span>

namespace clonal {

class Random {
  public:
    static constexpr int32_t kStartSeed1 = 12345;
    static constexpr int32_t kStartSeed2 = 67890;
    // The seeds the generator cycles through: 1 to its moduli less one. A seed of 0 stays 0.
    static constexpr int32_t kLargestSeed1 = 2147483562;
    static constexpr int32_t kLargestSeed2 = 2147483398;

    // A real u with 1/2147483563 <= u <= 2147483562/2147483563 for positive seeds.
    double next_uniform();

    void set_seeds(int32_t seed1, int32_t seed2) {
        seed1_ = seed1;
        seed2_ = seed2;
    }
    int32_t seed1() const { return seed1_; }
    int32_t seed2() const { return seed2_; }

  private:
    int32_t seed1_ = kStartSeed1;
    int32_t seed2_ = kStartSeed2;
};

// The clock of the machine: the local time at each call.
std::tm machine_local_time();

// The integer c from which the clock seeds are drawn, for a local time.
int32_t clock_seed_base(const std::tm& local_time);

// Sets both seeds from the local date and time given (day of the year, hour, minute, second).
void seed_from_clock(Random& random, const std::tm& local_time);

// A position from 0 to count - 1 picked by a uniform number: floor(count * u), held inside the
// range for the degenerate uniforms that seeds of 0 or below can produce.
int draw_index(double u, int count);

// Permutes the values in place: position i is exchanged with a position drawn from i to the end,
// one uniform per position, for every position but the last.
void shuffle(Random& random, std::span<int32_t> values);

// As shuffle, but stops after the first k positions, which then hold a random selection without
// replacement from the whole array.
void partial_shuffle(Random& random, std::span<int32_t> values, int k);

}  // namespace clonal
