// One combination of the 13-match pool and the helpers that code and decode it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kviro {

constexpr int kMatches = 13;
constexpr int kAllCombinations = 1594323;  // 3^13
constexpr std::uint32_t kMaxCode = 44739242; // thirteen "2" signs

// A sign is stored as the digit of the same value: 0 = "0", 1 = "1", 2 = "2".
// The fields and their order are fixed; tables share records by pointer.
struct Combination {
    std::int32_t ordinal = 0;   // position in MORE when handed over as the network
    std::int32_t serial = 0;    // number that followed the code in a .TUK file
    std::int8_t count0 = 0;
    std::int8_t count1 = 0;
    std::int8_t count2 = 0;
    float mana = 0.0f;
    std::int8_t np = 0;
    std::uint32_t code = 0;     // base-4 code, match 1 most significant
    // Rows of a network that hit a POTA12 candidate with 13 and with 12 signs. A network may
    // repeat a row any number of times (a .MOR file), so the counts are far wider than a byte;
    // 28 bits each share one 8-byte unit with tukSource, which keeps the record at 40 bytes.
    std::uint64_t hits13 : 28 = 0;
    std::uint64_t hits12 : 28 = 0;
    std::int8_t tukSource = 0;
    std::uint32_t hitCount = 0;
    float sumMana = 0.0f;
};
static_assert(sizeof(Combination) <= 40, "Combination must stay small: 1.6M of them live at once");

// The largest hits13 or hits12 a record holds. A network that large (268 million rows, some
// 15 GB of records and table entries) does not fit in memory; a count is stored capped all the
// same, never wrapped.
constexpr std::uint32_t kMaxRowHits = (1u << 28) - 1;
constexpr std::uint32_t cappedRowHits(std::uint64_t n) {
    return n > kMaxRowHits ? kMaxRowHits : static_cast<std::uint32_t>(n);
}

using Table = std::vector<Combination*>;

// The codes of a table in its order (what a print takes with it when it starts, so that the
// table may change while the printer works; what a check compares later).
inline std::vector<std::uint32_t> tableCodes(const Table& table) {
    std::vector<std::uint32_t> codes;
    codes.reserve(table.size());
    for (const Combination* rec : table)
        codes.push_back(rec->code);
    return codes;
}
using Digits = std::array<int, kMatches>; // element 0 is match 1

// Sets count0/count1/count2 and code from 13 digits (match 1 first) and returns the code.
// A digit other than 0, 1 or 2 still enters the code but is counted nowhere.
std::uint32_t combinationCode(Combination& rec, const Digits& digits);
std::uint32_t combinationCode(Combination& rec, const int digits[kMatches]);

// The code of 13 digits without a record.
constexpr std::uint32_t codeOf(const Digits& digits) {
    std::uint32_t code = 0;
    for (int d : digits) code = code * 4 + static_cast<std::uint32_t>(d);
    return code;
}

// Digit (0, 1 or 2) of match a = 1 ... 13.
constexpr int signAt(std::uint32_t code, int a) {
    return static_cast<int>((code >> (2 * (kMatches - a))) & 3u);
}
inline int signAt(const Combination& rec, int a) { return signAt(rec.code, a); }

// The 13 signs as text, match 1 first.
std::string signText(std::uint32_t code);
inline std::string signText(const Combination& rec) { return signText(rec.code); }

// Number of matches where the two combinations differ (0 ... 13).
inline int differingMatches(std::uint32_t a, std::uint32_t b) {
    std::uint32_t x = a ^ b;
    // One bit per match that differs: fold each 2-bit group onto its low bit.
    x = (x | (x >> 1)) & 0x05555555u;
    return __builtin_popcount(x);
}

// Number of matches where the two combinations differ, counting stops once past two:
// the result is 0, 1, 2 or 3 (3 meaning "three or more").
inline int signDifferences(std::uint32_t a, std::uint32_t b) {
    const int n = differingMatches(a, b);
    return n > 3 ? 3 : n;
}
inline int signDifferences(const Combination& a, const Combination& b) {
    return signDifferences(a.code, b.code);
}

// Hits between two combinations: matches with the same sign.
inline int hitsBetween(std::uint32_t a, std::uint32_t b) {
    return kMatches - differingMatches(a, b);
}

// True when every base-4 digit of the code is 0, 1 or 2 and the code is in range.
bool isValidCode(std::uint32_t code);

} // namespace kviro
