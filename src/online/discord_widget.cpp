#include "online/discord_widget.h"

#include "online/json_text.h"
#include "online/server_status.h"
#include "platform/app_error.h"
#include "online/web_address.h"

namespace ravenlock {

std::optional<std::wstring> DiscordWidgetUrl(const std::wstring& serverId) {
    if (!IsDigitsOnly(serverId) || serverId.size() > kDiscordIdMaxDigits) return std::nullopt;
    return L"https://discord.com/api/guilds/" + serverId + L"/widget.json";
}

std::wstring DiscordStatusText(const std::wstring& status) {
    if (status == L"online") return L"В сети";
    if (status == L"idle") return L"Не активен";
    if (status == L"dnd") return L"Не беспокоить";
    return status;
}

namespace {

// A member that must be an array.
const nlohmann::json& ArrayMember(const nlohmann::json& object, const char* key) {
    const auto& value = JsonMember(object, key);
    if (!value.is_array()) throw AppError(kParseErrorText);
    return value;
}

// The "name" of the channel with this id; "Нет данных" when no channel has it.
std::wstring ChannelName(const nlohmann::json& reply, const std::wstring& channelId) {
    for (const auto& channel : ArrayMember(reply, "channels")) {
        if (JsonMemberText(channel, "id") == channelId) return JsonMemberText(channel, "name");
    }
    return kNoDataText;
}

}  // namespace

DiscordFill FillDiscordFromReply(std::string_view body) {
    DiscordFill fill;
    try {
        const auto reply = ParseJsonReply(body);
        const std::wstring presence = JsonMemberText(reply, "presence_count");
        fill.label = L"Сервер \"" + JsonMemberText(reply, "name") + L"\". Участников в сети: " + presence;
        std::wstring invite;
        if (reply.is_object() && reply.contains("instant_invite")) invite = JsonMemberText(reply, "instant_invite");
        fill.inviteUrl = IsSafeHttpsAddress(invite) ? invite : L"";
        if (presence != L"0") {
            for (const auto& member : ArrayMember(reply, "members")) {
                auto& row = fill.rows.emplace_back();
                row.push_back(JsonMemberText(member, "username"));
                row.push_back(DiscordStatusText(JsonMemberText(member, "status")));
                row.push_back(member.contains("channel_id")
                                  ? ChannelName(reply, JsonMemberText(member, "channel_id"))
                                  : kNoDataText);
                row.push_back(member.contains("game") ? JsonMemberText(JsonMember(member, "game"), "name")
                                                      : kNoDataText);
            }
        }
        fill.ok = true;
    } catch (const std::exception&) {
        fill.label = kParseErrorText;
        fill.ok = false;
    }
    return fill;
}

EnterAction DecideEnter(int fieldTag, bool confirmed, const std::wstring& text) {
    if (fieldTag != 10) return EnterAction::Nothing;
    return !confirmed && !text.empty() ? EnterAction::Confirm : EnterAction::Forget;
}

}  // namespace ravenlock
