#include "core/Guarantee.h"

#include "core/CodeSpace.h"
#include "core/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kviro {

ResultProbability::ResultProbability(const ProbabilityTable& p) {
    // hi: matches 1 ... 7 (the rank's digits above 729), lo: matches 8 ... 13.
    for (std::size_t r = 0; r < hi.size(); ++r) {
        double v = 1.0;
        std::size_t x = r;
        for (int m = 7; m >= 1; --m, x /= 3)
            v *= static_cast<double>(p[static_cast<std::size_t>(m - 1)][x % 3]) / 100.0;
        hi[r] = v;
    }
    for (std::size_t r = 0; r < lo.size(); ++r) {
        double v = 1.0;
        std::size_t x = r;
        for (int m = kMatches; m >= 8; --m, x /= 3)
            v *= static_cast<double>(p[static_cast<std::size_t>(m - 1)][x % 3]) / 100.0;
        lo[r] = v;
    }
}

namespace {

// Positions (1 ... 13) of the digits 3 of a code.
int digitThrees(std::uint32_t code, int where[kMatches]) {
    int k = 0;
    for (int a = 1; a <= kMatches; ++a)
        if (signAt(code, a) == 3) where[k++] = a;
    return k;
}

void writeBall(std::uint8_t* best, std::uint32_t code, std::int32_t rank, int extra) {
    forEachWithin<3>(code, rank, [best, extra](std::int32_t r, int d) {
        const int h = kMatches - d - extra;
        const auto u = static_cast<std::size_t>(r);
        if (h >= 10 && best[u] < h) best[u] = static_cast<std::uint8_t>(h);
    });
}

} // namespace

void bestHitsByRank(const Table& tuk, std::vector<std::uint8_t>& best) {
    best.assign(static_cast<std::size_t>(kAllCombinations), 0);
    std::uint8_t* b = best.data();
    // Balls in rank order: neighbouring rows' balls share most of their cache lines.
    std::vector<std::int32_t> ranks;
    ranks.reserve(tuk.size());
    for (const Combination* t : tuk) {
        const std::int32_t rank = ternaryRank(t->code);
        if (rank >= 0) ranks.push_back(rank);
    }
    std::sort(ranks.begin(), ranks.end());
    for (const std::int32_t rank : ranks) {
        // Branch-free: most writes of a ball land on fresh bytes.
        forEachWithin<3>(codeOfRank(rank), rank, [b](std::int32_t r, int d) {
            const auto u = static_cast<std::size_t>(r);
            const auto h = static_cast<std::uint8_t>(kMatches - d);
            b[u] = std::max(b[u], h);
        });
    }
    for (const Combination* t : tuk) {
        const std::uint32_t code = t->code;
        if (ternaryRank(code) >= 0) continue;
        if (code > kSignBits) continue;
        // A digit 3 differs from every sign: with k of them only the combinations within 3 - k
        // other signs are reached. Each filling of the digits 3 writes its ball less k; the
        // filling equal to a combination there gives it its true hits, the others fewer.
        int where[kMatches];
        const int k = digitThrees(code, where);
        if (k > 3) continue;
        int fills = 1;
        for (int i = 0; i < k; ++i)
            fills *= 3;
        for (int f = 0; f < fills; ++f) {
            std::uint32_t c = code;
            for (int i = 0, x = f; i < k; ++i, x /= 3)
                c = withSign(c, where[i], x % 3);
            writeBall(b, c, ternaryRank(c), k);
        }
    }
}

