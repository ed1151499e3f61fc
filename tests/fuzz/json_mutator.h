#pragma once
// A structure-aware mutation for the JSON targets. Byte flips almost never build deep
// nesting, long strings or the odd values that matter to a reader "as text"; this puts
// them in place of a value that follows a ':' and leaves the rest to libFuzzer.
#include <cstring>
#include <random>
#include <string>

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace fuzzjson {

inline const char* const kOddValues[] = {
    "-0", "0", "1e999", "-1e-999", "18446744073709551616", "-9223372036854775809", "1.0E+2",
    "\"\\u0001num:7\"", "\"\\u0000\"", "\"\\ud800\"", "\"\\udc00\\ud800\"", "\"\\ud83d\\ude00\"",
    "{\"a\":1}", "[]", "{}", "[1,[2]]", "null", "true", "false", "\"\"", "\"https://x\"",
    "\"https://discord.gg/abc\"", "\"http://x\"", "\"\\\"\"",
};

inline std::string Nested(std::minstd_rand& rng) {
    static const size_t kDepths[] = {63, 64, 65, 200, 5000, 20000};
    const size_t depth = rng() % 2 ? kDepths[rng() % 6] : 1 + rng() % 300;
    const bool objects = rng() % 2;
    std::string out;
    out.reserve(depth * 6 + 2);
    for (size_t i = 0; i < depth; ++i) out += objects ? "{\"a\":" : "[";
    out += "1";
    for (size_t i = 0; i < depth; ++i) out += objects ? "}" : "]";
    return out;
}

inline std::string LongString(std::minstd_rand& rng, size_t maxSize) {
    const size_t length = rng() % (maxSize / 2 + 1);
    static const char* const kFill[] = {"x", "\xd0\xaf", "\xf0\x9f\x98\x80", "\\n", " "};
    const std::string piece = kFill[rng() % 5];
    std::string out = "\"";
    while (out.size() + piece.size() < length) out += piece;
    return out + "\"";
}

// Where the value after a ':' ends (a string, or up to the next ',', '}' or ']').
inline size_t ValueEnd(const std::string& text, size_t start) {
    size_t i = start;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && text[i] == '"') {
        for (++i; i < text.size() && text[i] != '"'; ++i)
            if (text[i] == '\\') ++i;
        return i < text.size() ? i + 1 : text.size();
    }
    while (i < text.size() && text[i] != ',' && text[i] != '}' && text[i] != ']') ++i;
    return i;
}

inline size_t Mutate(uint8_t* data, size_t size, size_t maxSize, unsigned seed) {
    std::minstd_rand rng(seed);
    if (rng() % 3 != 0 || size == 0) return LLVMFuzzerMutate(data, size, maxSize);
    std::string text(reinterpret_cast<const char*>(data), size);
    size_t colon = text.find(':', rng() % size);
    if (colon == std::string::npos) colon = text.find(':');
    if (colon == std::string::npos) return LLVMFuzzerMutate(data, size, maxSize);
    std::string value;
    switch (rng() % 3) {
        case 0: value = Nested(rng); break;
        case 1: value = LongString(rng, maxSize); break;
        default: value = kOddValues[rng() % (sizeof(kOddValues) / sizeof(*kOddValues))]; break;
    }
    text.replace(colon + 1, ValueEnd(text, colon + 1) - colon - 1, value);
    if (text.size() > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
    std::memcpy(data, text.data(), text.size());
    return text.size();
}

}  // namespace fuzzjson

#define FUZZ_JSON_MUTATOR                                                                        \
    extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned seed) { \
        return fuzzjson::Mutate(data, size, maxSize, seed);                                      \
    }
