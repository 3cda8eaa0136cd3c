// Times kelvane's all-thresholds table (big genotypes file) and the AMOVA permutation test on
// synthetic distance matrices, each against the plain method in the same run.
//
// Data: individuals on a line, most of them in tight clonal clusters, clusters apart by gaps of
// all sizes up to the largest distance, in shuffled input order; distances are the distances
// along the line, capped at the largest distance. Every gap is a merge level of the table, so
// the table has many distinct columns and runs to the largest distance.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/dialogue/console.hpp"
#include "kelvane/amova/amova_permutations.hpp"
#include "kelvane/dialogue/amova_dialogue.hpp"
#include "kelvane/grouping/all_thresholds.hpp"

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

kelvane::DistanceMatrix clustered_line(int n, int32_t largest, uint32_t seed) {
    std::mt19937 generator(seed);
    std::bernoulli_distribution new_cluster(0.3);
    std::uniform_int_distribution<int32_t> within(0, 3);
    std::uniform_int_distribution<int32_t> between(1, largest - 1);
    std::vector<int64_t> position(static_cast<std::size_t>(n));
    int64_t x = 0;
    for (std::size_t i = 0; i < position.size(); ++i) {
        // One gap beyond the largest distance, so the last merge happens only there.
        x += i == position.size() / 2
                 ? largest + 1
                 : (new_cluster(generator) ? between(generator) : within(generator));
        position[i] = x;
    }
    std::shuffle(position.begin(), position.end(), generator);
    kelvane::DistanceMatrix matrix(n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            const int64_t d = std::abs(position[static_cast<std::size_t>(i)] -
                                       position[static_cast<std::size_t>(j)]);
            matrix.set_pair(i, j, static_cast<int32_t>(std::min<int64_t>(d, largest)));
        }
    }
    return matrix;
}

std::vector<std::string> names(int n) {
    std::vector<std::string> result;
    for (int i = 1; i <= n; ++i) {
        result.push_back("ind" + std::to_string(i));
    }
    return result;
}

struct TableTiming {
    double seconds;
    std::string text;
    int64_t last_threshold;
    std::size_t columns;
};

template <class Build>
TableTiming time_table(const kelvane::DistanceMatrix& matrix, Build build) {
    std::ostringstream out;
    const auto start = Clock::now();
    const kelvane::GenotypeTable table = build(matrix);
    kelvane::write_genotype_table(table, names(matrix.size()), out);
    return {seconds_since(start), out.str(), table.last_threshold, table.column_start.size()};
}

void all_thresholds_bench() {
    constexpr int kN = 3000;
    constexpr int32_t kLargest = 2000;
    constexpr double kLimit = 5.0;
    const kelvane::DistanceMatrix matrix = clustered_line(kN, kLargest, 1);
    const auto file = std::filesystem::temp_directory_path() / "genotype_bench_big.txt";
    const auto start = Clock::now();
    std::size_t columns = 0;
    int64_t last_threshold = 0;
    {
        std::ofstream out(file, std::ios::binary);
        const kelvane::GenotypeTable table = kelvane::genotype_table(matrix);
        columns = table.column_start.size();
        last_threshold = table.last_threshold;
        kelvane::write_genotype_table(table, names(kN), out);
    }
    const double elapsed = seconds_since(start);
    const auto bytes = std::filesystem::file_size(file);
    std::filesystem::remove(file);
    std::printf(
        "all thresholds, n = %d, distances up to %d: thresholds 0 to %lld, %zu distinct "
        "columns, %.1f MB file\n",
        kN, kLargest, static_cast<long long>(last_threshold), columns,
        static_cast<double>(bytes) / 1e6);
    std::printf("  %-58s %7.3f s  (limit %.1f s)\n", "spanning tree table and file written",
                elapsed, kLimit);

    constexpr int kSmallN = 800;
    const kelvane::DistanceMatrix small = clustered_line(kSmallN, kLargest, 2);
    const TableTiming fast = time_table(small, kelvane::genotype_table);
    const TableTiming plain = time_table(small, kelvane::genotype_table_by_regrouping);
    std::printf("  n = %d, thresholds 0 to %lld (%zu distinct columns):\n", kSmallN,
                static_cast<long long>(fast.last_threshold), fast.columns);
    std::printf("  %-58s %7.3f s\n", "regrouping at every threshold, table written", plain.seconds);
    std::printf("  %-58s %7.3f s\n", "spanning tree, table written", fast.seconds);
    std::printf("  %-58s %7.1f x  (tables %s)\n", "ratio", plain.seconds / fast.seconds,
                fast.text == plain.text ? "identical" : "DIFFERENT");
}

