#include "online/json_text.h"

#include <iterator>
#include <vector>

#include "platform/app_error.h"
#include "platform/text.h"

namespace ravenlock {

namespace {

using json = nlohmann::json;

[[noreturn]] void ThrowParse() { throw AppError(L"Ошибка разбора данных"); }

// Walks the reply for the parser and remembers how far the parser has read, so that a
// number's text can be taken from the reply as it was written ("-0" stays "-0").
class TrackedReader {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    TrackedReader(const char* at, const char** reach) : at_(at), reach_(reach) {}
    reference operator*() const { return *at_; }
    TrackedReader& operator++() {
        *reach_ = ++at_;
        return *this;
    }
    TrackedReader operator++(int) {
        TrackedReader before = *this;
        ++*this;
        return before;
    }
    bool operator==(const TrackedReader& other) const { return at_ == other.at_; }

private:
    const char* at_;
    const char** reach_;
};

bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E'; }

// Builds the document like nlohmann's own DOM parser, with two differences: every number
// is kept as the text it was written with (as a binary value, a kind that JSON text never
// produces, so that no string can pass for a number), and nesting deeper than
// kMaxJsonDepth fails the parse before it costs stack or memory.
class KeepNumberText : public nlohmann::json_sax<json> {
public:
    KeepNumberText(std::string_view body, const char** reach) : body_(body), reach_(reach) {}
    json root;

    bool null() override { return Insert(nullptr) != nullptr; }
    bool boolean(bool v) override { return Insert(v) != nullptr; }
    bool number_integer(number_integer_t) override { return InsertNumber(); }
    bool number_unsigned(number_unsigned_t) override { return InsertNumber(); }
    bool number_float(number_float_t, const string_t&) override { return InsertNumber(); }
    bool string(string_t& v) override { return Insert(std::move(v)) != nullptr; }
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
    // The parser has read the number and, unless the reply ended there, the character
    // after it; the number is the run of number characters that ends there.
    bool InsertNumber() {
        size_t end = static_cast<size_t>(*reach_ - body_.data());
        if (end > 0 && end <= body_.size() && !IsNumberChar(body_[end - 1])) --end;
        size_t begin = end;
        while (begin > 0 && IsNumberChar(body_[begin - 1])) --begin;
        const auto* text = reinterpret_cast<const uint8_t*>(body_.data() + begin);
        return Insert(json::binary(json::binary_t::container_type(text, text + (end - begin)))) != nullptr;
    }
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
        if (stack_.size() >= kMaxJsonDepth) return false;
        stack_.push_back(Insert(std::move(container)));
        return true;
    }
    bool Close() {
        stack_.pop_back();
        return true;
    }
    std::string_view body_;
    const char** reach_;
    std::vector<json*> stack_;
    std::string key_;
};

}  // namespace

json ParseJsonReply(std::string_view body) {
    const char* reach = body.data();
    KeepNumberText builder(body, &reach);
    bool ok = false;
    try {
        ok = json::sax_parse(TrackedReader(body.data(), &reach), TrackedReader(body.data() + body.size(), &reach),
                             &builder);
    } catch (const std::exception&) {
        ok = false;
    }
    if (!ok) ThrowParse();
    return std::move(builder.root);
}

std::wstring JsonText(const json& value) {
    if (value.is_string()) return Utf8ToWide(value.get_ref<const std::string&>());
    if (value.is_binary()) {
        const auto& text = value.get_binary();
        return Utf8ToWide(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    }
    if (value.is_boolean()) return value.get<bool>() ? L"true" : L"false";
    if (value.is_null()) return L"";
    ThrowParse();  // an object or array where text belongs: the reply is not what we read
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
