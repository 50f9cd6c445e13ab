#include "core/TukOptimiser.h"

#include "core/AutoPot11.h"
#include "core/CodeSpace.h"
#include "core/Guarantee.h"
#include "core/RecordPool.h"

#include <algorithm>
#include <array>
#include <bit>
#include <queue>
#include <random>
#include <unordered_set>

namespace kviro {
namespace {

constexpr std::int32_t kNone = -1;

// The combinations (by rank) within `radius` (0 ... 3) differing signs of a combination.
template <class Visit>
void walkBall(std::uint32_t code, std::int32_t rank, int radius, Visit&& visit) {
    const auto v = [&visit](std::int32_t q, int) { visit(q); };
    switch (radius) {
    case 0: forEachWithin<0>(code, rank, v); break;
    case 1: forEachWithin<1>(code, rank, v); break;
    case 2: forEachWithin<2>(code, rank, v); break;
    default: forEachWithin<3>(code, rank, v); break;
    }
}

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
            done = done || exactDifferences(c, x) <= radius_;
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
                walkBall(c, r, radius_,
                              [&](std::int32_t q) { isTarget_[static_cast<std::size_t>(q)] = 0; });
            } else {
                for (const std::int32_t t : targets_)
                    if (exactDifferences(c, codeOfRank(t)) <= radius_)
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
        walkBall(codeOfRank(t), t, radius_, [cnt](std::int32_t q) { ++cnt[q]; });
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
        walkBall(code, e.rank, radius_, [&](std::int32_t q) {
            const auto k = static_cast<std::size_t>(q);
            if (!isTarget_[k] || covered[k]) return;
            covered[k] = 1;
            --left;
            walkBall(codeOfRank(q), q, radius_, [cnt](std::int32_t y) { --cnt[y]; });
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
    walkBall(code, ternaryRank(code), radius_, [this](std::int32_t q) {
        const auto k = static_cast<std::size_t>(q);
        if (cc_[k]++ == 0 && isTarget_[k]) recover(q);
    });
}

void Optimiser::remove(std::uint32_t code) {
    walkBall(code, ternaryRank(code), radius_, [this](std::int32_t q) {
        const auto k = static_cast<std::size_t>(q);
        if (--cc_[k] == 0 && isTarget_[k]) uncover(q);
    });
}

// Targets that only this word reaches.
int Optimiser::loss(std::uint32_t code) const {
    int n = 0;
    const std::uint16_t* cc = cc_.data();
    const std::uint8_t* target = isTarget_.data();
    walkBall(code, ternaryRank(code), radius_,
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
        walkBall(codeOfRank(t), t, radius_, [cnt](std::int32_t q) { ++cnt[q]; });
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
        walkBall(codeOfRank(x), x, radius_, [&](std::int32_t q) {
            if (cnt[q] < cnt[best]) return;
            const float m = manaOf(codeOfRank(q), p_);
            if (cnt[q] > cnt[best] || m > bestMana) {
                best = q;
                bestMana = m;
            }
        });
        const std::uint32_t code = codeOfRank(best);
        words.push_back(code);
        walkBall(code, best, radius_, [&](std::int32_t q) {
            const auto k = static_cast<std::size_t>(q);
            if (!isTarget_[k] || covered[k]) return;
            covered[k] = 1;
            --left;
            walkBall(codeOfRank(q), q, radius_, [cnt](std::int32_t y) { --cnt[y]; });
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

constexpr std::size_t kSlack = 1;
constexpr std::uint64_t kRuin = 4; // words a ruin removes besides the first: 1 ... kRuin

// Ruin and repair: a few words close to each other leave the cover, the targets they alone
// reached are covered again by the global greedy's rule restricted to them, and words that no
// longer reach a target of their own leave too. The new cover is kept when it is not larger
// (moves over plateaus keep the search going), otherwise the old one comes back. Work is
// counted in neighbourhood walks, weighed by the size of the neighbourhood.
std::vector<std::uint32_t> Optimiser::localSearch(std::vector<std::uint32_t> words) {
    std::vector<std::uint32_t> best = words;
    if (words.size() < 2) return best;
    const std::size_t floor = (targets_.size() + maxReach_ - 1) / maxReach_;
    const std::uint64_t weight = std::max<std::uint64_t>(1, kBallSize[static_cast<std::size_t>(radius_)] / kBallSize[2]);
    // Counts were left by removeRedundant for exactly these words.
    std::vector<std::uint16_t> gain(static_cast<std::size_t>(kAllCombinations), 0);
    std::uint16_t* g = gain.data();
    std::vector<std::int32_t> touched;
    std::vector<std::size_t> nearIdx;
    std::vector<std::uint32_t> ruined, added, dropped;
    const int reach = 2 * radius_ + 1;
    while (steps_ < budget_ && words.size() > floor && !stopped()) {
        // Ruin: a random word and up to two others within reach of it.
        const std::size_t first = rng_() % words.size();
        const std::uint32_t w0 = words[first];
        nearIdx.clear();
        for (std::size_t i = 0; i < words.size(); ++i)
            if (i != first && exactDifferences(words[i], w0) <= reach) nearIdx.push_back(i);
        const std::size_t extra = std::min<std::size_t>(nearIdx.size(), 1 + rng_() % kRuin);
        for (std::size_t k = 0; k < extra; ++k)
            std::swap(nearIdx[k], nearIdx[k + rng_() % (nearIdx.size() - k)]);
        nearIdx.resize(extra);
        nearIdx.push_back(first);
        std::sort(nearIdx.begin(), nearIdx.end(), std::greater<>());
        ruined.clear();
        for (const std::size_t i : nearIdx) {
            ruined.push_back(words[i]);
            remove(words[i]);
            words[i] = words.back();
            words.pop_back();
        }
        std::uint64_t walks = ruined.size();
        // Repair: the code reaching the most uncovered targets, the likelier on a tie.
        touched.clear();
        for (const std::int32_t u : uncovered_)
            walkBall(codeOfRank(u), u, radius_, [&](std::int32_t q) {
                if (g[q]++ == 0) touched.push_back(q);
            });
        walks += uncovered_.size();
        added.clear();
        while (!uncovered_.empty()) {
            std::int32_t pick = kNone;
            std::uint32_t ties = 0;
            for (const std::int32_t q : touched) {
                if (g[q] == 0) continue;
                if (pick == kNone || g[q] > g[pick]) {
                    pick = q;
                    ties = 1;
                } else if (g[q] == g[pick] && rng_() % ++ties == 0) {
                    pick = q; // a random one of the best, so that plateaus are explored
                }
            }
            const std::uint32_t code = codeOfRank(pick);
            walkBall(code, pick, radius_, [&](std::int32_t q) {
                const auto k = static_cast<std::size_t>(q);
                if (cc_[k] == 0 && isTarget_[k])
                    walkBall(codeOfRank(q), q, radius_, [g](std::int32_t y) { --g[y]; });
            });
            add(code);
            added.push_back(code);
            walks += 2 + maxReach_ / 8;
        }
        for (const std::int32_t q : touched)
            g[q] = 0;
        // Words that no longer reach a target of their own, the least likely first.
        dropped.clear();
        nearIdx.clear();
        for (std::size_t i = 0; i < words.size(); ++i)
            for (const std::uint32_t a : added)
                if (words[i] != a && exactDifferences(words[i], a) <= 2 * radius_) {
                    nearIdx.push_back(i);
                    break;
                }
        std::sort(nearIdx.begin(), nearIdx.end(), [&](std::size_t x, std::size_t y) {
            return manaOf(words[x], p_) < manaOf(words[y], p_);
        });
        std::vector<std::size_t> gone;
        for (const std::size_t i : nearIdx) {
            ++walks;
            if (loss(words[i]) == 0) {
                remove(words[i]);
                dropped.push_back(words[i]);
                gone.push_back(i);
            }
        }
        std::sort(gone.begin(), gone.end(), std::greater<>());
        for (const std::size_t i : gone) {
            words[i] = words.back();
            words.pop_back();
        }
        steps_ += walks * weight;
        // Not larger, or one above the best cover so far (record-to-record travel).
        const std::size_t after = words.size() + added.size();
        if (added.size() <= ruined.size() + dropped.size() || after <= best.size() + kSlack) {
            words.insert(words.end(), added.begin(), added.end());
            if (words.size() < best.size()) {
                best = words;
                offer(best.size() + pinned_.size());
            }
        } else { // the old cover comes back
            for (const std::uint32_t a : added)
                remove(a);
            for (const std::uint32_t d : dropped) {
                add(d);
                words.push_back(d);
            }
            for (const std::uint32_t r : ruined) {
                add(r);
                words.push_back(r);
            }
        }
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
        walkBall(start.front(), ternaryRank(start.front()), radius_,
                      [&](std::int32_t q) { reach += isTarget_[static_cast<std::size_t>(q)]; });
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

    if (!stopped() && budget_ > 0) {
        if (!shape.empty()) removeRedundant(start);
        covers.push_back({withPinned(localSearch(start)), OptimiseMethod::LocalSearch});
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
    case OptimiseEffort::Quick: return 1'000'000;
    case OptimiseEffort::Thorough: return 10'000'000;
    case OptimiseEffort::Best: return 40'000'000;
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
        Combination* rec = pool.make();
        Digits d{};
        for (int a = 1; a <= kMatches; ++a)
            d[static_cast<std::size_t>(a - 1)] = signAt(code, a);
        combinationCode(*rec, d);
        valueCombination(*rec, p);
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
