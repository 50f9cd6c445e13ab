#include "core/TukOptimiser.h"

#include "core/AutoPot11.h"
#include "core/CodeSpace.h"
#include "core/Coverage.h"
#include "core/Guarantee.h"
#include "core/RecordPool.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <queue>
#include <random>
#include <unordered_set>

namespace kviro {
namespace {

constexpr std::int32_t kNone = -1;

double manaSum(const std::vector<std::uint32_t>& codes, const ProbabilityTable& p) {
    double sum = 0.0;
    for (const std::uint32_t c : codes)
        sum += manaOf(c, p);
    return sum;
}

// ---- structured codes ---------------------------------------------------------------------

// Words of length n (digits 0 ... 2, position 0 first) as base-4 numbers of n digits.
std::uint32_t packWord(const int* digits, int n) {
    std::uint32_t w = 0;
    for (int k = 0; k < n; ++k)
        w = w * 4 + static_cast<std::uint32_t>(digits[k]);
    return w;
}

// One block of a direct sum: words over `length` positions that cover their own space (all
// signs for a free match, the two allowed ones for a double) within `radius`.
struct Block {
    bool free;  // over three signs; otherwise over the two signs of double matches
    int length;
    int radius;
    int size;
};

constexpr std::array<Block, 9> kBlocks{{
    {true, 1, 0, 3},      // every sign
    {true, 1, 1, 1},      // one sign reaches the other two
    {true, 2, 1, 3},      // 00, 11, 22
    {true, 4, 1, 9},      // the tetracode (Hamming code of length 4)
    {true, 11, 2, 729},   // the Golay code
    {true, 13, 1, 59049}, // the Hamming code of length 13
    {false, 1, 0, 2},     // both signs
    {false, 1, 1, 1},     // one sign
    {false, 3, 1, 2},     // aaa, bbb
}};

// Words of a block as digit strings (for a double: 0 = the first allowed sign, 1 = the second).
std::vector<std::vector<int>> blockWords(const Block& b) {
    std::vector<std::vector<int>> out;
    auto unpack = [&](std::uint32_t w) {
        std::vector<int> d(static_cast<std::size_t>(b.length));
        for (int k = b.length - 1; k >= 0; --k) {
            d[static_cast<std::size_t>(k)] = static_cast<int>(w & 3u);
            w >>= 2;
        }
        out.push_back(std::move(d));
    };
    if (!b.free) {
        if (b.radius == 0) {
            out = {{0}, {1}};
        } else if (b.length == 1) {
            out = {{0}};
        } else {
            out = {{0, 0, 0}, {1, 1, 1}};
        }
        return out;
    }
    if (b.length == 1) {
        if (b.radius == 0)
            out = {{0}, {1}, {2}};
        else
            out = {{0}};
    } else if (b.length == 2) {
        out = {{0, 0}, {1, 1}, {2, 2}};
    } else if (b.length == 11) {
        for (const std::uint32_t w : golayCode11())
            unpack(w);
    } else {
        for (const std::uint32_t w : hammingCode(b.length))
            unpack(w);
    }
    return out;
}

// The smallest direct sum of blocks for `free` free and `doubles` double matches within
// `radius`; empty when none (cannot happen: single-word blocks reach any radius >= 1).
std::vector<Block> bestBlocks(int free, int doubles, int radius) {
    constexpr double kInf = 1e300;
    // cost[f][d][r]: fewest words for f free and d double matches with radius r.
    std::vector<double> cost(static_cast<std::size_t>((free + 1) * (doubles + 1) * (radius + 1)),
                             kInf);
    std::vector<int> choice(cost.size(), -1);
    auto at = [&](int f, int d, int r) {
        return static_cast<std::size_t>((f * (doubles + 1) + d) * (radius + 1) + r);
    };
    for (int r = 0; r <= radius; ++r)
        cost[at(0, 0, r)] = 1.0;
    for (int f = 0; f <= free; ++f)
        for (int d = 0; d <= doubles; ++d)
            for (int r = 0; r <= radius; ++r) {
                if (f == 0 && d == 0) continue;
                for (std::size_t b = 0; b < kBlocks.size(); ++b) {
                    const Block& k = kBlocks[b];
                    const int f0 = f - (k.free ? k.length : 0);
                    const int d0 = d - (k.free ? 0 : k.length);
                    const int r0 = r - k.radius;
                    if (f0 < 0 || d0 < 0 || r0 < 0) continue;
                    const double c = cost[at(f0, d0, r0)] * k.size;
                    if (c < cost[at(f, d, r)]) {
                        cost[at(f, d, r)] = c;
                        choice[at(f, d, r)] = static_cast<int>(b);
                    }
                }
            }
    std::vector<Block> out;
    int f = free, d = doubles, r = radius;
    while (f > 0 || d > 0) {
        const int b = choice[at(f, d, r)];
        if (b < 0) return {};
        const Block& k = kBlocks[static_cast<std::size_t>(b)];
        out.push_back(k);
        (k.free ? f : d) -= k.length;
        r -= k.radius;
    }
    return out;
}

// The direct sum for a product network: free matches take the free blocks in order, double
// matches the double blocks, fixed matches their sign.
std::vector<std::uint32_t> structuredCover(const std::vector<std::uint8_t>& shape, int radius) {
    std::vector<int> freeMatches, doubleMatches;
    std::uint32_t base = 0;
    for (int a = 1; a <= kMatches; ++a) {
        const std::uint8_t m = shape[static_cast<std::size_t>(a - 1)];
        const int n = std::popcount(m);
        if (n == 3)
            freeMatches.push_back(a);
        else if (n == 2)
            doubleMatches.push_back(a);
        else
            base = withSign(base, a, std::countr_zero(m));
    }
    const std::vector<Block> blocks = bestBlocks(static_cast<int>(freeMatches.size()),
                                                 static_cast<int>(doubleMatches.size()), radius);
    std::vector<std::uint32_t> words{base};
    std::size_t nextFree = 0, nextDouble = 0;
    for (const Block& b : blocks) {
        std::vector<int> matches;
        for (int k = 0; k < b.length; ++k)
            matches.push_back(b.free ? freeMatches[nextFree++] : doubleMatches[nextDouble++]);
        const auto blockList = blockWords(b);
        std::vector<std::uint32_t> grown;
        grown.reserve(words.size() * blockList.size());
        for (const std::uint32_t w : words)
            for (const auto& digits : blockList) {
                std::uint32_t c = w;
                for (int k = 0; k < b.length; ++k) {
                    const int a = matches[static_cast<std::size_t>(k)];
                    int s = digits[static_cast<std::size_t>(k)];
                    if (!b.free) { // the first or the second allowed sign
                        const std::uint8_t m = shape[static_cast<std::size_t>(a - 1)];
                        const int low = std::countr_zero(m);
                        s = s == 0 ? low : std::countr_zero(static_cast<unsigned>(m >> (low + 1))) + low + 1;
                    }
                    c = withSign(c, a, s);
                }
                grown.push_back(c);
            }
        words.swap(grown);
    }
    return words;
}

// ---- the search -----------------------------------------------------------------------------

class Optimiser {
  public:
    Optimiser(const Table& network, const ProbabilityTable& p, const OptimiseOptions& o,
              const std::atomic<bool>& stop, const OptimiseProgress& progress)
        : network_(network), p_(p), radius_(std::clamp(o.radius, 1, 3)), stop_(stop),
          progress_(progress), rng_(o.seed) {
        budget_ = o.steps ? o.steps : optimiseSteps(o.effort);
        roundSteps_ = o.roundSteps ? o.roundSteps : 20'000'000;
    }

