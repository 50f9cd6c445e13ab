#include "core/MoreSort.h"

#include "core/LargeBuffer.h"

#include <algorithm>
#include <array>
#include <bit>

namespace kviro {

std::uint32_t floatOrderKey(float f) {
    if (f == 0.0f) f = 0.0f;
    const auto u = std::bit_cast<std::uint32_t>(f);
    return (u & 0x80000000u) ? ~u : (u | 0x80000000u);
}

bool manaOrder(const Combination* a, const Combination* b) {
    return floatOrderKey(a->mana) > floatOrderKey(b->mana);
}

bool tipOrder(const Combination* a, const Combination* b) {
    if (a->count1 != b->count1) return a->count1 > b->count1;
    if (a->count0 != b->count0) return a->count0 > b->count0;
    return manaOrder(a, b);
}

bool npOrder(const Combination* a, const Combination* b) { return a->np > b->np; }

bool sumManaOrder(const Combination* a, const Combination* b) {
    return floatOrderKey(a->sumMana) > floatOrderKey(b->sumMana);
}

bool hitsOrder(const Combination* a, const Combination* b) {
    if (a->hitCount != b->hitCount) return a->hitCount > b->hitCount;
    return sumManaOrder(a, b);
}

namespace {

std::uint32_t int8Key(std::int8_t v) { return static_cast<std::uint8_t>(v) ^ 0x80u; }

struct Keyed {
    std::uint64_t key; // ascending order of key = the table's order (highest first)
    Combination* rec;
};

// Stable sort of the table by `keyOf`, which returns keys below 2^Bits; rows with the smallest
// key come first. The keys are read once into (key, record) pairs. Short tables (the candidate
// lists) use a comparison sort of the pairs; long ones a least-significant-digit radix sort by
// bytes, skipping the byte positions on which all keys agree.
template <int Bits, class KeyOf> void sortByKey(Table& table, KeyOf keyOf) {
    constexpr int kDigits = (Bits + 7) / 8;
    constexpr std::size_t kShort = 512;
    const std::size_t n = table.size();
    if (n < 2) return;
    if (n < kShort) {
        Keyed pairs[kShort];
        for (std::size_t i = 0; i < n; ++i) pairs[i] = {keyOf(*table[i]), table[i]};
        std::stable_sort(pairs, pairs + n, [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
        for (std::size_t i = 0; i < n; ++i) table[i] = pairs[i].rec;
        return;
    }
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
    sortByKey<32>(table, [](const Combination& c) -> std::uint64_t { return ~floatOrderKey(c.mana); });
}

void sortByTip(Table& table) {
    sortByKey<48>(table, [](const Combination& c) -> std::uint64_t {
        const std::uint64_t asc = (std::uint64_t{int8Key(c.count1)} << 40) |
                                  (std::uint64_t{int8Key(c.count0)} << 32) | floatOrderKey(c.mana);
        return ~asc & ((std::uint64_t{1} << 48) - 1);
    });
}

void sortByNp(Table& table) {
    sortByKey<8>(table, [](const Combination& c) -> std::uint64_t { return 0xFFu - int8Key(c.np); });
}

void sortBySumMana(Table& table) {
    sortByKey<32>(table,
                  [](const Combination& c) -> std::uint64_t { return ~floatOrderKey(c.sumMana); });
}

void sortByHitsThenSumMana(Table& table) {
    sortByKey<64>(table, [](const Combination& c) -> std::uint64_t {
        return ~((std::uint64_t{c.hitCount} << 32) | floatOrderKey(c.sumMana));
    });
}

} // namespace kviro
