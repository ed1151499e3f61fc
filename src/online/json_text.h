#pragma once
// JSON as the online parsers read it: every value "as its text" (a string gives its
// characters, a number the text it has in the reply), keys matched exactly, and a
// missing key or element, or an object or array where text belongs, an error of the
// whole parse.
#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace ravenlock {

// Deeper nesting than this fails the parse: no reply we read goes past a handful of levels.
inline constexpr size_t kMaxJsonDepth = 64;

// Parses a reply; numbers keep the text they were written with. Raises AppError for
// anything that is not JSON or is nested deeper than kMaxJsonDepth.
nlohmann::json ParseJsonReply(std::string_view body);

// The text of a value: a string's characters, a number's text as written, "true" or
// "false", "" for null. Raises AppError for an object or array.
std::wstring JsonText(const nlohmann::json& value);

// Member of an object / element of an array; AppError when missing or of the wrong kind.
const nlohmann::json& JsonMember(const nlohmann::json& object, const char* key);
const nlohmann::json& JsonElement(const nlohmann::json& array, size_t index);
// Reads a member as its text.
std::wstring JsonMemberText(const nlohmann::json& object, const char* key);

}  // namespace ravenlock