    OptimiseResult run();

  private:
    bool stopped() const { return stop_.load(std::memory_order_relaxed); }
    void prepare();
    std::vector<std::uint32_t> globalGreedy();
    void removeRedundant(std::vector<std::uint32_t>& words);
    std::vector<std::uint32_t> firstRowGreedy(bool& finished);
    std::vector<std::uint32_t> automaticRun(bool& finished);
    std::vector<std::uint32_t> localSearch(std::vector<std::uint32_t> words);
    void offer(std::size_t rows);

    // Coverage counts of the search.
    void add(std::uint32_t code);
    void remove(std::uint32_t code);
    int loss(std::uint32_t code) const;
    void uncover(std::int32_t r);
    void recover(std::int32_t r);

    const Table& network_;
    const ProbabilityTable p_;
    const int radius_;
    const std::atomic<bool>& stop_;
    const OptimiseProgress& progress_;
    std::mt19937_64 rng_;
    std::uint64_t budget_ = 0;
    std::uint64_t roundSteps_ = 0;
    std::uint64_t steps_ = 0;
    std::size_t best_ = 0;

    std::vector<std::uint32_t> pinned_;    // covers of rows with a digit 3
    std::vector<std::int32_t> targets_;    // distinct ranks still to cover, in network order
    std::vector<std::uint8_t> isTarget_;   // per rank
    std::size_t maxReach_ = 1;             // most targets one code reaches

