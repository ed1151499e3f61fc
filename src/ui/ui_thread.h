#pragma once
// Hands work from a worker thread to the user-interface thread. The worker waits until
// the UI thread has run the closure (a sent message), so the closure may use the
// worker's locals. After shutdown nothing runs and the call returns false.
#include <functional>

namespace ravenlock::ui {

// Called once on the UI thread at start-up and once at shutdown.
void InitUiThreadHandOver();
void ShutdownUiThreadHandOver();

// Runs the closure on the UI thread and waits for it; errors it raises are shown in the
// default error dialog there. Called on the UI thread itself, it runs at once.
bool RunOnUiThread(const std::function<void()>& closure);

}  // namespace ravenlock::ui
