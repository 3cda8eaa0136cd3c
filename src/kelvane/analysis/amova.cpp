// The simple AMOVA and its table.
#include "kelvane/analysis/amova.hpp"

#include "common/core/setting_ranges.hpp"

namespace kelvane::analysis {
namespace {

void write_row(clonal::ResultTable& result, const char* source, int32_t df, double ss,
               double variance, double total_variance) {
    result.text(source).integer(df).real(ss).real(variance).real((100 * variance) / total_variance);
}

}  // namespace

Amova::Amova(const DistanceMatrix& matrix, std::span<const int32_t> pop_vector,
             int32_t n_populations)
    : refusal_(kelvane::amova_refusal(pop_vector, n_populations)) {
    if (refusal_) {
        return;
    }
    sample_ = amova_sample(pop_vector, n_populations);
    pairs_.emplace(matrix, sample_.members);
    table_ = observed_amova(*pairs_, sample_);
}

AmovaPermutationTest Amova::test(int64_t permutations, clonal::Random& random,
                                 const clonal::WorkSettings& work,
                                 const PermutedValue& each_value) const {
    return amova_permutation_test(*pairs_, sample_, table_.phi_st, permutations, random,
                                  work.threads, each_value, work.progress);
}

std::optional<clonal::FatalError> amova_refusal(const MarkerData& data) {
    if (const auto refusal = kelvane::amova_refusal(data.pop_vector, data.n_populations)) {
        return clonal::FatalError(refusal_clause(*refusal)).in_file(data.file);
    }
    return std::nullopt;
}

AmovaResult amova(const MarkerData& data, const DistanceMatrix& matrix,
                  const AmovaSettings& settings, clonal::Random& random,
                  const clonal::WorkSettings& work) {
    clonal::check_setting("permutations", static_cast<double>(settings.permutations));
    if (auto refusal = amova_refusal(data)) {
        throw *refusal;
    }
    const Amova analysis(matrix, data.pop_vector, data.n_populations);
    AmovaResult result;
    result.table = analysis.table();
    PermutedValue keep;
    if (settings.keep_permuted) {
        keep = [&result](int64_t, double phi_st) { result.permuted.push_back(phi_st); };
    }
    result.test = analysis.test(settings.permutations, random, work, keep);
    return result;
}

clonal::ResultTable amova_result_table(const AmovaResult& amova) {
    const AmovaTable& table = amova.table;
    clonal::ResultTable result;
    result.header({"source", "df", "ss", "variance", "percent", "phi_st", "p", "p_smaller"});
    write_row(result, "within", table.df_within, table.ss_within, table.sigma2_within,
              table.sigma2_total);
    result.missing().missing().missing();
    result.end_row();
    write_row(result, "among", table.df_among, table.ss_among, table.sigma2_among,
              table.sigma2_total);
    // Without permutations the p-values are undefined.
    if (amova.test.permutations > 0) {
        result.real(table.phi_st).real(amova.test.p_greater()).real(amova.test.p_smaller());
    } else {
        result.real(table.phi_st).missing().missing();
    }
    result.end_row();
    write_row(result, "total", table.df_total, table.ss_total, table.sigma2_total,
              table.sigma2_total);
    result.missing().missing().missing();
    result.end_row();
    return result;
}

}  // namespace kelvane::analysis