    std::vector<std::uint16_t> cc_;        // per rank: words within the radius
    std::vector<std::int32_t> uncovered_;  // targets no word reaches
    std::vector<std::int32_t> uncPos_;     // per rank: place in uncovered_, kNone
};

void Optimiser::offer(std::size_t rows) {
    if (best_ != 0 && rows >= best_) return;
    best_ = rows;
    if (progress_) progress_(rows);
}

void Optimiser::prepare() {
    isTarget_.assign(static_cast<std::size_t>(kAllCombinations), 0);
    std::vector<std::uint32_t> irregular;
    for (const Combination* row : network_) {
        const std::int32_t r = ternaryRank(row->code);
        if (r < 0) {
            irregular.push_back(row->code);
        } else if (!isTarget_[static_cast<std::size_t>(r)]) {
            isTarget_[static_cast<std::size_t>(r)] = 1;
            targets_.push_back(r);
        }
    }
    // A row with a digit 3 is covered by itself with its 3s read as 0 when it has no more 3s than
    // the radius (each 3 then costs one differing sign), otherwise only by its own code.
    for (const std::uint32_t x : irregular) {
        bool done = false;
        for (const std::uint32_t c : pinned_)
            done = done || differingMatches(c, x) <= radius_;
        if (done) continue;
        int threes = 0;
        std::uint32_t fixed = x & kSignBits;
        for (int a = 1; a <= kMatches; ++a)
            if (signAt(x, a) == 3) {
                ++threes;
                fixed = withSign(fixed, a, 0);
            }
        pinned_.push_back(threes <= radius_ ? fixed : x);
    }
    if (!pinned_.empty()) {
        for (const std::uint32_t c : pinned_) {
            const std::int32_t r = ternaryRank(c);
            if (r >= 0) {
                forEachWithinRadius(c, r, radius_, [&](std::int32_t q) {
                    isTarget_[static_cast<std::size_t>(q)] = 0;
                });
            } else {
                for (const std::int32_t t : targets_)
                    if (differingMatches(c, codeOfRank(t)) <= radius_)
                        isTarget_[static_cast<std::size_t>(t)] = 0;
            }
        }
        std::erase_if(targets_, [&](std::int32_t t) { return !isTarget_[static_cast<std::size_t>(t)]; });
    }
}

// Always the code that reaches the most uncovered targets (the more likely one on a tie), by a
// lazy priority queue: a popped entry whose count went stale goes back with its current count.
std::vector<std::uint32_t> Optimiser::globalGreedy() {
    std::vector<std::uint16_t> count(static_cast<std::size_t>(kAllCombinations), 0);
    std::uint16_t* cnt = count.data();
    for (const std::int32_t t : targets_)
        forEachWithinRadius(codeOfRank(t), t, radius_, [cnt](std::int32_t q) { ++cnt[q]; });
    struct Entry {
        std::uint16_t count;
        float mana;
        std::int32_t rank;
        bool operator<(const Entry& o) const {
            if (count != o.count) return count < o.count;
            if (mana != o.mana) return mana < o.mana;
            return rank > o.rank;
        }
    };
    std::vector<Entry> heap;
    for (std::int32_t r = 0; r < kAllCombinations; ++r)
        if (cnt[r]) {
            heap.push_back({cnt[r], manaOf(codeOfRank(r), p_), r});
            maxReach_ = std::max<std::size_t>(maxReach_, cnt[r]);
        }
    std::priority_queue<Entry> queue(std::less<Entry>(), std::move(heap));
    std::vector<std::uint8_t> covered(static_cast<std::size_t>(kAllCombinations), 0);
    std::size_t left = targets_.size();
    std::vector<std::uint32_t> words;
    while (left > 0 && !queue.empty()) {
        Entry e = queue.top();
        queue.pop();
        const std::uint16_t now = cnt[e.rank];
        if (now != e.count) {
            if (now) {
                e.count = now;
                queue.push(e);
            }
            continue;
        }
        const std::uint32_t code = codeOfRank(e.rank);
        words.push_back(code);
        forEachWithinRadius(code, e.rank, radius_, [&](std::int32_t q) {
            const auto k = static_cast<std::size_t>(q);
            if (!isTarget_[k] || covered[k]) return;
            covered[k] = 1;
            --left;
            forEachWithinRadius(codeOfRank(q), q, radius_, [cnt](std::int32_t y) { --cnt[y]; });
        });
    }
    return words;
}

void Optimiser::uncover(std::int32_t r) {
    uncPos_[static_cast<std::size_t>(r)] = static_cast<std::int32_t>(uncovered_.size());
    uncovered_.push_back(r);
}

void Optimiser::recover(std::int32_t r) {
    const std::int32_t pos = uncPos_[static_cast<std::size_t>(r)];
    const std::int32_t last = uncovered_.back();
    uncovered_[static_cast<std::size_t>(pos)] = last;
    uncPos_[static_cast<std::size_t>(last)] = pos;
    uncovered_.pop_back();
    uncPos_[static_cast<std::size_t>(r)] = kNone;
}

void Optimiser::add(std::uint32_t code) {
    forEachWithinRadius(code, ternaryRank(code), radius_, [this](std::int32_t q) {
        const auto k = static_cast<std::size_t>(q);
        if (cc_[k]++ == 0 && isTarget_[k]) recover(q);
    });
}

void Optimiser::remove(std::uint32_t code) {
    forEachWithinRadius(code, ternaryRank(code), radius_, [this](std::int32_t q) {
        const auto k = static_cast<std::size_t>(q);
        if (--cc_[k] == 0 && isTarget_[k]) uncover(q);
    });
}

// Targets that only this word reaches.
int Optimiser::loss(std::uint32_t code) const {
    int n = 0;
    const std::uint16_t* cc = cc_.data();
    const std::uint8_t* target = isTarget_.data();
    forEachWithinRadius(code, ternaryRank(code), radius_,
                        [&](std::int32_t q) { n += (cc[q] == 1) & target[q]; });
    return n;
}

// Removes, as long as it can, the least likely word whose every target another word reaches.
void Optimiser::removeRedundant(std::vector<std::uint32_t>& words) {
    cc_.assign(static_cast<std::size_t>(kAllCombinations), 0);
    uncPos_.assign(static_cast<std::size_t>(kAllCombinations), kNone);
    uncovered_.clear();
    for (const std::int32_t t : targets_)
        uncover(t);
    for (const std::uint32_t w : words)
        add(w);
    std::vector<std::pair<float, std::uint32_t>> order;
    for (const std::uint32_t w : words)
        order.emplace_back(manaOf(w, p_), w);
    std::sort(order.begin(), order.end());
    std::vector<std::uint32_t> kept;
    for (const auto& [mana, w] : order) {
        if (loss(w) == 0)
            remove(w);
        else
            kept.push_back(w);
    }
    words.swap(kept);
}

// The automatic run's rule at any radius: the first row still uncovered, and among the codes
// within reach of it the one reaching the most uncovered rows (the more likely one on a tie).
std::vector<std::uint32_t> Optimiser::firstRowGreedy(bool& finished) {
    finished = false;
    std::vector<std::uint16_t> count(static_cast<std::size_t>(kAllCombinations), 0);
    std::uint16_t* cnt = count.data();
    for (const std::int32_t t : targets_)
        forEachWithinRadius(codeOfRank(t), t, radius_, [cnt](std::int32_t q) { ++cnt[q]; });
    std::vector<std::uint8_t> covered(static_cast<std::size_t>(kAllCombinations), 0);
    std::vector<std::uint32_t> words;
    std::size_t left = targets_.size();
    std::size_t cursor = 0;
    while (left > 0) {
        if ((words.size() & 63) == 0 && stopped()) return words;
        while (covered[static_cast<std::size_t>(targets_[cursor])])
            ++cursor;
        const std::int32_t x = targets_[cursor];
        std::int32_t best = x;
        float bestMana = -1.0f;
        forEachWithinRadius(codeOfRank(x), x, radius_, [&](std::int32_t q) {
            if (cnt[q] < cnt[best]) return;
            const float m = manaOf(codeOfRank(q), p_);
            if (cnt[q] > cnt[best] || m > bestMana) {
                best = q;
                bestMana = m;
            }
        });
        const std::uint32_t code = codeOfRank(best);
        words.push_back(code);
        forEachWithinRadius(code, best, radius_, [&](std::int32_t q) {
            const auto k = static_cast<std::size_t>(q);
            if (!isTarget_[k] || covered[k]) return;
            covered[k] = 1;
            --left;
            forEachWithinRadius(codeOfRank(q), q, radius_, [cnt](std::int32_t y) { --cnt[y]; });
        });
    }
    finished = true;
    return words;
}

// The automatic run on the same network: automatic POT11 itself for 11 hits.
std::vector<std::uint32_t> Optimiser::automaticRun(bool& finished) {
    if (radius_ != 2) {
        std::vector<std::uint32_t> words = firstRowGreedy(finished);
        words.insert(words.end(), pinned_.begin(), pinned_.end());
        return words;
    }
    RecordPool pool;
    Table mreza = network_, tuk, pot11;
    const AutoPot11Result r = autoPot11(mreza, tuk, pot11, pool, p_, -1, stop_);
    finished = !r.stopped && mreza.empty();
    std::vector<std::uint32_t> words;
    for (const Combination* c : tuk)
        words.push_back(c->code);
    return words;
}

// A target's weight at the start. Each step that leaves it uncovered adds one, so a large start
// makes the weighting gentle: with weights starting at one the search soon trades many light
// targets for one heavy target and the number of uncovered ones runs away.
constexpr std::uint32_t kBaseWeight = 20000;
// Weights stop growing here, so that a code's score (the weights of up to 2,627 targets within
// reach at 10 hits) stays within 32 bits.
constexpr std::uint32_t kMaxWeight = 800000;
// Steps between two rounds of weighting; each round adds as much as the steps would have.
constexpr std::int32_t kWeighEvery = 8;
// Waiting times at the start are drawn below this; ticks of moves count on from it.
constexpr std::uint32_t kRandomStamps = 1u << 24;

// Weighted local search at a fixed size (the row-weighting search known for unicost set cover):
// each step takes out the word whose leaving uncovers the least weight and puts in, among the
// codes within reach of a random uncovered target, the one that covers the most uncovered
// weight; targets left uncovered then weigh one more, so that the search leaves places where it
// keeps failing. Ties go to the code that has waited longest; at the start the waiting times are
// drawn at random, so that the first ties do not follow the order of the walks. Whenever every
// target is covered the cover is kept if it is the best so far and the cheapest word leaves, one
// size down. Scores are kept incrementally: a target that changes between uncovered, covered
// once and covered more often changes the scores of the codes within reach of it only. Work is
// counted in neighbourhood walks, weighed by the size of the neighbourhood, and a scan of the
// words as one walk per 1,024 words. The search ends after `budget_` steps.
std::vector<std::uint32_t> Optimiser::localSearch(std::vector<std::uint32_t> words) {
    std::vector<std::uint32_t> best = words;
    if (words.size() < 2) return best;
    const std::size_t floor = (targets_.size() + maxReach_ - 1) / maxReach_;
    if (words.size() <= floor) return best;
    const std::uint64_t weight = std::max<std::uint64_t>(1, kBallSize[static_cast<std::size_t>(radius_)] / kBallSize[2]);
    const auto n = static_cast<std::size_t>(kAllCombinations);
    // Counts were left by removeRedundant for exactly these words.
    std::vector<std::uint32_t> tw(n, 0);     // per target: its weight
    std::vector<std::int32_t> owners(n, 0);  // per target: XOR of the ranks of the words reaching it
    std::vector<std::int32_t> gainW(n, 0);   // per code: uncovered weight it would cover
    std::vector<std::int32_t> at(n, kNone);  // per code: place in `words`, kNone outside
    std::vector<std::uint32_t> stamp(n, 0);  // per code: step of its last move
    std::vector<std::uint8_t> free(n, 1);    // per code: may come in (configuration checking)
    std::vector<std::int64_t> lossW;         // per word: weight only it covers
    std::vector<std::int32_t> wr;            // per word: its rank
    std::vector<std::uint32_t> ws;           // per word: its stamp
    std::uint32_t* w = tw.data();
    std::int32_t* own = owners.data();
    std::int32_t* gw = gainW.data();
    std::int32_t* pos = at.data();
    std::uint8_t* mayAdd = free.data();
    std::uint16_t* cc = cc_.data();
    const std::uint8_t* target = isTarget_.data();
    std::uint64_t walks = 0;

    for (const std::int32_t t : targets_)
        w[t] = kBaseWeight;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::int32_t r = ternaryRank(words[i]);
        pos[r] = static_cast<std::int32_t>(i);
        forEachWithinRadius(words[i], r, radius_, [&](std::int32_t q) { own[q] ^= r; });
    }
    lossW.assign(words.size(), 0);
    for (auto& s : stamp)
        s = static_cast<std::uint32_t>(rng_() % kRandomStamps);
    for (const std::uint32_t c : words) {
        wr.push_back(ternaryRank(c));
        ws.push_back(stamp[static_cast<std::size_t>(wr.back())]);
    }
    for (const std::int32_t t : targets_)
        if (cc[t] == 1) lossW[static_cast<std::size_t>(pos[own[t]])] += w[t];

