// Times marsyl's three resampling analyses on synthetic data, each run through its menu choice
// exactly as a user would run it (seeds set, report written to a temporary file), and the index
// computation on the same samples with small and with huge genotype codes.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <sstream>
#include <thread>

#include "common/dialogue/output_file_prompt.hpp"
#include "marsyl/core/diversity_indices.hpp"
#include "marsyl/dialogue/bootstrap_choice.hpp"
#include "marsyl/dialogue/differentiation_choice.hpp"
#include "marsyl/dialogue/jackknife_choice.hpp"
#include "marsyl/dialogue/marsyl_program.hpp"
#include "marsyl/dialogue/marsyl_run.hpp"
#include "marsyl_synthetic.hpp"

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs one menu choice on data with the answers given and seeds 1234 and 5678; the seconds.
double time_choice(const clonal::ClonalData& data, int32_t largest_code, const char* answers,
                   const std::function<void(marsyl::dialogue::MarsylRun&)>& choice) {
    std::istringstream in(answers);
    std::ostringstream out;
    clonal::Console console(in, out);
    marsyl::dialogue::MarsylRun run(console, marsyl::dialogue::test_local_time);
    run.data = data;
    run.largest_genotype = largest_code;
    run.user_seeds = true;
    run.random.set_seeds(1234, 5678);
    const auto report = std::filesystem::temp_directory_path() / "marsyl_bench_report.txt";
    clonal::NamedOutputFile opened{report.string(), {}};
    opened.file.open(opened.name, clonal::WriteMode::kReplace);
    run.report.adopt(std::move(opened));
    const auto start = Clock::now();
    choice(run);
    const double elapsed = seconds_since(start);
    run.report.close(console);
    std::filesystem::remove(report);
    return elapsed;
}

void report_line(const char* what, double elapsed, double limit) {
    std::printf("%-62s %7.3f s  (limit %4.1f s, %5.1f%% of it)\n", what, elapsed, limit,
                100.0 * elapsed / limit);
}

// Seconds for the index sets of many samples of 300 whose codes run to largest_code.
double time_indices(int32_t largest_code) {
    const auto data = marsyl_bench::synthetic_clonal_data(1, 300, largest_code);
    marsyl::IndexCalculator calculator;
    double checksum = 0.0;
    const auto start = Clock::now();
    for (int r = 0; r < 20000; ++r) {
        checksum += calculator.compute(data.genotypes[1])[marsyl::kShw];
    }
    const double elapsed = seconds_since(start);
    if (checksum < 0) {
        std::printf("impossible checksum\n");
    }
    return elapsed;
}

}  // namespace

int main() {
    std::printf("marsyl benchmarks on %u hardware threads\n", std::thread::hardware_concurrency());
    constexpr int32_t kLargestCode = 1000000;
    const auto five = marsyl_bench::synthetic_clonal_data(5, 200, kLargestCode);
    const auto one = marsyl_bench::synthetic_clonal_data(1, 300, kLargestCode);

    report_line("bootstrap, 999 permutations, 5 populations of 200, codes to 1e6",
                time_choice(five, kLargestCode, "999\nn\n\n", marsyl::dialogue::bootstrap_test),
                3.0);
    report_line(
        "differentiation, 999 permutations, same data",
        time_choice(five, kLargestCode, "999\nn\n\n", marsyl::dialogue::differentiation_test), 3.0);
    report_line("jackknife, 1000 permutations per size, 1 population of 300",
                time_choice(one, kLargestCode, "1000\n\n", marsyl::dialogue::jackknife), 10.0);

    const double small = time_indices(60);
    const double huge = time_indices(10000000);
    std::printf("20000 index sets of 300: codes to 60 %.3f s, codes to 1e7 %.3f s (ratio %.2f)\n",
                small, huge, huge / small);
    return 0;
}
