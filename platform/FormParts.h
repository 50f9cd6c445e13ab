// Pieces the program's windows share: their fonts, the apply glyph of the filter dialogs and
// the black strip with "U redu" at the foot of a dialog.
#pragma once

#include <QRect>

class QAbstractScrollArea;
class QFrame;
class QPushButton;
class QScrollBar;
class QWidget;

namespace kviro::ui {

// A flat blue arrow button that applies a filter row; `pixels` is the glyph's size.
QPushButton* applyButton(QWidget* parent, const char* name, int pixels, const QRect& geometry);

// A black strip over the width of `parent` from `top` to the bottom, holding the button
// "U redu" at its right end. The strip is named `stripName`, the button `buttonName`.
QPushButton* okStrip(QWidget* parent, const char* stripName, const char* buttonName, int top,
                     QFrame** strip = nullptr);

// The mouse wheel over a paged list moves the list's own scroll bar `bar`, three rows a notch.
void wheelScrolls(QAbstractScrollArea* list, QScrollBar* bar);

} // namespace kviro::ui
