#include "core/Fillerthread.h"

namespace kviro {

int generateAllCombinations(Table& more, RecordPool& pool, const std::atomic<bool>& stop) {
    more.reserve(more.size() + kAllCombinations);
    // Thirteen nested counters d1 ... d13, d13 innermost, kept as one odometer.
    Digits d{};
    int counts[3] = {kMatches, 0, 0};
    std::uint32_t code = 0;
    for (int n = 0; n < kAllCombinations; ++n) {
        if ((n & 1023) == 0 && stop.load(std::memory_order_relaxed)) return n;
        Combination* rec = pool.make();
        rec->code = code;
        rec->count0 = static_cast<std::int8_t>(counts[0]);
        rec->count1 = static_cast<std::int8_t>(counts[1]);
        rec->count2 = static_cast<std::int8_t>(counts[2]);
        more.push_back(rec);
        // Advance the odometer: the innermost digit that is not 2 goes up, those after it wrap.
        for (int k = kMatches - 1; k >= 0; --k) {
            const int shift = 2 * (kMatches - 1 - k);
            --counts[d[k]];
            if (d[k] < 2) {
                ++d[k];
                ++counts[d[k]];
                code += 1u << shift;
                break;
            }
            d[k] = 0;
            ++counts[0];
            code -= 2u << shift;
        }
    }
    return kAllCombinations;
}

} // namespace kviro
