// "The window becomes active": when it is shown, and when the user comes back to it from
// another window of the program. Coming back from one of its own message boxes or choosers,
// or from another program, does not count.
#pragma once

#include <functional>

class QWidget;

namespace kviro::ui {

// Calls `handler` (on the main thread) each time `window` becomes active in that sense.
// The handler lives as long as the window.
void onFormActivate(QWidget* window, std::function<void()> handler);

} // namespace kviro::ui
