// Page layout of a printed combination list: a numbered line of 13 signs per combination,
// in blocks of eight lines, header and date on the first page.
#pragma once

#include "core/TextMetrics.h"
#include "core/Toto13class.h"

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kviro {

// The document name the print queue shows.
inline constexpr const char* kPrintJobName = "KVIRO - ispis kombinacija";

// Receives the printout in drawing order. The first page is open from the start.
class PrintSink {
  public:
    virtual ~PrintSink() = default;
    // Draw the text with its top-left corner at (x, y) on the current page.
    virtual void text(int x, int y, std::string_view text) = 0;
    // End the current page and open the next one.
    virtual void newPage() = 0;
};

// Lays out the combinations (their codes, in print order) on pages of the given size, in
// device pixels and measured with the printout's font. The header (if not empty) stands at
// the top left of the first page and the date (if not empty) at its top right; the first
// page starts at pageHeight mod 50, later pages at 0. A line is the place, right-aligned in
// a column as wide as "<count>.00", then the signs in groups of 3, 3, 3 and 4; blocks of
// eight lines are followed by a gap of pageHeight mod 55, and a new page is started after a
// block when less than 12 line heights remain and another line follows.
// Returns false when `stop` was raised before the last line.
bool layoutPrint(std::span<const std::uint32_t> codes, int pageWidth, int pageHeight,
                 const TextMetrics& metrics, std::string_view header, std::string_view date,
                 PrintSink& sink, const std::atomic<bool>* stop = nullptr);

// The same layout collected into pages (for previews and tests).
struct PlacedText {
    int x = 0;
    int y = 0;
    std::string text;
    friend bool operator==(const PlacedText&, const PlacedText&) = default;
};
using PrintPage = std::vector<PlacedText>;
std::vector<PrintPage> printPages(std::span<const std::uint32_t> codes, int pageWidth,
                                  int pageHeight, const TextMetrics& metrics,
                                  std::string_view header, std::string_view date);

} // namespace kviro
