// The guarantee report done the plain way: every network row compared with every TUK row sign by
// sign, and the chances by walking all 3^13 results, each compared with every TUK row and valued
// by the product of its 13 percentages.
#pragma once

#include "core/Guarantee.h"
#include "core/Toto13class.h"

#include <algorithm>
#include <set>

namespace kviro::reference {

// Matches with equal digits (a digit 3 equals only a 3).
inline int hits(std::uint32_t a, std::uint32_t b) {
    int h = 0;
    for (int m = 1; m <= kMatches; ++m)
        h += signAt(a, m) == signAt(b, m) ? 1 : 0;
    return h;
}

inline int bestHits(std::uint32_t code, const Table& tuk) {
    int best = 0;
    for (const Combination* t : tuk) {
        best = std::max(best, hits(code, t->code));
        if (best == kMatches) break;
    }
    return best;
}

// The network part; `inNetwork` summed over the distinct combinations of the network.
inline void guaranteeNetwork(GuaranteeReport& r, const Table& network, const Table& tuk,
                             const ProbabilityTable& p) {
    r.tukRows = tuk.size();
    r.networkRows = network.size();
    std::set<std::uint32_t> seen;
    for (const Combination* row : network) {
        int h = bestHits(row->code, tuk);
        if (h < 10) h = 0;
        ++r.rows[static_cast<std::size_t>(hitClassOf(h))];
        r.mana[static_cast<std::size_t>(hitClassOf(h))] += row->mana;
        r.networkMana += row->mana;
        r.minHits = std::min(r.minHits, h);
        if (isValidCode(row->code) && seen.insert(row->code).second) {
            double q = 1.0;
            for (int m = 1; m <= kMatches; ++m)
                q *= static_cast<double>(p[m - 1][signAt(row->code, m)]) / 100.0;
            r.inNetwork += q;
        }
    }
}

inline GuaranteeReport guarantee(const Table& network, const Table& tuk, const ProbabilityTable& p) {
    GuaranteeReport r;
    guaranteeNetwork(r, network, tuk, p);
    Digits d{};
    for (;;) {
        double q = 1.0;
        for (int m = 0; m < kMatches; ++m)
            q *= static_cast<double>(p[m][d[m]]) / 100.0;
        r.total += q;
        const int h = bestHits(codeOf(d), tuk);
        for (int k = 0; k < 4; ++k)
            if (h >= kMatches - k) r.atLeast[k] += q;
        int m = kMatches - 1;
        while (m >= 0 && d[m] == 2)
            d[m--] = 0;
        if (m < 0) break;
        ++d[m];
    }
    return r;
}

} // namespace kviro::reference
