#include "core/Coverage.h"

#include "core/CoverageEngine.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <span>

namespace kviro {

// ---- the index ------------------------------------------------------------------------------

bool NetworkIndex::describes(const Table& network) const {
    return built_ && rows_.size() == network.size() &&
           (network.empty() ||
            std::memcmp(rows_.data(), network.data(), network.size() * sizeof(Combination*)) == 0);
}

void NetworkIndex::clear() {
    Table().swap(rows_);
    rank_.clear();
    std::vector<std::uint64_t>().swap(seen_);
    std::vector<std::int32_t>().swap(place_);
    built_ = false;
}

void NetworkIndex::sync(const Table& network) {
    if (describes(network)) return;
    const std::size_t n = network.size();
    rows_ = network;
    rank_.build(rows_);
    seen_.assign(n / 64 + 1, 0);
    place_.assign(n, 0);
    built_ = true;
}

struct NetworkIndex::Access {
    NetworkIndex& index;

    // Counts the rows at 0, 1 and 2 differences from `code` into hits[] and appends the
    // positions of those at `sumLimit` differences or fewer to `positions` (unordered).
    void gather(std::uint32_t code, int sumLimit, std::uint32_t hits[3],
                std::vector<std::int32_t>& positions) const {
        index.rank_.forEachRowWithin<2>(code, [&](std::int32_t p, int d) {
            ++hits[d];
            if (d <= sumLimit) positions.push_back(p);
        });
    }

