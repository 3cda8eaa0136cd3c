// How an analysis runs, apart from what it computes: its workers and how far it has come. Its
// results never depend on either.
#pragma once

#include "common/core/progress.hpp"

namespace clonal {

struct WorkSettings {
    int threads = 0;               // workers; 0: every core
    ProgressReport progress = {};  // now and then, on the calling thread
};

}  // namespace clonal
