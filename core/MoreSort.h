// Sort orders of the tables, all highest first, and the sorts that use them.
#pragma once

#include "core/Toto13class.h"

namespace kviro {

// A key whose ascending order is the float's ascending order: both zeros give one key, a NaN
// with the sign bit clear lies above +infinity and one with it set below -infinity.
std::uint32_t floatOrderKey(float f);

// "a comes before b" for each order; floats compare by floatOrderKey.
// MANA: mana descending.
bool manaOrder(const Combination* a, const Combination* b);
// TIP: count1 descending, then count0 descending, then mana descending.
bool tipOrder(const Combination* a, const Combination* b);
// NP: np descending (signed).
bool npOrder(const Combination* a, const Combination* b);
// sum MANA: sumMana descending.
bool sumManaOrder(const Combination* a, const Combination* b);
// hits then sum MANA: hitCount descending (unsigned), then sumMana descending.
bool hitsOrder(const Combination* a, const Combination* b);

// Sort a table in place by one order. Rows equal on every key of the order keep their
// relative order, so a sort's result depends only on the table it is given.
void sortByMana(Table& table);
void sortByTip(Table& table);
void sortByNp(Table& table);
void sortBySumMana(Table& table);
void sortByHitsThenSumMana(Table& table);

} // namespace kviro
