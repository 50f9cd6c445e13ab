#include "core/MoreSort.h"

#include "core/LargeBuffer.h"

#include <array>
#include <bit>

namespace kviro {

bool manaOrder(const Combination* a, const Combination* b) { return a->mana > b->mana; }

bool tipOrder(const Combination* a, const Combination* b) {
    if (a->count1 != b->count1) return a->count1 > b->count1;
    if (a->count0 != b->count0) return a->count0 > b->count0;
    return a->mana > b->mana;
}

bool npOrder(const Combination* a, const Combination* b) { return a->np > b->np; }

bool sumManaOrder(const Combination* a, const Combination* b) { return a->sumMana > b->sumMana; }

bool hitsOrder(const Combination* a, const Combination* b) {
    if (a->hitCount != b->hitCount) return a->hitCount > b->hitCount;
    return a->sumMana > b->sumMana;
}

namespace {

// Unsigned key whose ascending order is the float's ascending order; both zeros give one key.
std::uint32_t floatKey(float f) {
    if (f == 0.0f) f = 0.0f;
    const std::uint32_t u = std::bit_cast<std::uint32_t>(f);
    return (u & 0x80000000u) ? ~u : (u | 0x80000000u);
}

std::uint32_t int8Key(std::int8_t v) { return static_cast<std::uint8_t>(v) ^ 0x80u; }

struct Keyed {
    std::uint64_t key; // ascending order of key = the table's order (highest first)
    Combination* rec;
};

// Stable least-significant-digit radix sort of the table by `keyOf`, which returns keys below
// 2^Bits; rows with the smallest key come first. Byte positions on which all keys agree are
// skipped.
template <int Bits, class KeyOf> void radixSort(Table& table, KeyOf keyOf) {
    constexpr int kDigits = (Bits + 7) / 8;
    const std::size_t n = table.size();
    if (n < 2) return;
    const LargeArray<Keyed> a = makeLargeArray<Keyed>(n);
    const LargeArray<Keyed> b = makeLargeArray<Keyed>(n);
    std::array<std::array<std::uint32_t, 256>, kDigits> count{};
    for (std::size_t i = 0; i < n; ++i) {
        if (i + 16 < n) __builtin_prefetch(table[i + 16]);
        const std::uint64_t k = keyOf(*table[i]);
        a[i] = {k, table[i]};
        for (int d = 0; d < kDigits; ++d) ++count[d][(k >> (8 * d)) & 0xFF];
    }
    Keyed* src = a.get();
    Keyed* dst = b.get();
    for (int d = 0; d < kDigits; ++d) {
        auto& c = count[d];
        bool trivial = false;
        std::uint32_t sum = 0;
        for (std::uint32_t& slot : c) {
            if (slot == n) trivial = true;
            const std::uint32_t here = slot;
            slot = sum;
            sum += here;
        }
        if (trivial) continue;
        const int shift = 8 * d;
        for (std::size_t i = 0; i < n; ++i) {
            const Keyed& e = src[i];
            dst[c[(e.key >> shift) & 0xFF]++] = e;
        }
        std::swap(src, dst);
    }
    for (std::size_t i = 0; i < n; ++i) table[i] = src[i].rec;
}

} // namespace

void sortByMana(Table& table) {
    radixSort<32>(table, [](const Combination& c) -> std::uint64_t { return ~floatKey(c.mana); });
}

void sortByTip(Table& table) {
    radixSort<48>(table, [](const Combination& c) -> std::uint64_t {
        const std::uint64_t asc = (std::uint64_t{int8Key(c.count1)} << 40) |
                                  (std::uint64_t{int8Key(c.count0)} << 32) | floatKey(c.mana);
        return ~asc & ((std::uint64_t{1} << 48) - 1);
    });
}

void sortByNp(Table& table) {
    radixSort<8>(table, [](const Combination& c) -> std::uint64_t { return 0xFFu - int8Key(c.np); });
}

void sortBySumMana(Table& table) {
    radixSort<32>(table,
                  [](const Combination& c) -> std::uint64_t { return ~floatKey(c.sumMana); });
}

void sortByHitsThenSumMana(Table& table) {
    radixSort<64>(table, [](const Combination& c) -> std::uint64_t {
        return ~((std::uint64_t{c.hitCount} << 32) | floatKey(c.sumMana));
    });
}

} // namespace kviro
