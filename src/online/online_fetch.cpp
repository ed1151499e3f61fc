#include "online/online_fetch.h"

#include <span>

#include "online/discord_widget.h"
#include "online/launch_codes.h"
#include "online/web_address.h"
#include "platform/app_error.h"
#include "platform/http_client.h"

namespace ravenlock {

Picture DownloadNewsPicture(const HttpClient& http, const std::wstring& pictureUrl) {
    // An empty slot (no news arrived) fails here like a download that found nothing.
    if (!IsSafeHttpsAddress(pictureUrl)) throw AppError(kNewsPictureLoadError);
    const auto reply = http.Get(ServiceUrl(pictureUrl));
    if (!reply) throw AppError(kNewsPictureLoadError);
    const auto* bytes = reinterpret_cast<const uint8_t*>(reply->body.data());
    auto picture = DecodePicture(std::span<const uint8_t>(bytes, reply->body.size()), kMaxNewsPicturePixels);
    if (!picture) throw AppError(kNewsPictureFormatError);
    return std::move(*picture);
}

std::wstring DownloadLaunchCodesPage(const HttpClient& http) {
    const auto reply = http.Get(ServiceUrl(kLaunchCodesUrl));
    if (!reply) throw AppError(kLaunchCodesLoadError);
    return BodyText(*reply);
}

std::optional<std::string> FetchDiscordWidget(const HttpClient& http, const std::wstring& serverId) {
    const auto url = DiscordWidgetUrl(serverId);
    if (!url) return std::nullopt;
    auto reply = http.Get(ServiceUrl(*url));
    if (!reply) return std::nullopt;
    return std::move(reply->body);
}

}  // namespace ravenlock
