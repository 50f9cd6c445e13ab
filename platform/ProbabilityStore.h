// The percentage table in the per-user settings store: one group
// "Software/Drevalmark/KVIRO" with 39 values "0 0" ... "12 2", each an 8-byte
// little-endian double, read and written match by match, sign by sign.
#pragma once

#include "core/Probability.h"

#include <QString>

namespace kviro::ui {

class ProbabilityStore {
public:
    static QString valueName(int match0, int sign) {
        return QString::number(match0) + QLatin1Char(' ') + QString::number(sign);
    }
    // Reads into `table` in store order and stops at the first value that is missing, not
    // binary or not 8 bytes long; the cells read before it keep their new values.
    // Returns false with the failing value's name in `failed` when reading stopped early, and
    // false with `failed` empty when the store holds none of the 39 values (nothing read).
    static bool load(ProbabilityTable& table, QString* failed = nullptr);
    // Writes all 39 values, keeping any other value of the file; false (with a reason) when the
    // store could not be written, and then the file stays as it was.
    static bool save(const ProbabilityTable& table, QString* reason = nullptr);
};

// The price of one combination typed in the "Jamstvo TUK" window: a value of its own,
// "Cijena kombinacije", in the same group, beside the 39 percentages. 0 when missing or not a
// number; false from the save when the store could not be written.
double loadCombinationPrice();
bool saveCombinationPrice(double price);

} // namespace kviro::ui
