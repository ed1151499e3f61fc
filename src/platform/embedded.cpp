#include "platform/embedded.h"

#include "platform/app_error.h"
#include "platform/startup_trace.h"

namespace ravenlock {

std::span<const uint8_t> EmbeddedData(const std::wstring& name, HMODULE module) {
    if (!module) module = GetModuleHandleW(nullptr);
    HRSRC res = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = res ? LoadResource(module, res) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) throw AppError(L"Ресурс «" + name + L"» не найден");
    return {static_cast<const uint8_t*>(data), SizeofResource(module, res)};
}

std::optional<Picture> DecodeEmbeddedPicture(const std::wstring& name) {
    startup_trace::ArtworkScope timed;
    try {
        return DecodePicture(EmbeddedData(name));
    } catch (const AppError&) {
        return std::nullopt;
    }
}

bool ExtractResourceToFile(const std::wstring& name, const std::wstring& path, HMODULE module) {
    const auto data = EmbeddedData(name, module);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
                    written == data.size();
    CloseHandle(file);
    if (!ok) DeleteFileW(path.c_str());
    return ok;
}

}  // namespace ravenlock
