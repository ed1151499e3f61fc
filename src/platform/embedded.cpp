#include "platform/embedded.h"

#include <windows.h>

namespace ravenlock {

std::span<const uint8_t> EmbeddedData(const std::wstring& name) {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC res = FindResourceW(self, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!res) return {};
    HGLOBAL loaded = LoadResource(self, res);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const uint8_t*>(data), SizeofResource(self, res)};
}

std::optional<Picture> DecodeEmbeddedPicture(const std::wstring& name) {
    const auto data = EmbeddedData(name);
    if (data.empty()) return std::nullopt;
    return DecodePicture(data);
}

}  // namespace ravenlock
