// Questions and notices of the program, one place for their look and title.
#pragma once

#include <QString>

class QWidget;

namespace kviro::ui {

// A notice with an OK button.
void notice(QWidget* parent, const QString& text);
// An error notice with an OK button.
void errorNotice(QWidget* parent, const QString& text);
// A question with Yes and No; true only for Yes.
bool confirm(QWidget* parent, const QString& text);
// The conversion error shown when a number field does not hold a number.
void conversionError(QWidget* parent, const QString& text, bool integer = false);

} // namespace kviro::ui
