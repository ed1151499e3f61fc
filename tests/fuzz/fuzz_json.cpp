// JSON text reading: our reader accepts what the JSON grammar accepts up to its depth
// cap and nothing else, and every value it gives "as text" is the value in the reply:
// a string its characters, a number the very text it was written with.
#include <algorithm>
#include <string>

#include "fuzz_check.h"
#include "json_mutator.h"
#include "online/json_text.h"
#include "platform/text.h"

FUZZ_JSON_MUTATOR

namespace {

using nlohmann::json;

// Nesting as the reader sees it: like nlohmann's lexer, a NUL outside a string ends the
// reply, so nothing after it counts.
size_t Depth(std::string_view text) {
    size_t depth = 0, deepest = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
        } else if (c == '\0') break;
        else if (c == '"') inString = true;
        else if (c == '[' || c == '{') deepest = std::max(deepest, ++depth);
        else if (c == ']' || c == '}') --depth;
    }
    return deepest;
}

// Ours against nlohmann's own reading of the same reply.
void Compare(const json& ours, const json& reference, std::string_view body) {
    if (reference.is_number()) {
        FUZZ_CHECK(ours.is_binary());
        const std::wstring text = ravenlock::JsonText(ours);
        const std::string narrow = ravenlock::WideToUtf8(text);
        FUZZ_CHECK(body.find(narrow) != std::string_view::npos);
        FUZZ_CHECK(json::parse(narrow) == reference);
        return;
    }
    FUZZ_CHECK(ours.type() == reference.type());
    if (reference.is_string()) {
        FUZZ_CHECK(ravenlock::JsonText(ours) == ravenlock::Utf8ToWide(reference.get<std::string>()));
    } else if (reference.is_array()) {
        FUZZ_CHECK(ours.size() == reference.size());
        for (size_t i = 0; i < reference.size(); ++i) Compare(ours[i], reference[i], body);
    } else if (reference.is_object()) {
        FUZZ_CHECK(ours.size() == reference.size());
        for (const auto& [key, value] : reference.items()) {
            const auto found = ours.find(key);
            FUZZ_CHECK(found != ours.end());
            Compare(*found, value, body);
        }
        bool threw = false;
        try {
            ravenlock::JsonText(ours);
        } catch (const std::exception&) {
            threw = true;
        }
        FUZZ_CHECK(threw);  // never text where an object stands
    } else {
        FUZZ_CHECK(ours == reference);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view body = AsText(data, size);
    std::optional<json> ours;
    try {
        ours = ravenlock::ParseJsonReply(body);
    } catch (const std::exception&) {
    }
    const bool valid = json::accept(body);
    if (!ours) {
        FUZZ_CHECK(!valid || Depth(body) > ravenlock::kMaxJsonDepth);
        return 0;
    }
    FUZZ_CHECK(valid && Depth(body) <= ravenlock::kMaxJsonDepth);
    Compare(*ours, json::parse(body), body);
    return 0;
}
