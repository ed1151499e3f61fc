#pragma once
// The system DLLs that the first paint does not need: the shell, COM and its automation
// types, WinHTTP, the sound API and the file dialogs. None of them is in the import table, so that a start
// waits only for what the window needs; each is loaded from the system folder at its first
// use, with every entry point we call resolved into a table of typed pointers. A DLL that
// cannot be had raises AppError naming it and the feature that needed it, never a crash.
#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winhttp.h>

#include <string>

namespace ravenlock::late {

struct Shell32Api {
    decltype(&::ShellExecuteW) ShellExecuteW;
    decltype(&::Shell_NotifyIconW) Shell_NotifyIconW;
    decltype(&::SHGetFolderPathW) SHGetFolderPathW;
};

struct Ole32Api {
    decltype(&::CoInitializeEx) CoInitializeEx;
    decltype(&::CoUninitialize) CoUninitialize;
    decltype(&::CoCreateInstance) CoCreateInstance;
};

struct OleAut32Api {
    decltype(&::SysAllocString) SysAllocString;
    decltype(&::SysFreeString) SysFreeString;
    decltype(&::SysStringLen) SysStringLen;
    decltype(&::VariantInit) VariantInit;
    decltype(&::VariantClear) VariantClear;
    decltype(&::SafeArrayCreateVector) SafeArrayCreateVector;
    decltype(&::SafeArrayAccessData) SafeArrayAccessData;
    decltype(&::SafeArrayUnaccessData) SafeArrayUnaccessData;
};

struct WinHttpApi {
    decltype(&::WinHttpOpen) WinHttpOpen;
    decltype(&::WinHttpConnect) WinHttpConnect;
    decltype(&::WinHttpOpenRequest) WinHttpOpenRequest;
    decltype(&::WinHttpSendRequest) WinHttpSendRequest;
    decltype(&::WinHttpReceiveResponse) WinHttpReceiveResponse;
    decltype(&::WinHttpQueryHeaders) WinHttpQueryHeaders;
    decltype(&::WinHttpReadData) WinHttpReadData;
    decltype(&::WinHttpSetOption) WinHttpSetOption;
    decltype(&::WinHttpSetTimeouts) WinHttpSetTimeouts;
    decltype(&::WinHttpCrackUrl) WinHttpCrackUrl;
    decltype(&::WinHttpCloseHandle) WinHttpCloseHandle;
};

struct ComDlg32Api {
    decltype(&::GetOpenFileNameW) GetOpenFileNameW;
    decltype(&::GetSaveFileNameW) GetSaveFileNameW;
};

struct WinMmApi {
    decltype(&::PlaySoundW) PlaySoundW;
};

// The table, loading the DLL at the first call (from any thread). `feature` says, in the
// user's words, what cannot work without it; it goes into the AppError raised on failure.
const Shell32Api& Shell32(const wchar_t* feature);
const Ole32Api& Ole32(const wchar_t* feature);
const OleAut32Api& OleAut32(const wchar_t* feature);
const WinHttpApi& WinHttp(const wchar_t* feature);
const WinMmApi& WinMm(const wchar_t* feature);

// The same without a message: nullptr when the DLL or one of its entries is missing.
const Shell32Api* TryShell32();
const ComDlg32Api* TryComDlg32();

// COM for the calling thread (single-threaded apartment), initialised at its first call on
// that thread and kept for the thread's life: the shell's starts and the file dialogs want it.
void ComForThisThread(const wchar_t* feature);

// What the user reads when a DLL cannot be loaded (pure text, for the loaders and tests).
std::wstring MissingLibraryMessage(const wchar_t* dll, unsigned long error, const wchar_t* feature);

}  // namespace ravenlock::late
