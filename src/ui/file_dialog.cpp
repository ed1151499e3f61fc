#include "ui/file_dialog.h"

#include <commdlg.h>

#include <vector>

namespace ravenlock::ui {

namespace {

using DialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

// The dialog library is loaded when the first dialog is asked for: most runs never show
// one, and under Wine it brings the printing stack along.
DialogFunction DialogEntry(bool save) {
    // From the system folder only; a Windows 7 without the search-flag update knows it as
    // a system library anyway.
    static const HMODULE library = [] {
        HMODULE m = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return m ? m : LoadLibraryW(L"comdlg32.dll");
    }();
    if (!library) return nullptr;
    return reinterpret_cast<DialogFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, save ? "GetSaveFileNameW" : "GetOpenFileNameW")));
}

std::optional<std::wstring> Show(HWND owner, const FileDialogSpec& spec, bool save) {
    std::wstring filter = spec.filter;
    for (auto& c : filter)
        if (c == L'|') c = L'\0';
    filter.append(2, L'\0');
    // Room for a long path typed by the user.
    std::vector<wchar_t> file(32768, L'\0');
    spec.fileName.copy(file.data(), std::min(spec.fileName.size(), file.size() - 1));
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = spec.title.c_str();
    ofn.lpstrDefExt = spec.defaultExt.empty() ? nullptr : spec.defaultExt.c_str();
    // The current folder stays where it was: a folder the user browsed to must not become
    // where bare program names are looked up.
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | spec.flags;
    const DialogFunction show = DialogEntry(save);
    if (!show || !show(&ofn)) return std::nullopt;
    return std::wstring(file.data());
}

}  // namespace

std::optional<std::wstring> ShowOpenDialog(HWND owner, const FileDialogSpec& spec) { return Show(owner, spec, false); }
std::optional<std::wstring> ShowSaveDialog(HWND owner, const FileDialogSpec& spec) { return Show(owner, spec, true); }

}  // namespace ravenlock::ui
