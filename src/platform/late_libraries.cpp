#include "platform/late_libraries.h"

#include "platform/app_error.h"

namespace ravenlock::late {

namespace {

// One DLL from the system folder, never from beside the program or the current folder.
HMODULE LoadFromSystemFolder(const wchar_t* dll, DWORD& error) {
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module && GetLastError() == ERROR_INVALID_PARAMETER) {
        // A Windows 7 without the search-flag update: the full path says the same.
        wchar_t folder[MAX_PATH] = {};
        const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
        if (n > 0 && n < MAX_PATH) module = LoadLibraryW((std::wstring(folder, n) + L"\\" + dll).c_str());
    }
    error = module ? ERROR_SUCCESS : GetLastError();
    return module;
}

template <typename F>
bool Resolve(HMODULE module, F& entry, const char* name, DWORD& error) {
    entry = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!entry) error = GetLastError();
    return entry != nullptr;
}

// A loaded table, or why there is none.
template <typename Api>
struct Loaded {
    Api api{};
    bool ok = false;
    DWORD error = ERROR_SUCCESS;
    const wchar_t* dll = L"";
};

// Made once per DLL, by whichever thread asks first; `resolve` fills in every entry.
template <typename Api>
const Loaded<Api>& Table(const wchar_t* dll, bool (*resolve)(HMODULE, Loaded<Api>&)) {
    static const Loaded<Api> table = [&] {
        Loaded<Api> t;
        t.dll = dll;
        if (HMODULE module = LoadFromSystemFolder(dll, t.error)) t.ok = resolve(module, t);
        return t;
    }();
    return table;
}

template <typename Api>
const Api& Require(const Loaded<Api>& loaded, const wchar_t* feature) {
    if (!loaded.ok) throw AppError(MissingLibraryMessage(loaded.dll, loaded.error, feature));
    return loaded.api;
}

// Each entry point by the name it is declared with.
#define RAVENLOCK_ENTRY(name) Resolve(module, t.api.name, #name, t.error)

bool Shell32Entries(HMODULE module, Loaded<Shell32Api>& t) {
    return RAVENLOCK_ENTRY(ShellExecuteW) && RAVENLOCK_ENTRY(Shell_NotifyIconW) && RAVENLOCK_ENTRY(SHGetFolderPathW);
}

bool Ole32Entries(HMODULE module, Loaded<Ole32Api>& t) {
    return RAVENLOCK_ENTRY(CoInitializeEx) && RAVENLOCK_ENTRY(CoUninitialize) && RAVENLOCK_ENTRY(CoCreateInstance);
}

bool OleAut32Entries(HMODULE module, Loaded<OleAut32Api>& t) {
    return RAVENLOCK_ENTRY(SysAllocString) && RAVENLOCK_ENTRY(SysFreeString) && RAVENLOCK_ENTRY(SysStringLen) &&
           RAVENLOCK_ENTRY(VariantInit) && RAVENLOCK_ENTRY(VariantClear) && RAVENLOCK_ENTRY(SafeArrayCreateVector) &&
           RAVENLOCK_ENTRY(SafeArrayAccessData) && RAVENLOCK_ENTRY(SafeArrayUnaccessData);
}

bool WinHttpEntries(HMODULE module, Loaded<WinHttpApi>& t) {
    return RAVENLOCK_ENTRY(WinHttpOpen) && RAVENLOCK_ENTRY(WinHttpConnect) && RAVENLOCK_ENTRY(WinHttpOpenRequest) &&
           RAVENLOCK_ENTRY(WinHttpSendRequest) && RAVENLOCK_ENTRY(WinHttpReceiveResponse) &&
           RAVENLOCK_ENTRY(WinHttpQueryHeaders) && RAVENLOCK_ENTRY(WinHttpReadData) &&
           RAVENLOCK_ENTRY(WinHttpSetOption) && RAVENLOCK_ENTRY(WinHttpSetTimeouts) &&
           RAVENLOCK_ENTRY(WinHttpCrackUrl) && RAVENLOCK_ENTRY(WinHttpCloseHandle);
}

bool ComDlg32Entries(HMODULE module, Loaded<ComDlg32Api>& t) {
    return RAVENLOCK_ENTRY(GetOpenFileNameW) && RAVENLOCK_ENTRY(GetSaveFileNameW);
}

bool WinMmEntries(HMODULE module, Loaded<WinMmApi>& t) { return RAVENLOCK_ENTRY(PlaySoundW); }

#undef RAVENLOCK_ENTRY

const Loaded<Shell32Api>& Shell32Table() { return Table(L"shell32.dll", Shell32Entries); }
const Loaded<ComDlg32Api>& ComDlg32Table() { return Table(L"comdlg32.dll", ComDlg32Entries); }

}  // namespace

const Shell32Api& Shell32(const wchar_t* feature) { return Require(Shell32Table(), feature); }
const Ole32Api& Ole32(const wchar_t* feature) { return Require(Table(L"ole32.dll", Ole32Entries), feature); }
const OleAut32Api& OleAut32(const wchar_t* feature) {
    return Require(Table(L"oleaut32.dll", OleAut32Entries), feature);
}
const WinHttpApi& WinHttp(const wchar_t* feature) { return Require(Table(L"winhttp.dll", WinHttpEntries), feature); }
const WinMmApi& WinMm(const wchar_t* feature) { return Require(Table(L"winmm.dll", WinMmEntries), feature); }

const Shell32Api* TryShell32() { return Shell32Table().ok ? &Shell32Table().api : nullptr; }
const ComDlg32Api* TryComDlg32() { return ComDlg32Table().ok ? &ComDlg32Table().api : nullptr; }

void ComForThisThread(const wchar_t* feature) {
    thread_local bool initialised = false;
    if (initialised) return;
    // S_FALSE (already initialised by someone else on this thread) is as good.
    Ole32(feature).CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    initialised = true;
}

std::wstring MissingLibraryMessage(const wchar_t* dll, unsigned long error, const wchar_t* feature) {
    return L"Не удалось загрузить системную библиотеку " + std::wstring(dll) + L" (код ошибки " +
           std::to_wstring(error) + L"), поэтому недоступно: " + feature + L".";
}

}  // namespace ravenlock::late
