#include "ui/dispatch.h"

#include <exception>

#include "platform/app_error.h"
#include "platform/text.h"

namespace ravenlock::ui {

const std::wstring& ApplicationTitle() {
    static const std::wstring title = [] {
        wchar_t path[MAX_PATH];
        const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring name(path, n);
        name = name.substr(name.find_last_of(L"\\/") + 1);
        return name.substr(0, name.find(L'.'));
    }();
    return title;
}

void ShowDefaultErrorDialog(HWND owner, const std::wstring& text) {
    // The box belongs to the top-level window; a hidden one would hide it from view.
    HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    MessageBoxW(top && IsWindowVisible(top) ? top : nullptr, text.c_str(), ApplicationTitle().c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

bool RunHandler(HWND owner, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const AppError& e) {
        ShowDefaultErrorDialog(owner, e.Message());
    } catch (const std::bad_alloc&) {
        ShowDefaultErrorDialog(owner, L"Недостаточно памяти");
    } catch (const std::exception& e) {
        ShowDefaultErrorDialog(owner, Utf8ToWide(e.what()));
    } catch (...) {
        ShowDefaultErrorDialog(owner, L"Непредвиденная ошибка");
    }
    return false;
}

}  // namespace ravenlock::ui
