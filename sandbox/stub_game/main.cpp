// Stand-in for Fallout76.exe: holds a chosen working set and lives until it is killed
// or its time is up.
//   Fallout76.exe [--hold-mb N] [--lifetime-ms N] [--limited-access]
// --limited-access locks the process as anti-cheat software does: others may only ask
// it for limited information, wait for it and end it; reading its memory is refused.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include "stub_common.h"

namespace {

void AllowOnlyLimitedAccess() {
    // PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE | PROCESS_TERMINATE, for everyone.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;0x101001;;;WD)", SDDL_REVISION_1, &descriptor,
                                                              nullptr))
        ExitProcess(3);
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
    const DWORD result = SetSecurityInfo(GetCurrentProcess(), SE_KERNEL_OBJECT,
                                         DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                                         nullptr, dacl, nullptr);
    LocalFree(descriptor);
    if (result != ERROR_SUCCESS) ExitProcess(3);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const auto args = sandbox::Arguments();
    if (sandbox::HasFlag(args, L"--limited-access")) AllowOnlyLimitedAccess();
    sandbox::HoldMemory(std::wcstoull(sandbox::Option(args, L"--hold-mb", L"0").c_str(), nullptr, 10));
    sandbox::Linger(static_cast<uint32_t>(std::wcstoul(sandbox::Option(args, L"--lifetime-ms", L"0").c_str(), nullptr, 10)));
    return 0;
}
