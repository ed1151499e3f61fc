#include "platform/http_client.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "online/service_url.h"
#include "platform/text.h"

namespace ravenlock {

namespace {

struct Internet {
    HINTERNET h = nullptr;
    explicit Internet(HINTERNET handle) : h(handle) {}
    ~Internet() {
        if (h) WinHttpCloseHandle(h);
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
    WinHttpSetOption(request, WINHTTP_OPTION_SEND_TIMEOUT, const_cast<DWORD*>(&ms), sizeof(ms));
    WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_TIMEOUT, const_cast<DWORD*>(&ms), sizeof(ms));
    WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, const_cast<DWORD*>(&ms), sizeof(ms));
    return true;
}

std::wstring QueryHeader(HINTERNET request, DWORD which) {
    DWORD size = 0;
    WinHttpQueryHeaders(request, which, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &size, WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return L"";
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    if (!WinHttpQueryHeaders(request, which, WINHTTP_HEADER_NAME_BY_INDEX, value.data(), &size, WINHTTP_NO_HEADER_INDEX))
        return L"";
    value.resize(size / sizeof(wchar_t));
    return value;
}


// One request, blocking; the time-outs of each phase come from what is left until end.
std::optional<HttpReply> GetBlocking(HINTERNET session, const std::wstring& url, Clock::time_point end) {
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) return std::nullopt;
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty()) path = L"/";
    const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;

    Internet connection(WinHttpConnect(session, host.c_str(), parts.nPort, 0));
    if (!connection.h) return std::nullopt;
    Internet request(WinHttpOpenRequest(connection.h, L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                        WINHTTP_DEFAULT_ACCEPT_TYPES, secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request.h || !LimitTo(request.h, end)) return std::nullopt;
    if (!WinHttpSendRequest(request.h, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !LimitTo(request.h, end) || !WinHttpReceiveResponse(request.h, nullptr))
        return std::nullopt;

    HttpReply reply;
    DWORD size = sizeof(reply.status);
    WinHttpQueryHeaders(request.h, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                        &reply.status, &size, WINHTTP_NO_HEADER_INDEX);
    reply.contentType = QueryHeader(request.h, WINHTTP_QUERY_CONTENT_TYPE);
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        if (!LimitTo(request.h, end)) return std::nullopt;  // a reply that trickles in ends too
        DWORD got = 0;
        if (!WinHttpReadData(request.h, chunk.data(), static_cast<DWORD>(chunk.size()), &got)) return std::nullopt;
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

HttpClient::HttpClient() {
    HINTERNET session = WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                    WINHTTP_NO_PROXY_BYPASS, 0);
    if (!session) return;
    DWORD protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2;
    WinHttpSetOption(session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof(protocols));
    WinHttpSetTimeouts(session, 10000, 10000, 15000, 15000);
    session_ = std::shared_ptr<void>(session, [](void* h) { WinHttpCloseHandle(h); });
}

std::optional<HttpReply> HttpClient::Get(const std::wstring& url, std::chrono::milliseconds deadline) const {
    if (!session_) return std::nullopt;
    const auto end = Clock::now() + deadline;
    // The phase time-outs are not honoured everywhere (a server that answers nothing, or a
    // byte at a time, can outlast them), so the request runs on a thread of its own and the
    // caller stops waiting at the deadline; a late request finishes unseen.
    auto pending = std::make_shared<Pending>();
    try {
        std::thread([pending, session = session_, url, end]() noexcept {
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
    std::wstring type = reply.contentType;
    for (auto& c : type) c = static_cast<wchar_t>(towlower(c));
    const auto at = type.find(L"charset=");
    if (at != std::wstring::npos) {
        std::wstring charset = type.substr(at + 8);
        charset = charset.substr(0, charset.find_first_of(L"; \""));
        if (!charset.empty() && charset.front() == L'"') charset.erase(0, 1);
        const struct {
            const wchar_t* name;
            UINT codePage;
        } known[] = {{L"windows-1251", 1251}, {L"cp1251", 1251}, {L"koi8-r", 20866}, {L"iso-8859-1", 28591},
                     {L"windows-1252", 1252}};
        for (const auto& k : known) {
            if (charset != k.name || reply.body.empty()) continue;
            const int len = MultiByteToWideChar(k.codePage, 0, reply.body.data(), static_cast<int>(reply.body.size()),
                                                nullptr, 0);
            std::wstring text(static_cast<size_t>(len), L'\0');
            MultiByteToWideChar(k.codePage, 0, reply.body.data(), static_cast<int>(reply.body.size()), text.data(), len);
            return text;
        }
    }
    return Utf8ToWide(reply.body);
}

}  // namespace ravenlock