    auto putIn = [&](std::uint32_t code, std::int32_t r) {
        const auto me = words.size();
        pos[r] = static_cast<std::int32_t>(me);
        words.push_back(code);
        wr.push_back(r);
        ws.push_back(stamp[static_cast<std::size_t>(r)]);
        lossW.push_back(0);
        ++walks;
        forEachWithinRadius(code, r, radius_, [&](std::int32_t q) {
            const std::uint16_t c = ++cc[q];
            if (!target[q]) return;
            own[q] ^= r;
            if (c == 1) {
                recover(q);
                lossW[me] += w[q];
                const auto d = static_cast<std::int32_t>(w[q]);
                forEachWithinRadius(codeOfRank(q), q, radius_, [gw, d, mayAdd](std::int32_t y) {
                    gw[y] -= d;
                    mayAdd[y] = 1;
                });
                ++walks;
            } else if (c == 2) {
                lossW[static_cast<std::size_t>(pos[own[q] ^ r])] -= w[q];
            }
        });
    };
    auto takeOut = [&](std::size_t i) {
        const std::uint32_t code = words[i];
        const std::int32_t r = wr[i];
        ++walks;
        forEachWithinRadius(code, r, radius_, [&](std::int32_t q) {
            const std::uint16_t c = --cc[q];
            if (!target[q]) return;
            own[q] ^= r;
            if (c == 0) {
                uncover(q);
                const auto d = static_cast<std::int32_t>(w[q]);
                forEachWithinRadius(codeOfRank(q), q, radius_, [gw, d, mayAdd](std::int32_t y) {
                    gw[y] += d;
                    mayAdd[y] = 1;
                });
                ++walks;
            } else if (c == 1) {
                lossW[static_cast<std::size_t>(pos[own[q]])] += w[q];
            }
        });
        pos[r] = kNone;
        const std::size_t last = words.size() - 1;
        if (i != last) { // the last word takes the place
            words[i] = words[last];
            wr[i] = wr[last];
            ws[i] = ws[last];
            lossW[i] = lossW[last];
            pos[wr[i]] = static_cast<std::int32_t>(i);
        }
        words.pop_back();
        wr.pop_back();
        ws.pop_back();
        lossW.pop_back();
    };
    // The word whose leaving uncovers the least weight, the one that has waited longest on a
    // tie; `barred` (the word just put in) stays. words.size() when there is none. A scan of
    // the words: it costs less than keeping them in order, as every move changes the weights
    // of many of them.
    auto cheapest = [&](std::int32_t barred) {
        std::size_t pick = words.size();
        std::int64_t least = std::numeric_limits<std::int64_t>::max();
        std::uint32_t oldest = std::numeric_limits<std::uint32_t>::max();
        for (std::size_t i = 0; i < words.size(); ++i) {
            const std::int64_t l = lossW[i];
            if (l > least || wr[i] == barred) continue;
            if (l < least || ws[i] < oldest) {
                pick = i;
                least = l;
                oldest = ws[i];
            }
        }
        walks += words.size() / 1024;
        return pick;
    };