    // Values every candidate. The rows each candidate sums are listed first; the positions
    // met are then put in network order once (a bit per position), so that each candidate's
    // sum runs over its rows in network order without a sort of its own.
    void value(const Table& network, std::span<CandidateFigures> candidates, int sumLimit,
               const CandidateProgress& progress) const {
        std::vector<std::int32_t> positions;
        std::vector<std::size_t> start(candidates.size() + 1, 0);
        positions.reserve(candidates.size() * 340);
        for (std::size_t c = 0; c < candidates.size(); ++c) {
            gather(candidates[c].code, sumLimit, candidates[c].hits, positions);
            start[c + 1] = positions.size();
        }
        if (positions.size() * 4 < index.seen_.size()) { // few rows: sort each candidate's own
            for (std::size_t c = 0; c < candidates.size(); ++c) {
                std::sort(positions.begin() + static_cast<long>(start[c]),
                          positions.begin() + static_cast<long>(start[c + 1]));
                float sum = 0.0f;
                for (std::size_t k = start[c]; k < start[c + 1]; ++k)
                    sum += network[static_cast<std::size_t>(positions[k])]->mana;
                candidates[c].sumMana = sum;
                if (progress) progress(static_cast<int>(c + 1));
            }
            return;
        }
        std::uint64_t* seen = index.seen_.data();
        for (const std::int32_t p : positions)
            seen[p >> 6] |= std::uint64_t{1} << (p & 63);
        // In network order: the places, and the MANA of the rows met.
        std::int32_t* place = index.place_.data();
        std::vector<float> mana;
        mana.reserve(positions.size());
        for (std::size_t w = 0; w < index.seen_.size(); ++w) {
            std::uint64_t bits = seen[w];
            if (!bits) continue;
            seen[w] = 0;
            do {
                const auto p = static_cast<std::int32_t>(
                    w * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
                place[p] = static_cast<std::int32_t>(mana.size());
                mana.push_back(network[static_cast<std::size_t>(p)]->mana);
                bits &= bits - 1;
            } while (bits);
        }
        std::vector<std::uint64_t> mine((mana.size() + 63) / 64, 0);
        for (std::size_t c = 0; c < candidates.size(); ++c) {
            std::size_t lowWord = mine.size(), highWord = 0;
            for (std::size_t k = start[c]; k < start[c + 1]; ++k) {
                const auto q = static_cast<std::size_t>(place[positions[k]]);
                mine[q >> 6] |= std::uint64_t{1} << (q & 63);
                lowWord = std::min(lowWord, q >> 6);
                highWord = std::max(highWord, q >> 6);
            }
            float sum = 0.0f;
            for (std::size_t w = lowWord; w <= highWord && w < mine.size(); ++w) {
                std::uint64_t bits = mine[w];
                mine[w] = 0;
                while (bits) {
                    sum += mana[w * 64 + static_cast<std::size_t>(std::countr_zero(bits))];
                    bits &= bits - 1;
                }
            }
            candidates[c].sumMana = sum;
            if (progress) progress(static_cast<int>(c + 1));
        }
    }
};

// ---- valuing the candidates -------------------------------------------------------------------

void evaluateCandidates(const Table& network, std::span<CandidateFigures> candidates, int sumLimit,
                        NetworkIndex* networkIndex, const CandidateProgress& progress) {
    const std::uint32_t x = candidates[0].code;
    // The neighbourhood of a candidate only lists valid codes; a row whose own code is not
    // valid falls back on the comparison with every row.
    const bool byIndex = network.size() >= kIndexMinRows && ternaryRank(x) >= 0;
    if (!byIndex) {
        std::vector<std::uint32_t> codes(network.size());
        for (std::size_t k = 0; k < network.size(); ++k) {
            if (k + 16 < network.size()) __builtin_prefetch(network[k + 16]);
            codes[k] = network[k]->code;
        }
        for (std::size_t c = 0; c < candidates.size(); ++c) {
            CandidateFigures& f = candidates[c];
            scanCandidate(codes, network, sumLimit, f);
            if (progress) progress(static_cast<int>(c + 1));
        }
        return;
    }
    NetworkIndex local;
    NetworkIndex& index = networkIndex ? *networkIndex : local;
    index.sync(network);
    NetworkIndex::Access{index}.value(network, candidates, sumLimit, progress);
}

void scanCandidate(std::span<const std::uint32_t> codes, const Table& network, int sumLimit,
                   CandidateFigures& f) {
    std::uint32_t hits[4] = {0, 0, 0, 0};
    float sum = 0.0f;
    const std::uint32_t code = f.code;
    for (std::size_t k = 0; k < codes.size(); ++k) {
        const int d = signDifferences(code, codes[k]);
        ++hits[d];
        if (d <= sumLimit) sum += network[k]->mana;
    }
    f.hits[0] = hits[0];
    f.hits[1] = hits[1];
    f.hits[2] = hits[2];
    f.sumMana = sum;
}

Combination* makeValuedRecord(RecordPool& pool, std::uint32_t code, const ProbabilityTable& p) {
    Combination* rec = pool.make();
    Digits d{};
    for (int a = 1; a <= kMatches; ++a)
        d[static_cast<std::size_t>(a - 1)] = signAt(code, a);
    combinationCode(*rec, d);
    valueCombination(*rec, p);
    return rec;
}

Combination* makeCandidate(RecordPool& pool, const Combination& x, std::uint32_t code, bool isX,
                           const ProbabilityTable& p) {
    if (!isX) return makeValuedRecord(pool, code, p);
    Combination* rec = pool.make();
    rec->code = x.code;
    rec->count0 = x.count0;
    rec->count1 = x.count1;
    rec->count2 = x.count2;
    rec->mana = x.mana;
    rec->serial = x.serial;
    return rec;
}

void buildCandidateTable(Table& out, const Combination& x,
                         std::span<const CandidateFigures> figures, bool pota12,
                         const ProbabilityTable& p, RecordPool& pool) {
    out.clear();
    out.reserve(figures.size());
    for (std::size_t c = 0; c < figures.size(); ++c) {
        const CandidateFigures& f = figures[c];
        Combination* rec = makeCandidate(pool, x, f.code, c == 0, p);
        if (pota12) {
            rec->hits13 = cappedRowHits(f.hits[0]);
            rec->hits12 = cappedRowHits(f.hits[1]);
            rec->hitCount = f.hits[2];
        } else {
            rec->hits13 = 0;
            rec->hits12 = 0;
            rec->hitCount = f.hits[0] + f.hits[1] + f.hits[2];
        }
        rec->sumMana = f.sumMana;
        out.push_back(rec);
    }
    if (pota12)
        sortBySumMana(out);
    else
        sortByHitsThenSumMana(out);
}

namespace {

template <std::size_t N>
bool fillCandidates(Table& out, const Table& network, std::size_t index, const ProbabilityTable& p,
                    RecordPool& pool, NetworkIndex* networkIndex, const CandidateProgress& progress,
                    const std::array<std::uint32_t, N>& codes, bool pota12) {
    std::array<CandidateFigures, N> figures{};
    for (std::size_t c = 0; c < N; ++c)
        figures[c].code = codes[c];
    evaluateCandidates(network, figures, pota12 ? 1 : 2, networkIndex, progress);
    buildCandidateTable(out, *network[index], figures, pota12, p, pool);
    return true;
}

} // namespace

bool fillPota12(Table& pota12, const Table& network, std::size_t index, const ProbabilityTable& p,
                RecordPool& pool, NetworkIndex* networkIndex, const CandidateProgress& progress) {
    if (index >= network.size()) return false;
    return fillCandidates(pota12, network, index, p, pool, networkIndex, progress,
                          pota12CandidateCodes(network[index]->code), true);
}

bool fillPot11(Table& pot11, const Table& network, std::size_t index, const ProbabilityTable& p,
               RecordPool& pool, NetworkIndex* networkIndex, const CandidateProgress& progress) {
    if (index >= network.size()) return false;
    return fillCandidates(pot11, network, index, p, pool, networkIndex, progress,
                          pot11CandidateCodes(network[index]->code), false);
}

// ---- orders -----------------------------------------------------------------------------------

bool candidateBefore(std::uint32_t hitsA, float sumA, std::uint32_t hitsB, float sumB) {
    if (hitsA != hitsB) return hitsA > hitsB;
    return floatOrderKey(sumA) > floatOrderKey(sumB);
}

bool sortPota12BySection(Table& pota12, int section) {
    switch (section) {
    case 3:
        sortByMana(pota12);
        return true;
    case 5:
        sortBySumMana(pota12);
        return true;
    default:
        return false;
    }
}

bool sortPot11BySection(Table& pot11, int section) {
    switch (section) {
    case 3:
        sortByMana(pot11);
        return true;
    case 4:
        sortByHitsThenSumMana(pot11);
        return true;
    case 5:
        sortBySumMana(pot11);
        return true;
    default:
        return false;
    }
}

} // namespace kviro
