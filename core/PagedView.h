// Paging arithmetic of a list that shows one page of a long table beside a scroll bar whose
// position is the index of the first row shown. Used by the MORE view (25 lines) and the
// network window's MREZA and TUK views (6 and 8 lines); it knows nothing of painting.
#pragma once

#include <span>
#include <vector>

namespace kviro {

class PagedView {
public:
    explicit PagedView(int pageRows = 25) : pageRows_(pageRows < 1 ? 1 : pageRows) {}

    int pageRows() const { return pageRows_; }
    int count() const { return count_; }
    int topRow() const { return topRow_; }

    // The table's row count. A first row past the new end moves to the last row (0 when empty).
    void setCount(int count);
    // Puts `row` first on the page (a find, say); clamped to 0 ... count - 1.
    void setTopRow(int row);
    // Back to the first row, as after every command that rebuilds or reorders the table.
    void reset() { topRow_ = 0; }

    // Scroll bar range 0 ... scrollMaximum() with position topRow(). The last page ends with the
    // last row (maximum count - pageRows); a table shorter than a page gives the range 0 ... 0.
    // When a find has put a row of the last page first, the range reaches that row so the scroll
    // bar does not move the page back.
    int scrollMaximum() const;
    int scrollPosition() const { return topRow_; }
    // The scroll bar moved: the first row takes the position (clamped). True when it changed.
    bool scrollTo(int position);

    // Table index shown on list line `line` (0 ... pageRows - 1), or -1 for a blank line.
    int rowAt(int line) const;
    // Lines of the page that show a record.
    int visibleLines() const;
    // Table indices of the selected list lines, increasing, without duplicates; lines that are
    // outside the page or show no record are ignored.
    std::vector<int> selectedRows(std::span<const int> selectedLines) const;

private:
    int pageRows_;
    int count_ = 0;
    int topRow_ = 0;
};

} // namespace kviro
