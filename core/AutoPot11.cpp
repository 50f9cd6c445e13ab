#include "core/AutoPot11.h"

#include "core/CodeSpace.h"
#include "core/CoverageEngine.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace kviro {

// The run's own view of the network: the rows as they stood at the start, by position, with a
// mark for the rows that left it. Positions never move, so their order stays the network
// order; the network is written out only when asked for.
class AutoPot11Run {
  public:
    AutoPot11Run(const Table& mreza, const Table& tuk, const ProbabilityTable& p, RecordPool& pool)
        : start_(mreza), tukStart_(tuk), p_(p), pool_(pool) {}

    // Builds the index and the coverage counts; false when stopped meanwhile.
    bool prepare(const std::atomic<bool>& stop);
    AutoPot11Result run(int minHits, const std::atomic<bool>& stop, const AutoPot11StepFn& onStep);
    void writeTables(Table& mreza, Table& tuk) const;
    // The candidates of the last step, valued as that step saw the network.
    void writeLastCandidates(Table& pot11);

  private:
    static constexpr std::int32_t kNone = -1;

    bool alive(std::int32_t pos) const { return alive_[static_cast<std::size_t>(pos)] != 0; }
    // The first row still in the network at position `pos` or later; n_ when there is none.
    std::int32_t firstAliveFrom(std::int32_t pos);
    void kill(std::int32_t pos);
    // Figures of every candidate of the row at `pos`; hits only, or sums too.
    void evaluate(std::int32_t pos, bool withSums);
    // Exact figures of one candidate: rows at two differences or fewer and their mana sum.
    void gatherExact(CandidateFigures& f, std::vector<std::int32_t>& positions) const;
    std::uint32_t irregularHits(std::uint32_t code) const;
    std::size_t strike(std::uint32_t code);

    const Table start_;        // the network at the start (the caller's tables may be rewritten
    const Table tukStart_;     // by writeTables while the run goes on)
    const ProbabilityTable p_; // a copy: the caller may change its grid meanwhile
    RecordPool& pool_;

    std::int32_t n_ = 0;
    std::size_t aliveCount_ = 0;
    RankIndex index_; // the network at the start, by rank
    std::vector<float> mana_;
    std::vector<std::uint8_t> alive_;
    std::vector<std::int32_t> nextAlive_; // forest towards the next row still present
    std::vector<std::uint32_t> cover_;    // per rank: rows still present within two signs

    std::vector<Combination*> added_; // new TUK rows, oldest first
    std::unordered_set<std::uint32_t> tukCodes_;

    std::array<CandidateFigures, kPot11Candidates> cand_{};
    std::vector<std::int32_t> positions_;
    std::vector<std::int32_t> lastStruck_;
    std::int32_t lastX_ = kNone;
};

bool AutoPot11Run::prepare(const std::atomic<bool>& stop) {
    n_ = static_cast<std::int32_t>(start_.size());
    const auto n = static_cast<std::size_t>(n_);
    std::vector<std::uint32_t> codes(n);
    mana_.resize(n);
    alive_.assign(n, 1);
    nextAlive_.resize(n + 1);
    cover_.assign(static_cast<std::size_t>(kAllCombinations), 0);
    for (std::size_t k = 0; k < n; ++k) {
        if (k + 16 < n) __builtin_prefetch(start_[k + 16]);
        codes[k] = start_[k]->code;
        mana_[k] = start_[k]->mana;
        nextAlive_[k] = static_cast<std::int32_t>(k);
    }
    nextAlive_[n] = n_;
    aliveCount_ = n;
    index_.build(codes);
    std::uint32_t* cover = cover_.data();
    for (std::int32_t k = 0; k < n_; ++k) {
        if ((k & 4095) == 0 && stop.load(std::memory_order_relaxed)) return false;
        if (index_.rank(k) < 0) continue;
        forEachWithin<2>(index_.code(k), index_.rank(k),
                         [cover](std::int32_t r, int) { ++cover[r]; });
    }
    for (const Combination* r : tukStart_)
        tukCodes_.insert(r->code);
    positions_.reserve(1024);
    return true;
}

