#include "platform/http_client.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "online/service_url.h"
#include "platform/charset.h"
#include "platform/late_libraries.h"
#include "platform/text.h"

namespace ravenlock {

namespace {

constexpr wchar_t kHttpFeature[] = L"статус серверов, новости, виджет Discord и коды запуска";

// Only called once the session exists, that is once the DLL is known to be there.
const late::WinHttpApi& Api() { return late::WinHttp(kHttpFeature); }

struct Internet {
    HINTERNET h = nullptr;
    explicit Internet(HINTERNET handle) : h(handle) {}
    ~Internet() {
        if (h) Api().WinHttpCloseHandle(h);
    }
    Internet(const Internet&) = delete;
    Internet& operator=(const Internet&) = delete;
};

using Clock = std::chrono::steady_clock;

// Each blocking step may use what is left of the overall deadline, no more.
bool LimitTo(HINTERNET request, Clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    if (left <= 0) return false;
    const DWORD ms = static_cast<DWORD>(std::min<long long>(left, 15000));
    Api().WinHttpSetOption(request, WINHTTP_OPTION_SEND_TIMEOUT, const_cast<DWORD*>(&ms), sizeof(ms));
    Api().WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_TIMEOUT, const_cast<DWORD*>(&ms), sizeof(ms));
    Api().WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, const_cast<DWORD*>(&ms), sizeof(ms));
    return true;
}

std::wstring QueryHeader(HINTERNET request, DWORD which) {
    DWORD size = 0;
    Api().WinHttpQueryHeaders(request, which, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &size, WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return L"";
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    if (!Api().WinHttpQueryHeaders(request, which, WINHTTP_HEADER_NAME_BY_INDEX, value.data(), &size, WINHTTP_NO_HEADER_INDEX))
        return L"";
    value.resize(size / sizeof(wchar_t));
    return value;
}


// One request, blocking; the time-outs of each phase come from what is left until end.
std::optional<HttpReply> GetBlocking(HINTERNET session, const std::wstring& url, Clock::time_point end) {
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!Api().WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) return std::nullopt;
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty()) path = L"/";
    const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;

    Internet connection(Api().WinHttpConnect(session, host.c_str(), parts.nPort, 0));
    if (!connection.h) return std::nullopt;
    Internet request(Api().WinHttpOpenRequest(connection.h, L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                        WINHTTP_DEFAULT_ACCEPT_TYPES, secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request.h || !LimitTo(request.h, end)) return std::nullopt;
    if (!Api().WinHttpSendRequest(request.h, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !LimitTo(request.h, end) || !Api().WinHttpReceiveResponse(request.h, nullptr))
        return std::nullopt;

    HttpReply reply;
    DWORD size = sizeof(reply.status);
    Api().WinHttpQueryHeaders(request.h, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                        &reply.status, &size, WINHTTP_NO_HEADER_INDEX);
    reply.contentType = QueryHeader(request.h, WINHTTP_QUERY_CONTENT_TYPE);
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        if (!LimitTo(request.h, end)) return std::nullopt;  // a reply that trickles in ends too
        DWORD got = 0;
        if (!Api().WinHttpReadData(request.h, chunk.data(), static_cast<DWORD>(chunk.size()), &got)) return std::nullopt;
        if (got == 0) break;
        if (reply.body.size() + got > HttpClient::kMaxBody) return std::nullopt;
        reply.body.append(chunk.data(), got);
    }
    return reply;
}

// A request in flight, shared by the caller and the thread that performs it.
struct Pending {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::optional<HttpReply> reply;
};

}  // namespace

HttpClient::HttpClient() = default;

std::shared_ptr<void> HttpClient::Session() const {
    std::lock_guard lock(sessionMutex_);
    if (sessionTried_) return session_;
    // Marked before the DLL is asked for: a missing WinHTTP is reported by the first request
    // only, the later ones fail quietly like an unreachable service.
    sessionTried_ = true;
    HINTERNET session = Api().WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                          WINHTTP_NO_PROXY_BYPASS, 0);
    if (!session) return nullptr;
    DWORD protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2;
    Api().WinHttpSetOption(session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof(protocols));
    // No resolve time-out of WinHTTP's own: with one, Wine resolves on pool threads that
    // outlive the request by seconds, a megabyte of stack each; the caller's deadline
    // already bounds a slow resolve (Get).
    Api().WinHttpSetTimeouts(session, 0, 10000, 15000, 15000);
    session_ = std::shared_ptr<void>(session, [](void* h) { Api().WinHttpCloseHandle(h); });
    return session_;
}

std::optional<HttpReply> HttpClient::Get(const std::wstring& url, std::chrono::milliseconds deadline) const {
    const std::shared_ptr<void> session = Session();
    if (!session) return std::nullopt;
    const auto end = Clock::now() + deadline;
    // The phase time-outs are not honoured everywhere (a server that answers nothing, or a
    // byte at a time, can outlast them), so the request runs on a thread of its own and the
    // caller stops waiting at the deadline; a late request finishes unseen.
    auto pending = std::make_shared<Pending>();
    try {
        std::thread([pending, session, url, end]() noexcept {
            std::optional<HttpReply> reply;
            try {
                reply = GetBlocking(static_cast<HINTERNET>(session.get()), url, end);
            } catch (...) {
                reply.reset();
            }
            std::lock_guard lock(pending->mutex);
            pending->reply = std::move(reply);
            pending->finished = true;
            pending->done.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return std::nullopt;  // no thread to be had: a failed fetch like any other
    }
    std::unique_lock lock(pending->mutex);
    if (!pending->done.wait_until(lock, end + std::chrono::milliseconds(250), [&] { return pending->finished; }))
        return std::nullopt;
    return std::move(pending->reply);
}


std::wstring ServiceUrl(const std::wstring& realUrl) {
    wchar_t base[512];
    const DWORD n = GetEnvironmentVariableW(L"RAVENLOCK_SERVICE_BASE", base, 512);
    if (n == 0 || n >= 512) return realUrl;
    return RebaseUrl(realUrl, std::wstring(base, n));
}

std::wstring BodyText(const HttpReply& reply) {
    const auto codePage = CodePageOfCharset(CharsetOfContentType(reply.contentType));
    if (!codePage || reply.body.empty()) return Utf8ToWide(reply.body);
    const int size = static_cast<int>(reply.body.size());
    const int len = MultiByteToWideChar(*codePage, 0, reply.body.data(), size, nullptr, 0);
    std::wstring text(static_cast<size_t>(len), L'\0');
    MultiByteToWideChar(*codePage, 0, reply.body.data(), size, text.data(), len);
    return text;
}

}  // namespace ravenlock
