#include "ui/file_dialog.h"

#include <vector>

#include "platform/app_error.h"
#include "platform/late_libraries.h"

namespace ravenlock::ui {

namespace {

// The dialog library is loaded when the first dialog is asked for: most runs never show
// one, and under Wine it brings the printing stack along. Without it there is no dialog.
decltype(&::GetOpenFileNameW) DialogEntry(bool save) {
    const late::ComDlg32Api* dialogs = late::TryComDlg32();
    if (!dialogs) return nullptr;
    try {
        late::ComForThisThread(L"выбор файла");
    } catch (const AppError&) {
        // The dialog shows without COM as well, only without the shell's extras in its view.
    }
    return save ? dialogs->GetSaveFileNameW : dialogs->GetOpenFileNameW;
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
    const auto show = DialogEntry(save);
    if (!show || !show(&ofn)) return std::nullopt;
    return std::wstring(file.data());
}

}  // namespace

std::optional<std::wstring> ShowOpenDialog(HWND owner, const FileDialogSpec& spec) { return Show(owner, spec, false); }
std::optional<std::wstring> ShowSaveDialog(HWND owner, const FileDialogSpec& spec) { return Show(owner, spec, true); }

}  // namespace ravenlock::ui