std::int32_t AutoPot11Run::firstAliveFrom(std::int32_t pos) {
    std::int32_t* up = nextAlive_.data();
    std::int32_t root = pos;
    while (up[root] != root)
        root = up[root];
    while (up[pos] != root) { // path compression
        const std::int32_t nxt = up[pos];
        up[pos] = root;
        pos = nxt;
    }
    return root;
}

void AutoPot11Run::kill(std::int32_t pos) {
    const auto k = static_cast<std::size_t>(pos);
    alive_[k] = 0;
    nextAlive_[k] = pos + 1;
    --aliveCount_;
    lastStruck_.push_back(pos);
    if (index_.rank(pos) >= 0) {
        std::uint32_t* cover = cover_.data();
        forEachWithin<2>(index_.code(pos), index_.rank(pos),
                         [cover](std::int32_t r, int) { --cover[r]; });
    }
}

std::uint32_t AutoPot11Run::irregularHits(std::uint32_t code) const {
    std::uint32_t hits = 0;
    for (const std::int32_t p : index_.irregular())
        if (alive(p) && signDifferences(code, index_.code(p)) <= 2) ++hits;
    return hits;
}

void AutoPot11Run::gatherExact(CandidateFigures& f, std::vector<std::int32_t>& positions) const {
    positions.clear();
    const std::uint8_t* live = alive_.data();
    index_.forEachRowWithin<2>(f.code, [&](std::int32_t q, int) {
        if (live[q]) positions.push_back(q);
    });
    // Network order (a code with a digit 3 was compared row by row, in order already).
    if (ternaryRank(f.code) >= 0) std::sort(positions.begin(), positions.end());
    float sum = 0.0f;
    for (const std::int32_t q : positions)
        sum += mana_[static_cast<std::size_t>(q)];
    f.hits[0] = static_cast<std::uint32_t>(positions.size());
    f.hits[1] = f.hits[2] = 0;
    f.sumMana = sum;
}

void AutoPot11Run::evaluate(std::int32_t pos, bool withSums) {
    const auto codes = pot11CandidateCodes(index_.code(pos));
    const bool byCover = index_.rank(pos) >= 0;
    for (int c = 0; c < kPot11Candidates; ++c) {
        CandidateFigures& f = cand_[static_cast<std::size_t>(c)];
        f = CandidateFigures{};
        f.code = codes[static_cast<std::size_t>(c)];
        if (withSums || !byCover) {
            gatherExact(f, positions_);
        } else {
            f.hits[0] = cover_[static_cast<std::size_t>(ternaryRank(f.code))] +
                        (index_.irregular().empty() ? 0 : irregularHits(f.code));
        }
    }
}

std::size_t AutoPot11Run::strike(std::uint32_t code) {
    lastStruck_.clear();
    // The rows first, then their removal.
    positions_.clear();
    index_.forEachRowWithin<2>(code, [&](std::int32_t q, int) {
        if (alive(q)) positions_.push_back(q);
    });
    for (const std::int32_t q : positions_)
        kill(q);
    return lastStruck_.size();
}

