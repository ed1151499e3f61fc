#include "gameconfig/prefs_file.h"

#include <windows.h>

#include "platform/app_error.h"
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
        [](std::wstring_view text) -> std::optional<std::string> {
            if (text.empty()) return std::string();
            // No look-alikes and no "?": a character the code page lacks fails the save.
            // UTF-8 as the ANSI code page holds everything and takes neither flag.
            const bool utf8 = GetACP() == CP_UTF8;
            const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
            BOOL usedDefault = FALSE;
            BOOL* lossy = utf8 ? nullptr : &usedDefault;
            const int size = static_cast<int>(text.size());
            const int n = WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, lossy);
            if (n <= 0 || usedDefault) return std::nullopt;
            std::string bytes(static_cast<size_t>(n), '\0');
            WideCharToMultiByte(CP_ACP, flags, text.data(), size, bytes.data(), n, nullptr, nullptr);
            return bytes;
        }};
    return codec;
}

void LoadLineList(LineList& list, const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info) &&
        (static_cast<uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow) > kMaxPrefsFileBytes)
        throw AppError(L"Файл \"" + path + L"\" больше " + std::to_wstring(kMaxPrefsFileBytes / (1024 * 1024)) +
                       L" МБ: это не файл настроек игры, он не открыт.");
    list.Load(ReadWholeFile(path, kMaxPrefsFileBytes), SystemAnsi());
}

void SaveLineList(const LineList& list, const std::wstring& path) { ReplaceWholeFile(path, list.Save(SystemAnsi())); }

}  // namespace ravenlock
