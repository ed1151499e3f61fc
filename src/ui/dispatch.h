#pragma once
// The handler dispatcher: every event handler runs through RunHandler, which turns an
// uncaught error into the default error dialog and lets the program go on.
#include <windows.h>

#include <functional>
#include <string>

namespace ravenlock::ui {

// Title of the program's own message boxes: the executable's name up to its first dot.
const std::wstring& ApplicationTitle();

// The default error dialog: a modal box with the error's text and an OK button.
void ShowDefaultErrorDialog(HWND owner, const std::wstring& text);

// Runs the handler; returns false when it raised an error (already shown to the user).
bool RunHandler(HWND owner, const std::function<void()>& handler);

}  // namespace ravenlock::ui
