#include "core/ResultsCount.h"

#include "core/NumberText.h"

#include <algorithm>

namespace kviro {

ResultSigns readResultFields(const std::array<std::string, kMatches>& fields) {
    ResultSigns out;
    std::optional<ResultEntryError> empty;
    std::optional<ResultEntryError> notSign;
    for (int k = 0; k < kMatches; ++k) {
        const std::string& text = fields[static_cast<std::size_t>(k)];
        if (text.empty()) {
            if (!empty) empty = ResultEntryError{ResultEntryError::Kind::Empty, k + 1, text};
            continue;
        }
        const std::optional<int> value = parseInteger(text);
        if (!value) {
            out.error = ResultEntryError{ResultEntryError::Kind::NotAnInteger, k + 1, text};
            return out;
        }
        if (*value < 0 || *value > 2) {
            if (!notSign) notSign = ResultEntryError{ResultEntryError::Kind::NotASign, k + 1, text};
            continue;
        }
        out.digits[static_cast<std::size_t>(k)] = *value;
    }
    if (empty)
        out.error = empty;
    else if (notSign)
        out.error = notSign;
    if (out.error) out.digits = {};
    return out;
}

void countHits(Table& list, std::uint32_t resultCode) {
    for (Combination* rec : list)
        rec->np = static_cast<std::int8_t>(hitsBetween(rec->code, resultCode));
    std::stable_sort(list.begin(), list.end(),
                     [](const Combination* a, const Combination* b) { return a->np > b->np; });
}

std::string resultRowText(const Combination& rec) {
    return std::to_string(rec.serial) + "  " + signText(rec) + "  " + std::to_string(rec.np);
}

std::array<ResultCell, 4> resultRowCells(const Combination& rec, std::size_t index, std::size_t n,
                                         int rowLeft, int rowTop, const TextMetrics& metrics) {
    const std::string count = std::to_string(n);
    std::array<ResultCell, 4> cells;
    cells[kPlaceCell].width = metrics.width("MM" + count);
    cells[kSerialCell].width = metrics.width(count + "MM");
    cells[kSignsCell].width = metrics.width("MMMMMMMMMMMMMMM");
    cells[kHitsCell].width = metrics.width("MMMMM");
    int left = rowLeft;
    for (ResultCell& cell : cells) {
        cell.left = left;
        left += cell.width + 2;
    }

    ResultCell& place = cells[kPlaceCell];
    place.text = std::to_string(index + 1) + ".";
    place.textX = place.left + place.width - metrics.width(place.text);
    place.textY = rowTop + 1;

    ResultCell& serial = cells[kSerialCell];
    serial.text = std::to_string(rec.serial);
    serial.textX = serial.left + serial.width - metrics.width("M") - metrics.width(serial.text);
    serial.textY = rowTop + 1;

    ResultCell& signs = cells[kSignsCell];
    signs.text = signText(rec);
    signs.textX = signs.left + 5;
    signs.textY = rowTop;

    ResultCell& hits = cells[kHitsCell];
    hits.text = std::to_string(rec.np);
    hits.textX = hits.left + hits.width - metrics.width("MM") - metrics.width(hits.text);
    hits.textY = rowTop + 1;
    return cells;
}

} // namespace kviro
