#pragma once
// Fallout76Prefs.ini as a list of lines: what the settings editor shows and edits, and
// what the Pip-Boy sliders and the options panel read. A line with "=" is an entry: its
// name is the text before the first "=", its value the text after it, both exactly as
// they stand, blanks included.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravenlock {

enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

// The system's ANSI code page, supplied by the caller (the pure code has no system calls).
// encode gives nothing when the code page cannot hold some character of the text.
struct AnsiCodec {
    std::function<std::wstring(std::string_view)> decode;
    std::function<std::optional<std::string>(std::wstring_view)> encode;
};

inline constexpr wchar_t kUnreadableBytesText[] =
    L"Файл содержит байты, которые нельзя прочитать в его кодировке. Чтобы не исказить их, файл не сохранён.";
inline constexpr wchar_t kLooksLikeMarkText[] =
    L"Первая строка начинается с символов, которые при следующем чтении будут приняты за метку кодировки. "
    L"Файл не сохранён.";
inline constexpr wchar_t kNotInCodePageText[] = L"Кодировка файла не может сохранить строку:\n";

// Names compare regardless of letter case (Latin, Cyrillic and Latin-1 letters).
bool SameName(std::wstring_view a, std::wstring_view b);

class LineList {
public:
    // Replaces every line from a file's bytes; the byte-order mark decides the encoding
    // (remembered for saving), without one the text is ANSI. Lines split at CR LF, CR or
    // LF; a break at the very end adds no empty line. The selection is cleared.
    void Load(std::string_view bytes, const AnsiCodec& ansi);
    // Every line followed by CR LF, in the remembered encoding with its byte-order mark.
    // Raises AppError rather than write what would not read back as these lines: when the
    // loaded bytes did not survive decoding (an odd byte of UTF-16, broken UTF-8), when
    // the code page cannot hold a line, or when ANSI text would begin with the bytes of a
    // byte-order mark.
    std::string Save(const AnsiCodec& ansi) const;

    static bool IsEntry(std::wstring_view line) { return line.find(L'=') != std::wstring_view::npos; }
    static std::wstring NameOf(std::wstring_view line);   // "" for a line without "="
    static std::wstring ValueOf(std::wstring_view line);  // "" for a line without "="

    // The value of the first line whose name matches; "" when none does.
    std::wstring ValueOfName(std::wstring_view name) const;
    // The first line with the name becomes name=value; without one, that line is appended.
    void SetValueOfName(std::wstring_view name, std::wstring_view value);
    // The position of the first entry whose whole name matches.
    std::optional<size_t> Find(std::wstring_view name) const;
    // The section ("[...]" header, without brackets) above the first line with the name.
    std::optional<std::wstring> SectionOfName(std::wstring_view name) const;

    // Every line replaced, the encoding kept for saving; the selection is cleared.
    void ReplaceLines(std::vector<std::wstring> lines) { lines_ = std::move(lines), selected_ = -1; }
    // Replaces the selected line; AppError "List index out of bounds (-1)" without a selection.
    void ReplaceSelected(const std::wstring& text);

    const std::vector<std::wstring>& Lines() const { return lines_; }
    int Selected() const { return selected_; }
    void Select(int index) { selected_ = (index >= 0 && index < static_cast<int>(lines_.size())) ? index : -1; }
    TextEncoding Encoding() const { return encoding_; }
    void Clear() { lines_.clear(), selected_ = -1, lossy_ = false; }

private:
    std::vector<std::wstring> lines_;
    int selected_ = -1;
    TextEncoding encoding_ = TextEncoding::Ansi;
    bool lossy_ = false;  // the loaded bytes are not what the lines encode back to
};

}  // namespace ravenlock
