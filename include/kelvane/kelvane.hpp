// The kelvane library: clonal genotypes from multilocus marker data of any ploidy, and the
// evidence that they are clones. One header for all of it.
//
//   Reading     read_data_file (DataInput: the file, its format or nothing to tell it by the
//               name, the format's settings, a populations file) gives a MarkerData with notes.
//               data_formats() lists the formats (format_catalogue.hpp).
//   Distances   distance_matrix(data, DistanceInput) under a model named in words (ModelChoice;
//               distance_models() lists them, model_catalogue.hpp) or from a matrix file.
//   Analyses    kelvane::analysis: one call each, a settings struct with the defaults of the
//               command line, a random generator where one is drawn from, a plain result and a
//               table of it (clonal::ResultTable, written with clonal::write_tsv as the command
//               writes it):
//                 histogram, thresholds, suggestions, clones, network (grouping by single
//                 linkage), loci, accumulation, psex, association (index of association),
//                 amova, data_summary_table, genotype_summary_table.
//
// Errors: every call throws clonal::FatalError (common/core/fatal_error.hpp) with its kind
// (kFile, kData, kMemory, kLimit, kSetting), one plain sentence naming settings by the names of
// the settings structs, and the file, line and column where known. Nothing in the library
// prints. Random draws come from clonal::Random (two seeds; the default 12345, 67890) in a fixed
// order, and no result depends on the number of threads.
#pragma once

#include "common/core/fatal_error.hpp"
#include "common/core/random.hpp"
#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/analysis/accumulation.hpp"
#include "kelvane/analysis/amova.hpp"
#include "kelvane/analysis/association.hpp"
#include "kelvane/analysis/clones.hpp"
#include "kelvane/analysis/data_summary.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/analysis/genotype_choice.hpp"
#include "kelvane/analysis/genotype_summary.hpp"
#include "kelvane/analysis/histogram.hpp"
#include "kelvane/analysis/loci.hpp"
#include "kelvane/analysis/nested_amova.hpp"
#include "kelvane/analysis/network.hpp"
#include "kelvane/analysis/psex.hpp"
#include "kelvane/analysis/registry.hpp"
#include "kelvane/analysis/spatial.hpp"
#include "kelvane/analysis/suggestions.hpp"
#include "kelvane/analysis/thresholds.hpp"
#include "kelvane/data/formats/data_file_reader.hpp"
#include "kelvane/data/formats/format_catalogue.hpp"
#include "kelvane/distance/model_catalogue.hpp"
