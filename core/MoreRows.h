// Row-level commands on MORE: find by code, delete chosen rows, snapshot and reset from MORE0.
#pragma once

#include "core/Tables.h"

#include <cstddef>
#include <optional>
#include <span>

namespace kviro {

// Search key of 13 sign digits (match 1 first), or nothing when a digit is not 0, 1 or 2:
// such a key would silently match another combination's code.
std::optional<std::uint32_t> findKey(const Digits& digits);

// Index of the first row of the table whose code equals `key`, or nothing.
std::optional<std::size_t> findCode(const Table& table, std::uint32_t key);

// Removes the rows at the given indices (any order, duplicates and indices past the end are
// ignored); the other rows keep their order. Records are not released. Returns rows removed.
std::size_t deleteRows(Table& table, std::span<const int> indices);

// MORE0 := MORE's references in order (after generation and after a .MOR load).
void takeSnapshot(Tables& t);

// MORE := MORE0's references in order. Does nothing and returns false when MORE0 is empty.
bool resetFromSnapshot(Tables& t);

} // namespace kviro
