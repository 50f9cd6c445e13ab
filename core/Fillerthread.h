// Generation of all 3^13 combinations in code order.
#pragma once

#include "core/RecordPool.h"

#include <atomic>

namespace kviro {

// Appends every combination to `more`, in increasing code order, creating the records in
// `pool`. Checks `stop` between records and returns early when it is set.
// Returns the number of records appended.
int generateAllCombinations(Table& more, RecordPool& pool, const std::atomic<bool>& stop);

} // namespace kviro
