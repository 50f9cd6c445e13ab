// Questions and notices of the program, one place for their look and title.
#pragma once

#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace kviro::ui {

// The program's title, "KVIRO 13": the caption of its questions and notices.
QString applicationTitle();
// Names the application at start-up. The title is deliberately not Qt's display name: the
// X11 window-manager integration appends a display name to every window's caption.
void nameApplication();

// A notice with an OK button.
void notice(QWidget* parent, const QString& text);
// An error notice with an OK button.
void errorNotice(QWidget* parent, const QString& text);
// A question with Yes and No; true only for Yes.
bool confirm(QWidget* parent, const QString& text);
// The conversion error shown when a number field does not hold a number.
void conversionError(QWidget* parent, const QString& text, bool integer = false);

// Runs a modal chooser (file, font, printer set-up) and returns its result code. Every chooser
// of the program goes through here, so a test can answer it in place of a user: its runner
// may set the dialog's choice (a file, a font) and return QDialog::Accepted.
int runDialog(QDialog& dialog);
using DialogRunner = std::function<int(QDialog&)>;
// Replaces the runner; an empty runner restores the dialog's own exec().
void setDialogRunner(DialogRunner runner);

} // namespace kviro::ui
