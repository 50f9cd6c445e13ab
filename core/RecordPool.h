// Records are made in large blocks and never move, so tables can share them by pointer.
// A block is released when no table refers to any of its records any more (see sweep).
#pragma once

#include "core/Toto13class.h"

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <vector>

namespace kviro {

class RecordPool {
public:
    // A block is 4 MiB, aligned to 2 MiB so the kernel can back it with huge pages: a full
    // table then costs a few dozen page faults instead of some fourteen thousand.
    static constexpr std::size_t kBlockBytes = std::size_t{4} << 20;
    static constexpr std::size_t kBlockAlign = std::size_t{2} << 20;
    static constexpr std::size_t kBlockRecords = kBlockBytes / sizeof(Combination);

    RecordPool() = default;
    RecordPool(const RecordPool&) = delete;
    RecordPool& operator=(const RecordPool&) = delete;
    RecordPool(RecordPool&&) noexcept = default;
    RecordPool& operator=(RecordPool&&) noexcept = default;

    // A new record with every field zero.
    Combination* make() {
        if (used_ == kBlockRecords || blocks_.empty()) newBlock();
        return blocks_.back().records.get() + used_++;
    }
    // A new record holding a copy of another.
    Combination* make(const Combination& from) {
        Combination* rec = make();
        *rec = from;
        return rec;
    }

    // Releases every block none of whose records any of the given tables refers to.
    // Records the tables do not name may be released; the caller lists every table
    // that can still hold records of this pool.
    void sweep(std::initializer_list<const Table*> tables);
    // Releases everything.
    void clear();

    std::size_t blockCount() const { return blocks_.size(); }
    // True when the record lies in one of this pool's live blocks.
    bool owns(const Combination* rec) const;

private:
    struct FreeBlock {
        void operator()(Combination* p) const noexcept;
    };
    struct Block {
        std::unique_ptr<Combination, FreeBlock> records;
    };
    void newBlock();

    std::vector<Block> blocks_; // the last block is the one being filled
    std::size_t used_ = 0;      // records handed out from the last block
};

} // namespace kviro
