// Pieces the program's windows share: their fonts, the apply glyph of the filter dialogs and
// the black strip with "U redu" at the foot of a dialog.
#pragma once

#include <QRect>

class QFrame;
class QPushButton;
class QWidget;

namespace kviro::ui {

// A flat blue arrow button that applies a filter row; `pixels` is the glyph's size.
QPushButton* applyButton(QWidget* parent, const char* name, int pixels, const QRect& geometry);

// A black strip over the width of `parent` from `top` to the bottom, holding the button
// "U redu" at its right end. The strip is named `stripName`, the button `buttonName`.
QPushButton* okStrip(QWidget* parent, const char* stripName, const char* buttonName, int top,
                     QFrame** strip = nullptr);

} // namespace kviro::ui
