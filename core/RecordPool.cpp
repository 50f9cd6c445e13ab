#include "core/RecordPool.h"

#include "core/LargeBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <new>
#include <type_traits>

namespace kviro {

static_assert(std::is_trivially_destructible_v<Combination>);
static_assert(RecordPool::kBlockBytes % RecordPool::kBlockAlign == 0);
static_assert(RecordPool::kBlockAlign == kLargeAlign);

void RecordPool::FreeBlock::operator()(Combination* p) const noexcept { std::free(p); }

void RecordPool::newBlock() {
    void* raw = allocateLarge(kBlockBytes);
    auto* records = static_cast<Combination*>(raw);
    for (std::size_t i = 0; i < kBlockRecords; ++i) ::new (records + i) Combination(); // all zero
    Block b;
    b.records.reset(records);
    blocks_.push_back(std::move(b));
    used_ = 0;
}

bool RecordPool::owns(const Combination* rec) const {
    const std::less<const Combination*> before;
    for (const Block& b : blocks_) {
        const Combination* first = b.records.get();
        if (!before(rec, first) && before(rec, first + kBlockRecords)) return true;
    }
    return false;
}

void RecordPool::sweep(std::initializer_list<const Table*> tables) {
    if (blocks_.empty()) return;
    // Blocks sorted by address, so a record's block is found by binary search.
    struct Range {
        const Combination* first;
        std::size_t index;
    };
    const std::less<const Combination*> before;
    std::vector<Range> ranges;
    ranges.reserve(blocks_.size());
    for (std::size_t i = 0; i < blocks_.size(); ++i) ranges.push_back({blocks_[i].records.get(), i});
    std::sort(ranges.begin(), ranges.end(),
              [&](const Range& a, const Range& b) { return before(a.first, b.first); });

    std::vector<char> live(blocks_.size(), 0);
    live.back() = 1; // keep the block being filled
    std::size_t liveCount = 1;
    for (const Table* t : tables) {
        const Combination* lastFirst = nullptr; // records of a table mostly come in runs
        for (const Combination* rec : *t) {
            if (lastFirst && !before(rec, lastFirst) && before(rec, lastFirst + kBlockRecords))
                continue;
            auto it = std::upper_bound(ranges.begin(), ranges.end(), rec,
                                       [&](const Combination* r, const Range& range) {
                                           return before(r, range.first);
                                       });
            if (it == ranges.begin()) continue; // not ours
            --it;
            if (!before(rec, it->first + kBlockRecords)) continue; // not ours
            lastFirst = it->first;
            if (!live[it->index]) {
                live[it->index] = 1;
                if (++liveCount == blocks_.size()) return; // every block is in use
            }
        }
    }
    std::vector<Block> kept;
    kept.reserve(liveCount);
    for (std::size_t i = 0; i < blocks_.size(); ++i)
        if (live[i]) kept.push_back(std::move(blocks_[i]));
    blocks_ = std::move(kept);
}

void RecordPool::clear() {
    blocks_.clear();
    used_ = 0;
}

} // namespace kviro
