#pragma once
// The downloads of the online tabs that sit between the HTTP client and the readers:
// each applies the service switch and turns a failure into what its caller needs.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/picture.h"

namespace ravenlock {

class HttpClient;

// A news picture fills 776 x 470; anything beyond 4096 x 4096 pixels is not a news picture.
inline constexpr uint64_t kMaxNewsPicturePixels = 4096ull * 4096;
inline constexpr wchar_t kNewsPictureLoadError[] = L"Не удалось загрузить изображение новости";
inline constexpr wchar_t kNewsPictureFormatError[] = L"Не удалось распознать изображение новости";
inline constexpr wchar_t kLaunchCodesLoadError[] = L"Не удалось загрузить коды запуска";

// The picture behind a news picture address: an https address only (anything else is
// not requested), decoded by its content within kMaxNewsPicturePixels. Raises AppError.
Picture DownloadNewsPicture(const HttpClient& http, const std::wstring& pictureUrl);

// The launch-codes page as text. Raises AppError when nothing arrives.
std::wstring DownloadLaunchCodesPage(const HttpClient& http);

// The widget reply of a server id; nothing when the id is not digits only (no request is
// made) or the request failed.
std::optional<std::string> FetchDiscordWidget(const HttpClient& http, const std::wstring& serverId);

}  // namespace ravenlock
