#pragma once
// JSON as the online parsers read it: every value "as its text" (a string gives its
// characters, a number the text it has in the reply), keys matched exactly, and a
// missing key or element an error of the whole parse.
#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace ravenlock {

// Parses a reply; numbers keep the text they were written with. Raises AppError for
// anything that is not JSON.
nlohmann::json ParseJsonReply(std::string_view body);

// The text of a value: a string's characters, a number's text as written, "true" or
// "false", "" for null; an object or array gives its JSON text.
std::wstring JsonText(const nlohmann::json& value);

// Member of an object / element of an array; AppError when missing or of the wrong kind.
const nlohmann::json& JsonMember(const nlohmann::json& object, const char* key);
const nlohmann::json& JsonElement(const nlohmann::json& array, size_t index);
// Reads a member as its text.
std::wstring JsonMemberText(const nlohmann::json& object, const char* key);

}  // namespace ravenlock
