// Tables shared by the workbench tests.
#pragma once

#include "core/Tables.h"

#include <string>

namespace kviro::test {

// Every combination in generation order, valued with the design percentages (np 0).
// Shared by the tests: copy the pointer table, never change the records.
const Table& valuedFullTable();

// A record made in `pool` from 13 sign characters, with counts, mana and np set.
Combination* makeRecord(RecordPool& pool, const std::string& signs, float mana, int np = 0);

} // namespace kviro::test
