#pragma once
// A wait on the UI thread that does not hang the window: the work runs on a worker
// while the UI thread keeps painting and answering sent messages (the system's and the
// hand-over's). Input to this thread's windows is dropped meanwhile and posted messages
// wait, so the action still completes before anything else is done, and a click made
// during the wait cannot start it a second time. The hourglass shows throughout.
#include <functional>
#include <optional>
#include <utility>

namespace ravenlock::ui {

// Runs the work to its end; what it raises is raised again here, on the UI thread.
void RunWhilePainting(const std::function<void()>& work);
// Whether such a wait is under way: a sent message answered inside it must not open
// anything of its own (a menu's loop would run timers and posted presses mid-wait).
bool WaitInProgress();

// The same for work with a result; the work must own copies of what it uses.
template <class Work>
auto ResultWhilePainting(Work work) -> decltype(work()) {
    std::optional<decltype(work())> result;
    RunWhilePainting([&] { result.emplace(work()); });
    return std::move(*result);
}

}  // namespace ravenlock::ui
