#include "online/json_text.h"

#include <vector>

#include "platform/app_error.h"
#include "platform/text.h"

namespace ravenlock {

namespace {

using json = nlohmann::json;

[[noreturn]] void ThrowParse() { throw AppError(L"Ошибка разбора данных"); }

// Tags a number that was turned into its written text, so that JsonText gives it back.
constexpr const char* kNumberMark = "\x01num:";

// Builds the document like nlohmann's own DOM parser, but keeps every number as the text
// it was written with (stored as a marked string).
class KeepNumberText : public nlohmann::json_sax<json> {
public:
    json root;

    bool null() override { return Insert(nullptr) != nullptr; }
    bool boolean(bool v) override { return Insert(v) != nullptr; }
    bool number_integer(number_integer_t v) override { return Insert(Marked(std::to_string(v))) != nullptr; }
    bool number_unsigned(number_unsigned_t v) override { return Insert(Marked(std::to_string(v))) != nullptr; }
    bool number_float(number_float_t, const string_t& text) override { return Insert(Marked(text)) != nullptr; }
    bool string(string_t& v) override { return Insert(v) != nullptr; }
    bool binary(binary_t&) override { return false; }
    bool start_object(std::size_t) override { return Open(json::object()); }
    bool key(string_t& k) override {
        key_ = k;
        return true;
    }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override { return Open(json::array()); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

private:
    static json Marked(const std::string& text) { return json(std::string(kNumberMark) + text); }
    // Places a value under the open container (or as the root) and returns where it went.
    json* Insert(json value) {
        if (stack_.empty()) {
            root = std::move(value);
            return &root;
        }
        json& parent = *stack_.back();
        if (parent.is_array()) {
            parent.push_back(std::move(value));
            return &parent.back();
        }
        json& slot = parent[key_];
        slot = std::move(value);
        return &slot;
    }
    bool Open(json container) {
        stack_.push_back(Insert(std::move(container)));
        return true;
    }
    bool Close() {
        stack_.pop_back();
        return true;
    }
    std::vector<json*> stack_;
    std::string key_;
};

}  // namespace

json ParseJsonReply(std::string_view body) {
    KeepNumberText builder;
    bool ok = false;
    try {
        ok = json::sax_parse(body.begin(), body.end(), &builder);
    } catch (const std::exception&) {
        ok = false;
    }
    if (!ok) ThrowParse();
    return std::move(builder.root);
}

std::wstring JsonText(const json& value) {
    if (value.is_string()) {
        const auto& s = value.get_ref<const std::string&>();
        const std::string_view mark(kNumberMark);
        if (s.compare(0, mark.size(), mark) == 0) return Utf8ToWide(std::string_view(s).substr(mark.size()));
        return Utf8ToWide(s);
    }
    if (value.is_boolean()) return value.get<bool>() ? L"true" : L"false";
    if (value.is_null()) return L"";
    return Utf8ToWide(value.dump());
}

const json& JsonMember(const json& object, const char* key) {
    if (!object.is_object()) ThrowParse();
    const auto it = object.find(key);
    if (it == object.end()) ThrowParse();
    return *it;
}

const json& JsonElement(const json& array, size_t index) {
    if (!array.is_array() || index >= array.size()) ThrowParse();
    return array[index];
}

std::wstring JsonMemberText(const json& object, const char* key) { return JsonText(JsonMember(object, key)); }

}  // namespace ravenlock
