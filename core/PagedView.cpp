#include "core/PagedView.h"

#include <algorithm>

namespace kviro {

void PagedView::setCount(int count) {
    count_ = std::max(count, 0);
    setTopRow(topRow_);
}

void PagedView::setTopRow(int row) { topRow_ = std::clamp(row, 0, std::max(count_ - 1, 0)); }

int PagedView::scrollMaximum() const { return std::max({count_ - pageRows_, topRow_, 0}); }

bool PagedView::scrollTo(int position) {
    const int before = topRow_;
    setTopRow(position);
    return topRow_ != before;
}

int PagedView::rowAt(int line) const {
    if (line < 0 || line >= pageRows_) return -1;
    const int row = topRow_ + line;
    return row < count_ ? row : -1;
}

int PagedView::visibleLines() const { return std::clamp(count_ - topRow_, 0, pageRows_); }

std::vector<int> PagedView::selectedRows(std::span<const int> selectedLines) const {
    std::vector<int> rows;
    rows.reserve(selectedLines.size());
    for (int line : selectedLines) {
        const int row = rowAt(line);
        if (row >= 0) rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace kviro
