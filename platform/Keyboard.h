// The keyboard habits every window of the program shares, in one place:
// - a text field reached from the keyboard (Tab, Enter, or a command that moves the focus) has
//   its whole text selected, so that typing replaces what it held;
// - Enter presses the push button that has the focus, as Space does. Buttons made with
//   `dialogButton` (platform/Widgets.h) leave Enter to their dialog's default button, and a
//   dialog's own buttons that take Enter already keep doing so.
#pragma once

namespace kviro::ui {

// Installs the habits for the whole application; a second call does nothing.
void installKeyboardHabits();

} // namespace kviro::ui
