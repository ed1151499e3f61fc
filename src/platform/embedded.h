#pragma once
// Data carried inside the program's own executable as RT_RCDATA resources.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/picture.h"

namespace ravenlock {

// The bytes of a named RT_RCDATA resource of the running program; empty when missing.
std::span<const uint8_t> EmbeddedData(const std::wstring& name);
// A PNG or JPEG resource decoded; nothing when missing or broken.
std::optional<Picture> DecodeEmbeddedPicture(const std::wstring& name);

}  // namespace ravenlock
