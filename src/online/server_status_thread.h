#pragma once
// One server-status check on a worker thread: the loading step, the fetch, the result
// step. Each check is independent; nothing waits for it or counts it.
#include <memory>

namespace ravenlock {

class MainWindow;
class HttpClient;

// Starts a check and returns at once.
void StartServerStatusCheck(MainWindow& main);

// The status text of the live service (runs on the worker; never fails).
std::wstring FetchServerStatus(const HttpClient& http);

}  // namespace ravenlock
