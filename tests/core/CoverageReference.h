// Straightforward versions of the coverage procedures, written as plainly as the procedures
// read: every candidate compared with every network row sign by sign, the candidate list
// sorted, the network rebuilt after every strike. The engine is checked against them.
#pragma once

#include "core/Probability.h"
#include "core/RecordPool.h"
#include "core/Toto13class.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace kviro::reference {

// Matches at which the signs differ, walked from match 1 and stopped once past two.
inline int differences(const Combination& a, const Combination& b) {
    int d = 0;
    for (int m = 1; m <= kMatches && d < 3; ++m)
        if (signAt(a.code, m) != signAt(b.code, m)) ++d;
    return d;
}

inline int firstAfter(int s) {
    return s == 0 ? 1 : s == 1 ? 2 : s == 2 ? 0 : 1;
}

inline Digits digitsOf(const Combination& c) {
    Digits d{};
    for (int m = 1; m <= kMatches; ++m)
        d[m - 1] = signAt(c.code, m);
    return d;
}

inline Combination* newRow(RecordPool& pool, const Digits& d, const ProbabilityTable& p) {
    Combination* r = pool.make();
    combinationCode(*r, d);
    valueCombination(*r, p);
    return r;
}

inline Combination* copyOfX(RecordPool& pool, const Combination& x) {
    Combination* c = pool.make();
    c->code = x.code;
    c->count0 = x.count0;
    c->count1 = x.count1;
    c->count2 = x.count2;
    c->mana = x.mana;
    c->serial = x.serial;
    return c;
}

inline void pota12(Table& out, const Table& mreza, std::size_t index, const ProbabilityTable& p,
                   RecordPool& pool) {
    out.clear();
    const Combination& x = *mreza[index];
    out.push_back(copyOfX(pool, x));
    const Digits xd = digitsOf(x);
    for (int i = 0; i < kMatches; ++i) {
        Digits d = xd;
        d[i] = firstAfter(xd[i]);
        out.push_back(newRow(pool, d, p));
        d[i] = firstAfter(firstAfter(xd[i]));
        out.push_back(newRow(pool, d, p));
    }
    for (Combination* c : out) {
        c->hits13 = c->hits12 = 0;
        c->hitCount = 0;
        c->sumMana = 0;
        for (const Combination* m : mreza) {
            const int d = differences(*c, *m);
            if (d == 0) ++c->hits13;
            if (d == 1) ++c->hits12;
            if (d == 2) ++c->hitCount;
            if (d <= 1) c->sumMana += m->mana;
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const Combination* a, const Combination* b) {
        return a->sumMana > b->sumMana;
    });
}

inline void pot11(Table& out, const Table& mreza, std::size_t index, const ProbabilityTable& p,
                  RecordPool& pool) {
    out.clear();
    const Combination& x = *mreza[index];
    out.push_back(copyOfX(pool, x));
    const Digits xd = digitsOf(x);
    for (int i = 0; i < kMatches; ++i) {
        for (int si : {firstAfter(xd[i]), firstAfter(firstAfter(xd[i]))}) {
            Digits d = xd;
            d[i] = si;
            out.push_back(newRow(pool, d, p));
            for (int j = i + 1; j < kMatches; ++j) {
                Digits e = d;
                e[j] = firstAfter(xd[j]);
                out.push_back(newRow(pool, e, p));
                e[j] = firstAfter(firstAfter(xd[j]));
                out.push_back(newRow(pool, e, p));
            }
        }
    }
    for (Combination* c : out) {
        c->hits13 = c->hits12 = 0;
        c->hitCount = 0;
        c->sumMana = 0;
        for (const Combination* m : mreza) {
            if (differences(*c, *m) <= 2) {
                ++c->hitCount;
                c->sumMana += m->mana;
            }
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const Combination* a, const Combination* b) {
        if (a->hitCount != b->hitCount) return a->hitCount > b->hitCount;
        return a->sumMana > b->sumMana;
    });
}

inline bool skips(int minHits, std::uint32_t hits) {
    return (minHits <= 0 && minHits != -1) ||
           (minHits >= 1 && hits < static_cast<std::uint32_t>(minHits)) ||
           (minHits == -1 && hits == 0);
}

// The automatic run, step by step as described, ended after `maxSteps` steps at the latest;
// returns the number of steps.
inline std::size_t autoPot11(Table& mreza, Table& tuk, Table& pot11Table, const ProbabilityTable& p,
                             int minHits, RecordPool& pool, std::size_t maxSteps = SIZE_MAX) {
    std::size_t steps = 0;
    std::size_t n = 0;
    if (mreza.empty()) return 0;
    while (steps < maxSteps) {
        pot11(pot11Table, mreza, n, p, pool);
        ++steps;
        const Combination& b = *pot11Table[0];
        if (skips(minHits, b.hitCount)) {
            ++n;
            if (n >= mreza.size()) return steps;
            continue;
        }
        Combination* c = newRow(pool, digitsOf(b), p);
        const Combination* t = nullptr;
        for (const Combination* r : tuk)
            if (r->code == c->code) t = r;
        if (!t) {
            c->tukSource = 1;
            tuk.insert(tuk.begin(), c);
            t = c;
        }
        Table kept;
        for (Combination* r : mreza)
            if (differences(*t, *r) >= 3) kept.push_back(r);
        mreza = kept;
        if (mreza.empty()) return steps;
        n = 0;
    }
    return steps;
}

} // namespace kviro::reference