GuaranteeReport guaranteeReport(const Table& network, const Table& tuk, const ProbabilityTable& p) {
    GuaranteeReport rep;
    rep.tukRows = tuk.size();
    rep.networkRows = network.size();
    std::vector<std::uint8_t> best;
    bestHitsByRank(tuk, best);
    const ResultProbability prob(p);

    // Chances: for every block of 729 combinations sharing matches 1 ... 7, the low factors
    // summed by the combination's byte (four sets of sums, so that neighbours with the same
    // byte do not wait for each other; 64 bytes of 0 skipped at once), then times the high
    // factor.
    const std::uint8_t* b = best.data();
    double at[4] = {0, 0, 0, 0};
    for (std::size_t h = 0; h < prob.hi.size(); ++h) {
        const std::uint8_t* row = b + h * 729;
        double acc[4][16] = {};
        std::size_t l = 0;
        for (; l + 64 <= 729; l += 64) {
            std::uint64_t w[8];
            std::memcpy(w, row + l, 64);
            if (!((w[0] | w[1]) | (w[2] | w[3]) | (w[4] | w[5]) | (w[6] | w[7]))) continue;
            for (std::size_t j = 0; j < 64; ++j)
                acc[j & 3][row[l + j]] += prob.lo[l + j];
        }
        for (; l < 729; ++l)
            acc[0][row[l]] += prob.lo[l];
        const double f = prob.hi[h];
        double s = 0.0;
        for (int v = 13; v >= 10; --v) {
            s += (acc[0][v] + acc[1][v]) + (acc[2][v] + acc[3][v]);
            at[13 - v] += f * s;
        }
    }
    for (int i = 0; i < 4; ++i)
        rep.atLeast[static_cast<std::size_t>(i)] = at[i];
    double total = 1.0;
    for (const auto& m : p)
        total *= (static_cast<double>(m[0]) + m[1] + m[2]) / 100.0;
    rep.total = total;

    // The network: each row's class from its combination's byte; a combination met for the
    // first time (bit 7 marks it) adds its probability to the chance of lying in the network.
    std::uint8_t* mark = best.data();
    const std::size_t n = network.size();
    for (std::size_t k = 0; k < n; ++k) {
        if (k + 48 < n) __builtin_prefetch(network[k + 48]);
        const Combination& row = *network[k];
        const std::int32_t rank = ternaryRank(row.code);
        int hits = 0;
        if (rank >= 0) {
            std::uint8_t& m = mark[static_cast<std::size_t>(rank)];
            hits = m & 0x7f;
            if (!(m & 0x80)) {
                m |= 0x80;
                rep.inNetwork += prob.of(rank);
            }
        } else {
            for (const Combination* t : tuk)
                hits = std::max(hits, hitsBetween(row.code, t->code));
            if (hits < 10) hits = 0;
        }
        const auto c = static_cast<std::size_t>(hitClassOf(hits));
        ++rep.rows[c];
        rep.mana[c] += row.mana;
        rep.networkMana += row.mana;
        rep.minHits = std::min(rep.minHits, hits);
    }
    return rep;
}

// ---- texts ----------------------------------------------------------------------------------

std::string guaranteeHeadline(const GuaranteeReport& r) {
    if (r.tukRows == 0) return "TUK je prazan.";
    if (r.networkRows == 0) return "Mreža je prazna.";
    const std::size_t below = r.rows[3] + r.rows[4];
    const std::string start = "Ako je ishod u mreži, imate najmanje ";
    if (below == 0) return start + std::to_string(r.minHits) + " pogodaka.";
    if (below == r.networkRows) return "Ni za jedan ishod u mreži nemate jamstvo od 11 pogodaka.";
    return start + "11 pogodaka, osim " + combinationsCount(below, WordCase::Genitive) + " mreže.";
}

std::string shareText(double share, char sep) {
    return formatFixed(share * 100.0, 15, 2, sep) + " %";
}

std::string chanceText(double chance, char sep) {
    const double pct = chance * 100.0;
    if (pct == 0.0 || pct >= 0.01) return formatFixed(pct, 15, 2, sep) + " %";
    // Below 0.01 %: two significant digits.
    const int decimals = std::min(12, 1 - static_cast<int>(std::floor(std::log10(pct))));
    return formatFixed(pct, 15, decimals, sep) + " %";
}

std::string amountText(double amount, char sep) {
    return formatFixed(amount, 15, 2, sep);
}

} // namespace kviro