    double bestMana = manaSum(best, p_);
    std::uint32_t tick = kRandomStamps;
    std::int32_t lastAdded = kNone;
    std::int32_t sinceWeighed = 0;
    while (steps_ < budget_ && !stopped()) {
        walks = 0;
        if (uncovered_.empty()) {
            if (words.size() < best.size() ||
                (words.size() == best.size() && manaSum(words, p_) > bestMana)) {
                const bool smaller = words.size() < best.size();
                best = words;
                bestMana = manaSum(best, p_);
                if (smaller) offer(best.size() + pinned_.size());
            }
            if (words.size() <= floor) break;
            const std::size_t i = cheapest(kNone);
            stamp[wr[i]] = ++tick;
            takeOut(i);
            lastAdded = kNone;
            steps_ += walks * weight;
            continue;
        }
        const std::size_t i = cheapest(lastAdded);
        if (i == words.size()) break;
        const std::int32_t removed = wr[i];
        stamp[removed] = ++tick;
        takeOut(i);
        mayAdd[removed] = 0;
        const std::int32_t e = uncovered_[rng_() % uncovered_.size()];
        std::int32_t pick = kNone;
        forEachWithinRadius(codeOfRank(e), e, radius_, [&](std::int32_t q) {
            if (!mayAdd[q] || pos[q] != kNone) return;
            if (pick == kNone || gw[q] > gw[pick] || (gw[q] == gw[pick] && stamp[q] < stamp[pick]))
                pick = q;
        });
        if (pick == kNone) // every code within reach waits for a change around it: take the best
            forEachWithinRadius(codeOfRank(e), e, radius_, [&](std::int32_t q) {
                if (pos[q] == kNone && (pick == kNone || gw[q] > gw[pick])) pick = q;
            });
        ++walks;
        stamp[pick] = ++tick;
        putIn(codeOfRank(pick), pick);
        lastAdded = pick;
        if (++sinceWeighed == kWeighEvery) {
            sinceWeighed = 0; // weights grow in batches: fewer walks, same drift
            for (const std::int32_t u : uncovered_) {
                if (w[u] >= kMaxWeight) continue;
                w[u] += kWeighEvery;
                forEachWithinRadius(codeOfRank(u), u, radius_, [gw](std::int32_t y) { gw[y] += kWeighEvery; });
            }
            walks += uncovered_.size();
        }
        steps_ += walks * weight;
    }
    return best;
}
OptimiseResult Optimiser::run() {
    OptimiseResult result;
    result.verified = true;
    if (network_.empty()) return result;
    prepare();

    struct Cover {
        std::vector<std::uint32_t> codes;
        OptimiseMethod method;
    };
    std::vector<Cover> covers;
    auto withPinned = [this](std::vector<std::uint32_t> words) {
        words.insert(words.end(), pinned_.begin(), pinned_.end());
        return words;
    };

    std::vector<std::uint32_t> start;
    const std::vector<std::uint8_t> shape = productShape(network_);
    if (!shape.empty()) {
        start = structuredCover(shape, radius_);
        result.structuredRows = start.size();
        covers.push_back({start, OptimiseMethod::Structured});
        // Every code of the product reaches as many targets as the first word does.
        std::size_t reach = 0;
        forEachWithinRadius(start.front(), ternaryRank(start.front()), radius_, [&](std::int32_t q) {
            reach += isTarget_[static_cast<std::size_t>(q)];
        });
        maxReach_ = std::max<std::size_t>(reach, 1);
        offer(start.size());
    } else {
        start = globalGreedy();
        removeRedundant(start);
        result.greedyRows = start.size() + pinned_.size();
        covers.push_back({withPinned(start), OptimiseMethod::Greedy});
        offer(start.size() + pinned_.size());
    }

    bool automaticDone = false;
    std::vector<std::uint32_t> automatic = automaticRun(automaticDone);
    if (automaticDone) {
        result.automaticRows = automatic.size();
        covers.push_back({automatic, OptimiseMethod::Automatic});
        offer(automatic.size());
    }

    // The search in rounds, each from the best cover so far with fresh weights: a long search
    // otherwise settles where its weights have led it and stops finding smaller covers.
    if (!stopped() && budget_ > 0) {
        const std::uint64_t total = budget_;
        while (steps_ < total && !stopped()) {
            removeRedundant(start); // the counts the search starts from
            const std::uint64_t before = steps_;
            budget_ = std::min(total, steps_ + roundSteps_);
            start = localSearch(start);
            if (steps_ == before) break; // nothing left to search
        }
        budget_ = total;
        covers.push_back({withPinned(start), OptimiseMethod::LocalSearch});
    }
    result.steps = steps_;
    result.stopped = stopped();

    // Fewest rows first, then the larger MANA sum; the first that passes the check is returned.
    std::vector<std::pair<double, std::size_t>> order;
    for (std::size_t i = 0; i < covers.size(); ++i)
        order.emplace_back(manaSum(covers[i].codes, p_), i);
    std::stable_sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
        const std::size_t sa = covers[a.second].codes.size(), sb = covers[b.second].codes.size();
        return sa != sb ? sa < sb : a.first > b.first;
    });
    for (const auto& [sum, i] : order) {
        if (!coversNetwork(network_, covers[i].codes, radius_)) continue;
        result.codes = covers[i].codes;
        result.method = covers[i].method;
        result.sumMana = sum;
        break;
    }
    result.verified = !result.codes.empty();
    std::stable_sort(result.codes.begin(), result.codes.end(), [this](std::uint32_t a, std::uint32_t b) {
        return manaOf(a, p_) > manaOf(b, p_);
    });
    return result;
}

} // namespace

