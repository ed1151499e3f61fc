#include "platform/tools.h"

#include <mmsystem.h>

#include <vector>

#include "platform/embedded.h"
#include "platform/processes.h"
#include "platform/sound_rules.h"

namespace ravenlock {

std::wstring TempToolPath() {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    std::wstring folder(temp, n);
    std::vector<wchar_t> longer(32768);
    const DWORD m = GetLongPathNameW(folder.c_str(), longer.data(), static_cast<DWORD>(longer.size()));
    if (m > 0 && m < longer.size()) folder.assign(longer.data(), m);
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder + L"\\RAMMap.exe";
}

void RunRamMapTool(const std::wstring& resourceName, const std::wstring& parameters, bool interactive,
                   HMODULE module) {
    const std::wstring path = TempToolPath();
    if (!ExtractResourceToFile(resourceName, path, module)) return;
    RunProgramWithParams(path, interactive ? L"" : parameters);
}

bool RemoveTempToolCopy() {
    if (ProcessExists(L"RAMMap.exe")) return false;
    Sleep(400);
    const std::wstring path = TempToolPath();
    return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

void PlayNotificationSound(const std::wstring& name) {
    std::wstring sound = name;
    if (sound.empty()) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        sound = WeekdaySoundName(IsoWeekday(now.wDayOfWeek));
    }
    PlaySoundW(sound.c_str(), GetModuleHandleW(nullptr), SND_RESOURCE | SND_ASYNC);
}

}  // namespace ravenlock
