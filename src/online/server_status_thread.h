#pragma once
// A server-status check on a worker thread: the loading step, the fetch, the result
// step. One runs at a time; a request while it runs starts one more after it.
#include <memory>

namespace ravenlock {

class MainWindow;
class HttpClient;

// Starts a check, or marks one due after the running one, and returns at once.
void StartServerStatusCheck(MainWindow& main);

// The status text of the live service (runs on the worker; never fails).
std::wstring FetchServerStatus(const HttpClient& http);

}  // namespace ravenlock
