#include "online/discord_widget.h"

#include <unordered_map>

#include "online/json_text.h"
#include "online/server_status.h"
#include "online/web_address.h"
#include "platform/app_error.h"
#include "platform/text.h"

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

// The channels by id, read once for the whole member list; the first channel of an id
// names it, as a look-up from the top would.
std::unordered_map<std::wstring, std::wstring> ChannelNames(const nlohmann::json& reply) {
    std::unordered_map<std::wstring, std::wstring> names;
    for (const auto& channel : ArrayMember(reply, "channels"))
        names.try_emplace(JsonMemberText(channel, "id"), CutText(JsonMemberText(channel, "name"), kDiscordCellMax));
    return names;
}

std::wstring Cell(const nlohmann::json& object, const char* key) {
    return CutText(JsonMemberText(object, key), kDiscordCellMax);
}

}  // namespace

DiscordFill FillDiscordFromReply(std::string_view body) {
    DiscordFill fill;
    try {
        const auto reply = ParseJsonReply(body);
        const std::wstring presence = CutText(JsonMemberText(reply, "presence_count"), kDiscordCountMax);
        fill.label = L"Сервер \"" + CutText(JsonMemberText(reply, "name"), kDiscordNameMax) +
                     L"\". Участников в сети: " + presence;
        std::wstring invite;
        if (reply.is_object() && reply.contains("instant_invite")) invite = JsonMemberText(reply, "instant_invite");
        fill.inviteUrl = IsSafeHttpsAddress(invite) ? invite : L"";
        if (presence != L"0") {
            std::optional<std::unordered_map<std::wstring, std::wstring>> channels;
            for (const auto& member : ArrayMember(reply, "members")) {
                if (fill.rows.size() >= kDiscordRowsMax) break;
                auto& row = fill.rows.emplace_back();
                row.push_back(Cell(member, "username"));
                row.push_back(CutText(DiscordStatusText(JsonMemberText(member, "status")), kDiscordCellMax));
                std::wstring channel = kNoDataText;
                if (member.contains("channel_id")) {
                    if (!channels) channels = ChannelNames(reply);
                    const auto found = channels->find(JsonMemberText(member, "channel_id"));
                    if (found != channels->end()) channel = found->second;
                }
                row.push_back(channel);
                row.push_back(member.contains("game") ? Cell(JsonMember(member, "game"), "name") : kNoDataText);
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
