#include "online/server_status.h"

#include "online/json_text.h"
#include "platform/text.h"

namespace ravenlock {

namespace {

std::wstring Translate(const std::wstring& value) {
    if (value == L"operational") return L"В норме";
    if (value == L"under_maintenance") return L"Техническое обслуживание";
    if (value == L"partial_outage") return L"Частичное отключение";
    if (value == L"major_outage") return L"Полное отключение";
    return CutText(value, kStatusValueMax);  // an unknown value is shown as it came
}

}  // namespace

std::wstring StatusTextFromReply(std::string_view body) {
    if (body.find("Fallout 76") == std::string_view::npos) return kParseErrorText;
    try {
        const auto doc = ParseJsonReply(body);
        const auto& components = JsonMember(doc, "components");
        if (!components.is_array()) return kParseErrorText;
        for (const auto& component : components) {
            if (JsonMemberText(component, "name") == L"Fallout 76") return Translate(JsonMemberText(component, "status"));
        }
        return L"";
    } catch (const std::exception&) {
        return kParseErrorText;
    }
}

StatusLook LookOfStatus(const std::wstring& statusText) {
    if (statusText == L"В норме" || statusText == L"Частичное отключение") return {255, 255, 0, true};
    return {255, 0, 0, false};
}

StatusLook LookWhileLoading() { return {255, 255, 255, false}; }

}  // namespace ravenlock
