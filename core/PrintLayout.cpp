#include "core/PrintLayout.h"

namespace kviro {

bool layoutPrint(std::span<const std::uint32_t> codes, int pageWidth, int pageHeight,
                 const TextMetrics& metrics, std::string_view header, std::string_view date,
                 PrintSink& sink, const std::atomic<bool>* stop) {
    const int lineHeight = metrics.height("hj");
    const int pitch = lineHeight + lineHeight % 2;
    const int blockGap = pageHeight % 55;
    const int margin = metrics.width("MMMMM");
    const int edge = metrics.width("MM");
    const int cell = metrics.width("0");

    int y = pageHeight % 50;
    if (!header.empty()) sink.text(edge, y, header);
    if (!date.empty()) sink.text(pageWidth - edge - metrics.width(date), y, date);
    y += 3 * lineHeight;

    const std::size_t n = codes.size();
    const int column = margin + metrics.width(std::to_string(n) + ".00");
    static constexpr char kSign[4][2] = {"0", "1", "2", "3"};
    for (std::size_t i = 0; i < n; ++i) {
        if (stop && stop->load(std::memory_order_relaxed)) return false;
        const std::string place = std::to_string(i + 1);
        sink.text(column - metrics.width(place + ".00"), y, place);
        int x = column;
        for (int j = 1; j <= kMatches; ++j) {
            sink.text(x + j * cell, y, kSign[signAt(codes[i], j)]);
            if (j == 3 || j == 6 || j == 9) x += cell;
        }
        y += pitch;
        if ((i + 1) % 8 == 0) {
            y += blockGap;
            // A page is turned only for a line that follows: no blank sheet after the last.
            if (y + 12 * lineHeight > pageHeight && i + 1 < n) {
                sink.newPage();
                y = 0;
            }
        }
    }
    return true;
}

namespace {

class PageCollector final : public PrintSink {
  public:
    std::vector<PrintPage> pages{PrintPage{}};
    void text(int x, int y, std::string_view text) override {
        pages.back().push_back({x, y, std::string(text)});
    }
    void newPage() override { pages.emplace_back(); }
};

} // namespace

std::vector<PrintPage> printPages(std::span<const std::uint32_t> codes, int pageWidth,
                                  int pageHeight, const TextMetrics& metrics,
                                  std::string_view header, std::string_view date) {
    PageCollector collector;
    layoutPrint(codes, pageWidth, pageHeight, metrics, header, date, collector);
    return std::move(collector.pages);
}

} // namespace kviro