void amova_bench() {
    constexpr int kN = 2000;
    constexpr int kPopulations = 5;
    constexpr double kLimit = 3.0;
    const kelvane::DistanceMatrix matrix = clustered_line(kN, 400, 3);
    std::vector<int32_t> pops(static_cast<std::size_t>(kN));
    for (std::size_t i = 0; i < pops.size(); ++i) {
        pops[i] = static_cast<int32_t>(1 + i % kPopulations);
    }
    std::istringstream in("999\n");
    std::ostringstream out;
    clonal::Console console(in, out);
    clonal::Random random;
    auto start = Clock::now();
    kelvane::dialogue::simple_amova(console, random, matrix, pops, kPopulations);
    const double elapsed = seconds_since(start);
    std::printf("AMOVA, n = %d, %d populations, 999 permutations:\n", kN, kPopulations);
    std::printf("  %-58s %7.3f s  (limit %.1f s)\n", "whole analysis, all threads", elapsed,
                kLimit);

    // The evaluation alone on one thread and on all, and the plain sums in the defined order
    // timed on a few permutations.
    const kelvane::AmovaSample sample = kelvane::amova_sample(pops, kPopulations);
    const kelvane::SamplePairs pairs(matrix, sample.members);
    std::vector<int32_t> assignment = sample.groups;
    std::vector<std::vector<int32_t>> drawn(999);
    for (auto& permuted : drawn) {
        clonal::shuffle(random, assignment);
        permuted = assignment;
    }
    const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    start = Clock::now();
    const auto single = kelvane::permuted_phi_st(pairs, drawn, sample.group_sizes, 1);
    const double single_seconds = seconds_since(start);
    start = Clock::now();
    const auto parallel = kelvane::permuted_phi_st(pairs, drawn, sample.group_sizes, threads);
    const double parallel_seconds = seconds_since(start);
    constexpr int kPlainSample = 20;
    start = Clock::now();
    double check = 0.0;
    for (int q = 0; q < kPlainSample; ++q) {
        const auto within =
            kelvane::within_sums_in_order(pairs, drawn[static_cast<std::size_t>(q)], kPopulations);
        check += kelvane::amova_table(pairs.total(), within, sample.group_sizes).phi_st;
    }
    const double plain_seconds = seconds_since(start) * 999.0 / kPlainSample;
    double fast_check = 0.0;
    for (int q = 0; q < kPlainSample; ++q) {
        fast_check += single[static_cast<std::size_t>(q)];
    }
    std::printf("  %-58s %7.3f s\n", "999 evaluations, plain sums in order (from 20)",
                plain_seconds);
    std::printf("  %-58s %7.3f s\n", "999 evaluations, fast sums, 1 thread", single_seconds);
    std::printf("  %-50s %2d threads %7.3f s\n", "999 evaluations, fast sums,", threads,
                parallel_seconds);
    std::printf("  %-58s %7.1f x  (results %s)\n", "ratio plain / fast on all threads",
                plain_seconds / parallel_seconds,
                single == parallel && check == fast_check ? "identical" : "DIFFERENT");
}

}  // namespace

int main() {
    std::printf("cores: %u\n", std::thread::hardware_concurrency());
    all_thresholds_bench();
    amova_bench();
    return 0;
}