std::uint64_t optimiseSteps(OptimiseEffort effort) {
    switch (effort) {
    case OptimiseEffort::Quick: return 4'000'000;
    case OptimiseEffort::Thorough: return 40'000'000;
    case OptimiseEffort::Best: return 160'000'000;
    }
    return 0;
}

std::vector<std::uint32_t> golayCode11() {
    // Multiples m(x) g(x) mod x^11 - 1 of g(x) = x^5 + x^4 - x^3 + x^2 - 1, m of degree below 6.
    constexpr int g[6] = {2, 0, 1, 2, 1, 1}; // coefficients of x^0 ... x^5 (-1 = 2)
    std::vector<std::uint32_t> out;
    out.reserve(729);
    for (int m = 0; m < 729; ++m) {
        int msg[6], word[11] = {};
        for (int k = 0, v = m; k < 6; ++k, v /= 3)
            msg[k] = v % 3;
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 6; ++j)
                word[(i + j) % 11] = (word[(i + j) % 11] + msg[i] * g[j]) % 3;
        out.push_back(packWord(word, 11));
    }
    return out;
}

std::vector<std::uint32_t> hammingCode(int length) {
    // Columns: the nonzero vectors of GF(3)^m up to sign (first nonzero entry 1).
    const int m = length == 4 ? 2 : 3;
    std::vector<std::array<int, 3>> columns;
    for (int v = 1; v < 27 && static_cast<int>(columns.size()) < length; ++v) {
        std::array<int, 3> c{v % 3, v / 3 % 3, v / 9 % 3};
        if (m == 2 && c[2] != 0) continue;
        int first = 0;
        for (int k = 0; k < 3 && first == 0; ++k)
            first = c[static_cast<std::size_t>(k)];
        if (first == 1) columns.push_back(c);
    }
    std::vector<std::uint32_t> out;
    int total = 1;
    for (int k = 0; k < length; ++k)
        total *= 3;
    std::vector<int> digits(static_cast<std::size_t>(length), 0);
    for (int w = 0; w < total; ++w) {
        for (int k = length - 1, v = w; k >= 0; --k, v /= 3)
            digits[static_cast<std::size_t>(k)] = v % 3;
        int s[3] = {0, 0, 0};
        for (int k = 0; k < length; ++k)
            for (int i = 0; i < 3; ++i)
                s[i] += digits[static_cast<std::size_t>(k)] * columns[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)];
        if (s[0] % 3 == 0 && s[1] % 3 == 0 && s[2] % 3 == 0)
            out.push_back(packWord(digits.data(), length));
    }
    return out;
}

