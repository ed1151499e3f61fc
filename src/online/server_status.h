#pragma once
// The game servers' state as the publisher's status service reports it, in Russian,
// and what the status line and the game button make of it.
#include <cstdint>
#include <string>
#include <string_view>

namespace ravenlock {

inline constexpr wchar_t kParseErrorText[] = L"Ошибка разбора данных";
inline constexpr wchar_t kStatusPrefix[] = L"Состояние серверов Fallout 76: ";
inline constexpr wchar_t kStatusLoading[] = L"Загрузка данных о состоянии серверов Fallout 76...";
inline constexpr wchar_t kStatusUrl[] = L"https://status.bethesda.net/en/api/statuses";
inline constexpr wchar_t kStatusPageUrl[] = L"https://status.bethesda.net/ru/status";

// A status the program does not know is shown as it came, up to this many characters:
// the status line has room for no more.
inline constexpr size_t kStatusValueMax = 64;

// The status text of a reply body; every failure gives kParseErrorText, a reply without
// the game's component gives "".
std::wstring StatusTextFromReply(std::string_view body);

struct StatusLook {
    uint8_t r, g, b;      // the line's colour
    bool enableRunButton;
};
// Yellow with the button enabled for the two good texts, red and disabled for any other.
StatusLook LookOfStatus(const std::wstring& statusText);
// The loading state: white, button disabled.
StatusLook LookWhileLoading();

}  // namespace ravenlock
