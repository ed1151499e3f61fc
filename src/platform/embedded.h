#pragma once
// Data carried inside the program's own executable as resources.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/picture.h"

namespace ravenlock {

// The bytes of a named RT_RCDATA resource (names match regardless of letter case) of the
// given module, by default the running program. Raises AppError when it is missing.
std::span<const uint8_t> EmbeddedData(const std::wstring& name, HMODULE module = nullptr);
// A PNG or JPEG resource decoded; nothing when missing or broken.
std::optional<Picture> DecodeEmbeddedPicture(const std::wstring& name);

// Writes a data resource to a file, creating or overwriting it. A missing resource is an
// error; a file that cannot be written (missing folder, no access, in use) is skipped
// silently, and a partly written file is removed. True when the file was written.
bool ExtractResourceToFile(const std::wstring& name, const std::wstring& path, HMODULE module = nullptr);

}  // namespace ravenlock
