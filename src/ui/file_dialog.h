#pragma once
// The standard open and save dialogs with fixed properties.
#include <windows.h>
#include <commdlg.h>

#include <optional>
#include <string>

namespace ravenlock::ui {

struct FileDialogSpec {
    std::wstring title;
    std::wstring fileName;    // proposed file name
    std::wstring defaultExt;  // without the dot; appended when the user types none
    std::wstring filter;      // "Description|pattern|Description|pattern"
    DWORD flags = 0;          // OFN_* beyond OFN_EXPLORER
};

// The chosen full path, or nothing when the user cancelled.
std::optional<std::wstring> ShowOpenDialog(HWND owner, const FileDialogSpec& spec);
std::optional<std::wstring> ShowSaveDialog(HWND owner, const FileDialogSpec& spec);

}  // namespace ravenlock::ui