AutoPot11Result AutoPot11Run::run(int minHits, const std::atomic<bool>& stop,
                                  const AutoPot11StepFn& onStep) {
    AutoPot11Result result;
    std::int32_t cursor = firstAliveFrom(0);
    while (cursor < n_) {
        if (stop.load(std::memory_order_relaxed)) {
            result.stopped = true;
            break;
        }
        AutoPot11Step step;
        step.run_ = this;
        step.step = ++result.steps;
        lastX_ = cursor;
        lastStruck_.clear();

        // Hits alone decide the skip test and, mostly, the best candidate.
        const bool exactHits = index_.rank(cursor) < 0;
        evaluate(cursor, false);
        std::uint32_t best = 0;
        for (const CandidateFigures& f : cand_)
            best = std::max(best, f.hits[0]);
        step.hitCount = best;

        if (autoPot11Skips(minHits, best)) {
            ++result.skipped;
            const std::int32_t nextRow = firstAliveFrom(cursor + 1);
            step.last = nextRow >= n_;
            step.mrezaRows = aliveCount_;
            step.tukRows = added_.size() + tukStart_.size();
            if (onStep) onStep(step);
            cursor = nextRow;
            continue;
        }

        // Among the candidates with the most hits, the largest sum in network order wins; on
        // equal sums the first built.
        int chosen = -1;
        for (int c = 0; c < kPot11Candidates; ++c) {
            CandidateFigures& f = cand_[static_cast<std::size_t>(c)];
            if (f.hits[0] != best) continue;
            if (!exactHits) {
                gatherExact(f, positions_);
            }
            if (chosen < 0 || candidateBefore(best, f.sumMana, best,
                                              cand_[static_cast<std::size_t>(chosen)].sumMana))
                chosen = c;
        }
        const std::uint32_t bCode = cand_[static_cast<std::size_t>(chosen)].code & kSignBits;
        step.added = true;
        step.code = bCode;
        ++result.added;
        if (tukCodes_.insert(bCode).second) {
            Combination* rec = makeValuedRecord(pool_, bCode, p_);
            rec->tukSource = 1;
            added_.push_back(rec);
        } else {
            step.alreadyInTuk = true;
        }
        step.struck = strike(bCode);
        step.mrezaRows = aliveCount_;
        step.tukRows = added_.size() + tukStart_.size();
        step.last = aliveCount_ == 0;
        if (onStep) onStep(step);
        cursor = firstAliveFrom(0);
    }
    return result;
}

void AutoPot11Run::writeTables(Table& mreza, Table& tuk) const {
    mreza.clear();
    mreza.reserve(aliveCount_);
    for (std::int32_t q = 0; q < n_; ++q)
        if (alive(q)) mreza.push_back(start_[static_cast<std::size_t>(q)]);
    Table out;
    out.reserve(added_.size() + tukStart_.size());
    out.assign(added_.rbegin(), added_.rend());
    out.insert(out.end(), tukStart_.begin(), tukStart_.end());
    tuk.swap(out);
}

void AutoPot11Run::writeLastCandidates(Table& pot11) {
    if (lastX_ == kNone) return;
    // The step valued its candidates before its own strike: bring those rows back meanwhile.
    for (const std::int32_t q : lastStruck_)
        alive_[static_cast<std::size_t>(q)] = 1;
    const auto codes = pot11CandidateCodes(index_.code(lastX_));
    for (int c = 0; c < kPot11Candidates; ++c) {
        CandidateFigures& f = cand_[static_cast<std::size_t>(c)];
        f = CandidateFigures{};
        f.code = codes[static_cast<std::size_t>(c)];
        gatherExact(f, positions_);
    }
    for (const std::int32_t q : lastStruck_)
        alive_[static_cast<std::size_t>(q)] = 0;
    buildCandidateTable(pot11, *start_[static_cast<std::size_t>(lastX_)], cand_, false, p_, pool_);
}

void AutoPot11Step::writeTables(Table& mreza, Table& tuk) const {
    if (run_) run_->writeTables(mreza, tuk);
}

AutoPot11Result autoPot11(Table& mreza, Table& tuk, Table& pot11, RecordPool& pool,
                          const ProbabilityTable& p, int minHits, const std::atomic<bool>& stop,
                          const AutoPot11StepFn& onStep) {
    if (mreza.empty()) return {};
    AutoPot11Run run(mreza, tuk, p, pool);
    if (!run.prepare(stop)) {
        AutoPot11Result r;
        r.stopped = true;
        return r;
    }
    const AutoPot11Result result = run.run(minHits, stop, onStep);
    if (result.steps == 0) return result;
    run.writeLastCandidates(pot11);
    Table newMreza;
    Table newTuk;
    run.writeTables(newMreza, newTuk);
    mreza.swap(newMreza);
    tuk.swap(newTuk);
    return result;
}

} // namespace kviro