std::vector<std::uint8_t> productShape(const Table& network) {
    if (network.empty()) return {};
    std::vector<std::uint8_t> shape(kMatches, 0);
    std::vector<std::uint8_t> seen(static_cast<std::size_t>(kAllCombinations), 0);
    std::size_t distinct = 0;
    for (const Combination* row : network) {
        const std::int32_t r = ternaryRank(row->code);
        if (r < 0) return {};
        for (int a = 1; a <= kMatches; ++a)
            shape[static_cast<std::size_t>(a - 1)] |= static_cast<std::uint8_t>(1u << signAt(row->code, a));
        if (!seen[static_cast<std::size_t>(r)]) {
            seen[static_cast<std::size_t>(r)] = 1;
            ++distinct;
        }
    }
    std::size_t product = 1;
    for (const std::uint8_t m : shape)
        product *= static_cast<std::size_t>(std::popcount(m));
    return product == distinct ? shape : std::vector<std::uint8_t>{};
}

bool coversNetwork(const Table& network, const std::vector<std::uint32_t>& codes, int radius) {
    if (network.empty()) return true;
    if (codes.empty() || radius < 0 || radius > 3) return false;
    // The guarantee report's map of best hits (each code's ball of radius 3) for the rows that
    // are combinations, the index of the codes for the rows with a digit 3.
    std::vector<Combination> records(codes.size());
    Table cover;
    cover.reserve(codes.size());
    for (std::size_t k = 0; k < codes.size(); ++k) {
        records[k].code = codes[k];
        cover.push_back(&records[k]);
    }
    std::vector<std::uint8_t> best;
    bestHitsByRank(cover, best);
    RankIndex index;
    bool indexed = false;
    const int needed = kMatches - radius;
    for (const Combination* row : network) {
        const std::int32_t r = ternaryRank(row->code);
        if (r >= 0) {
            if (best[static_cast<std::size_t>(r)] < needed) return false;
            continue;
        }
        if (!indexed) {
            index.build(codes);
            indexed = true;
        }
        bool reached = false;
        index.forEachRowWithin<3>(row->code, [&](std::int32_t, int d) {
            reached = reached || d <= radius;
        });
        if (!reached) return false;
    }
    return true;
}

std::size_t addCoverToTuk(Table& tuk, const std::vector<std::uint32_t>& codes, std::int8_t source,
                          const ProbabilityTable& p, RecordPool& pool) {
    std::unordered_set<std::uint32_t> held;
    for (const Combination* r : tuk)
        held.insert(r->code);
    Table added;
    for (const std::uint32_t code : codes) {
        if (!held.insert(code).second) continue;
        Combination* rec = makeValuedRecord(pool, code, p);
        rec->tukSource = source;
        added.push_back(rec);
    }
    tuk.insert(tuk.begin(), added.begin(), added.end());
    return added.size();
}

OptimiseResult optimiseTuk(const Table& network, const ProbabilityTable& p,
                           const OptimiseOptions& options, const std::atomic<bool>& stop,
                           const OptimiseProgress& progress) {
    Optimiser o(network, p, options, stop, progress);
    return o.run();
}

} // namespace kviro
