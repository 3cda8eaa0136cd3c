// The marsyl library: the clonal diversity of populations from the clonal genotype of every
// individual. One header for all of it.
//
//   Reading     marsyl::analysis::read_clonal_input reads a Clonal genotype file.
//   Analyses    marsyl::analysis: one call each, with a settings struct where the analysis has
//               settings (the defaults of the command line), a random generator where one is
//               drawn from, and a table of the result (clonal::ResultTable):
//                 diversity (indices and their partitioning), extended_table,
//                 diversity_interval_table, pareto_table, shared_table, bootstrap,
//                 differentiation, jackknife.
//
// Errors are clonal::FatalError, as in kelvane/kelvane.hpp. The resampling calls draw from the
// generator in the order of the pairs (each population against those before it) or of the
// populations, and take a watcher told as each pair or population starts.
#pragma once

#include "common/core/fatal_error.hpp"
#include "common/core/random.hpp"
#include "common/text/result_table.hpp"
#include "marsyl/analysis/bootstrap.hpp"
#include "marsyl/analysis/clonal_input.hpp"
#include "marsyl/analysis/differentiation.hpp"
#include "marsyl/analysis/diversity.hpp"
#include "marsyl/analysis/diversity_intervals.hpp"
#include "marsyl/analysis/extended.hpp"
#include "marsyl/analysis/jackknife.hpp"
#include "marsyl/analysis/pareto.hpp"
#include "marsyl/analysis/shared.hpp"
#include "marsyl/core/fstat_writer.hpp"
