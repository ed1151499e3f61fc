#pragma once
// The Discord server widget: the request for a server id, what a reply puts into the
// server line and the member list, and what Enter in the id field does.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravenlock {

inline constexpr wchar_t kDiscordPrompt[] = L"Введите ID сервера Discord и нажмите Enter";
inline constexpr wchar_t kTelegramPrompt[] = L"Введите ID группы Telegram и нажмите Enter";
inline constexpr wchar_t kNoDataText[] = L"Нет данных";
// Discord ids are 64-bit numbers: at most 20 digits.
inline constexpr size_t kDiscordIdMaxDigits = 20;

// The widget address of a server id; nothing unless the id is digits only, so that the
// request path cannot be bent by what was typed, pasted or stored.
std::optional<std::wstring> DiscordWidgetUrl(const std::wstring& serverId);

// "online", "idle" and "dnd" in Russian; any other status as it came.
std::wstring DiscordStatusText(const std::wstring& status);

// Bounds of what a reply may put on screen. A widget lists at most a hundred or so
// members; more rows than this are left out rather than freezing the list.
inline constexpr size_t kDiscordRowsMax = 300;
// A list cell shows at most 259 characters; a server name is at most 100.
inline constexpr size_t kDiscordCellMax = 259;
inline constexpr size_t kDiscordNameMax = 100;
inline constexpr size_t kDiscordCountMax = 20;

struct DiscordFill {
    std::wstring label;  // the server line, or the parse error text
    // Set once the reply was read that far: the invite address, "" when the widget has
    // none or offers one that is not a safe https address.
    std::optional<std::wstring> inviteUrl;
    // Rows in order (at most kDiscordRowsMax), each with the cells read before any failure
    // (a failing row may be short); they stay in the list after a failure.
    std::vector<std::vector<std::wstring>> rows;
    bool ok = false;
};

// Reads a reply body (UTF-8 JSON); never throws.
DiscordFill FillDiscordFromReply(std::string_view body);

// Enter in one of the id fields (by Tag: 10 Discord, 20 Telegram).
enum class EnterAction { Confirm, Forget, Nothing };
EnterAction DecideEnter(int fieldTag, bool confirmed, const std::wstring& text);

}  // namespace ravenlock
