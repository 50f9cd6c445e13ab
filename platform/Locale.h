// The user's decimal separator, handed to the number texts of the core.
#pragma once

#include <QLocale>

namespace kviro::ui {

inline char decimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 128 ? point.at(0).toLatin1() : '.';
}

} // namespace kviro::ui
