// Random networks for the coverage tests: rows gathered round a few centres so that candidates
// hit many of them, some repeated (separate records with one code, as a .MOR file may hold),
// some with a digit 3, and MANA values that are not the valuation's, in no particular order.
#pragma once

#include "core/Probability.h"
#include "core/RecordPool.h"
#include "core/Toto13class.h"

#include <algorithm>
#include <random>
#include <vector>

namespace kviro::testing {

inline Table randomNetwork(RecordPool& pool, std::mt19937& rng, std::size_t n,
                           const ProbabilityTable& p) {
    std::uniform_int_distribution<int> sign(0, 2);
    std::uniform_int_distribution<int> match(0, kMatches - 1);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<Digits> centres(1 + n / 150);
    for (Digits& c : centres)
        for (int& d : c)
            d = sign(rng);
    Table out;
    while (out.size() < n) {
        const double roll = unit(rng);
        Combination* r = pool.make();
        if (roll < 0.08 && !out.empty()) { // a repeated row
            const Combination& from =
                *out[std::uniform_int_distribution<std::size_t>(0, out.size() - 1)(rng)];
            r->code = from.code;
            r->count0 = from.count0;
            r->count1 = from.count1;
            r->count2 = from.count2;
            r->mana = unit(rng) < 0.5 ? from.mana : static_cast<float>(unit(rng) * 50);
        } else {
            Digits d{};
            if (roll < 0.2) {
                for (int& v : d)
                    v = sign(rng);
            } else {
                d = centres[std::uniform_int_distribution<std::size_t>(0, centres.size() - 1)(rng)];
                const int changes = std::uniform_int_distribution<int>(0, 4)(rng);
                for (int k = 0; k < changes; ++k)
                    d[match(rng)] = sign(rng);
            }
            if (unit(rng) < 0.04) d[match(rng)] = 3; // only a .MOR file can bring this
            combinationCode(*r, d);
            valueCombination(*r, p);
            if (unit(rng) < 0.3) r->mana = static_cast<float>(unit(rng) * 1000.0); // loaded value
        }
        r->serial = static_cast<std::int32_t>(out.size());
        out.push_back(r);
    }
    std::shuffle(out.begin(), out.end(), rng);
    return out;
}

// Row indices to take as X: a few at random, the first, and a row with a digit 3 if any.
inline std::vector<std::size_t> pickRows(const Table& t, std::mt19937& rng, int count) {
    std::vector<std::size_t> rows{0};
    std::uniform_int_distribution<std::size_t> any(0, t.size() - 1);
    for (int k = 1; k < count; ++k)
        rows.push_back(any(rng));
    for (std::size_t i = 0; i < t.size(); ++i)
        if (!isValidCode(t[i]->code)) {
            rows.push_back(i);
            break;
        }
    return rows;
}

} // namespace kviro::testing
