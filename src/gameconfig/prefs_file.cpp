#include "gameconfig/prefs_file.h"

#include <windows.h>

#include "platform/file_system.h"

namespace ravenlock {

const AnsiCodec& SystemAnsi() {
    static const AnsiCodec codec{
        [](std::string_view bytes) {
            if (bytes.empty()) return std::wstring();
            const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
            std::wstring text(static_cast<size_t>(n), L'\0');
            MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
            return text;
        },
        [](std::wstring_view text) {
            if (text.empty()) return std::string();
            const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                              nullptr, nullptr);
            std::string bytes(static_cast<size_t>(n), '\0');
            WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
            return bytes;
        }};
    return codec;
}

void LoadLineList(LineList& list, const std::wstring& path) { list.Load(ReadWholeFile(path), SystemAnsi()); }

void SaveLineList(const LineList& list, const std::wstring& path) { ReplaceWholeFile(path, list.Save(SystemAnsi())); }

}  // namespace ravenlock
