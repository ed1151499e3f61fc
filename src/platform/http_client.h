#pragma once
// The program's one HTTP client over WinHTTP: GET only, TLS 1.2 as the only secure
// protocol, safe to use from several threads at once. Every request ends within about
// 15 s in all and a body is capped, so a fetch never hangs the program.
#include <windows.h>
#include <winhttp.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace ravenlock {

struct HttpReply {
    DWORD status = 0;          // not looked at by the parsers, kept for tests
    std::string body;          // the bytes as they came
    std::wstring contentType;  // the Content-Type header, if any
};

class HttpClient {
public:
    static constexpr wchar_t kUserAgent[] = L"Mozilla/5.0 (Windows NT 6.1; Win64; x64; rv:85.0)";
    static constexpr size_t kMaxBody = 16u * 1024 * 1024;

    HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // GET of a full address. Any failure (no connection, TLS, time-out, oversized body)
    // gives nothing. The first request of a client whose WinHTTP cannot be loaded raises
    // AppError saying so; every later one gives nothing.
    std::optional<HttpReply> Get(const std::wstring& url,
                                 std::chrono::milliseconds deadline = std::chrono::seconds(15)) const;

private:
    // Opened at the first request, so that WinHTTP is loaded when the network is first
    // needed and on the thread that needs it, not with the window.
    std::shared_ptr<void> Session() const;
    mutable std::mutex sessionMutex_;
    mutable bool sessionTried_ = false;
    // Shared with the requests in flight: an abandoned request may finish after the client.
    mutable std::shared_ptr<void> session_;
};

// A service address after the RAVENLOCK_SERVICE_BASE switch (mirrors, demo, tests).
std::wstring ServiceUrl(const std::wstring& realUrl);

// The body as text: by the reply's declared charset, UTF-8 when it declares none.
std::wstring BodyText(const HttpReply& reply);

}  // namespace ravenlock
