#pragma once
// The application's error handler. Every handler that the window system calls runs
// through runGuarded: an error ends that handler (and whatever called it, such as ALL)
// and is shown in an error box; whatever the handler had changed stays as it is, and the
// program goes on waiting for input.
#include <functional>
#include <string>

namespace gravmark {

// The text as the error box shows it: a full stop is added when the code of the last
// character is above that of "." (so ".", "!" and ")" get none, and neither does "").
std::string withFullStop(std::string text);

// Runs the handler; returns false when it ended with an error (which has been shown).
bool runGuarded(const std::function<void()>& handler);

// A window's handler as a slot for the window system: it runs through runGuarded.
template <typename Window>
auto guarded(Window* window, void (Window::*handler)()) {
    return [window, handler] { runGuarded([window, handler] { (window->*handler)(); }); };
}

}  // namespace gravmark
