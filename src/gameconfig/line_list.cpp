#include "gameconfig/line_list.h"

#include "platform/app_error.h"
#include "platform/text.h"

namespace ravenlock {

namespace {

wchar_t FoldCase(wchar_t c) {
    if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 32);
    if (c >= 0x0430 && c <= 0x044F) return static_cast<wchar_t>(c - 0x20);  // а..я
    if (c >= 0x0450 && c <= 0x045F) return static_cast<wchar_t>(c - 0x50);  // ѐ..џ, ё among them
    if (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7) return static_cast<wchar_t>(c - 0x20);
    return c;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        out.push_back(static_cast<wchar_t>(bigEndian ? (a << 8 | b) : (b << 8 | a)));
    }
    return out;
}

void AppendUtf16(std::string& out, std::wstring_view text, bool bigEndian) {
    for (wchar_t c : text) {
        const auto u = static_cast<char16_t>(c);
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out.push_back(bigEndian ? hi : lo);
        out.push_back(bigEndian ? lo : hi);
    }
}

}  // namespace

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF", kUtf16LeMark = "\xFF\xFE", kUtf16BeMark = "\xFE\xFF";

// The text in an encoding, without its mark; nothing when the code page cannot hold it.
std::optional<std::string> Encode(std::wstring_view text, TextEncoding encoding, const AnsiCodec& ansi) {
    std::string out;
    switch (encoding) {
        case TextEncoding::Utf8: return WideToUtf8(text);
        case TextEncoding::Utf16Le: AppendUtf16(out, text, false); return out;
        case TextEncoding::Utf16Be: AppendUtf16(out, text, true); return out;
        case TextEncoding::Ansi: break;
    }
    return ansi.encode(text);
}

std::string_view MarkOf(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8: return kUtf8Mark;
        case TextEncoding::Utf16Le: return kUtf16LeMark;
        case TextEncoding::Utf16Be: return kUtf16BeMark;
        case TextEncoding::Ansi: break;
    }
    return {};
}

}  // namespace

void LineList::Load(std::string_view bytes, const AnsiCodec& ansi) {
    std::wstring text;
    if (bytes.starts_with(kUtf8Mark)) {
        encoding_ = TextEncoding::Utf8;
        text = Utf8ToWide(bytes.substr(3));
    } else if (bytes.starts_with(kUtf16LeMark)) {
        encoding_ = TextEncoding::Utf16Le;
        text = DecodeUtf16(bytes.substr(2), false);
    } else if (bytes.starts_with(kUtf16BeMark)) {
        encoding_ = TextEncoding::Utf16Be;
        text = DecodeUtf16(bytes.substr(2), true);
    } else {
        encoding_ = TextEncoding::Ansi;
        text = ansi.decode(bytes);
    }
    // Bytes that decoding changed (an odd last byte of UTF-16, broken UTF-8) would be
    // lost by a save; it is refused instead.
    lossy_ = Encode(text, encoding_, ansi) != bytes.substr(MarkOf(encoding_).size());
    lines_.clear();
    selected_ = -1;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) {
            lines_.push_back(text.substr(start));
            break;
        }
        lines_.push_back(text.substr(start, end - start));
        start = end + ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
    }
}

std::string LineList::Save(const AnsiCodec& ansi) const {
    if (lossy_) throw AppError(kUnreadableBytesText);
    std::wstring text;
    for (const auto& line : lines_) text += line + L"\r\n";
    auto bytes = Encode(text, encoding_, ansi);
    if (!bytes) {
        for (const auto& line : lines_)
            if (!Encode(line, encoding_, ansi)) throw AppError(kNotInCodePageText + line);
        throw AppError(kNotInCodePageText);
    }
    // Saved without a mark, text that begins like one would be read back in another encoding.
    if (encoding_ == TextEncoding::Ansi &&
        (bytes->starts_with(kUtf8Mark) || bytes->starts_with(kUtf16LeMark) || bytes->starts_with(kUtf16BeMark)))
        throw AppError(kLooksLikeMarkText);
    return std::string(MarkOf(encoding_)) + *bytes;
}

std::wstring LineList::NameOf(std::wstring_view line) {
    const auto eq = line.find(L'=');
    return eq == std::wstring_view::npos ? L"" : std::wstring(line.substr(0, eq));
}

std::wstring LineList::ValueOf(std::wstring_view line) {
    const auto eq = line.find(L'=');
    return eq == std::wstring_view::npos ? L"" : std::wstring(line.substr(eq + 1));
}

std::optional<size_t> LineList::Find(std::wstring_view name) const {
    for (size_t i = 0; i < lines_.size(); ++i)
        if (IsEntry(lines_[i]) && SameName(NameOf(lines_[i]), name)) return i;
    return std::nullopt;
}

std::wstring LineList::ValueOfName(std::wstring_view name) const {
    const auto at = Find(name);
    return at ? ValueOf(lines_[*at]) : L"";
}

void LineList::SetValueOfName(std::wstring_view name, std::wstring_view value) {
    const std::wstring line = std::wstring(name) + L"=" + std::wstring(value);
    if (const auto at = Find(name)) lines_[*at] = line;
    else lines_.push_back(line);
}

std::optional<std::wstring> LineList::SectionOfName(std::wstring_view name) const {
    const auto at = Find(name);
    if (!at) return std::nullopt;
    for (size_t i = *at + 1; i-- > 0;) {
        const std::wstring& line = lines_[i];
        const auto open = line.find_first_not_of(L" \t");
        if (open != std::wstring::npos && line[open] == L'[') {
            const auto close = line.find(L']', open);
            if (close != std::wstring::npos) return line.substr(open + 1, close - open - 1);
        }
    }
    return std::nullopt;  // above every section: no section to name
}

void LineList::ReplaceSelected(const std::wstring& text) {
    if (selected_ < 0 || selected_ >= static_cast<int>(lines_.size()))
        throw AppError(L"List index out of bounds (" + std::to_wstring(selected_) + L")");
    lines_[static_cast<size_t>(selected_)] = text;
}

}  // namespace ravenlock
