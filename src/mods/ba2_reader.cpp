#include "mods/ba2_reader.h"

#include <cwctype>

namespace ravenlock {

namespace {

uint64_t Little(std::string_view bytes, size_t at, size_t width) {
    uint64_t v = 0;
    for (size_t i = width; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

}  // namespace

std::optional<Ba2Header> ReadBa2Header(std::string_view bytes, uint64_t fileSize) {
    if (bytes.size() < 24 || fileSize < 24 || bytes.substr(0, 4) != "BTDX") return std::nullopt;
    Ba2Header h;
    h.version = static_cast<uint32_t>(Little(bytes, 4, 4));
    const std::string_view type = bytes.substr(8, 4);
    if (type == "GNRL") h.type = Ba2Type::General;
    else if (type == "DX10") h.type = Ba2Type::Textures;
    else return std::nullopt;
    switch (h.version) {
        case 1: case 7: case 8: h.size = 24; break;
        case 2: h.size = 32; break;
        case 3: h.size = 36; break;
        default: return std::nullopt;
    }
    if (fileSize < h.size || bytes.size() < h.size) return std::nullopt;
    h.fileCount = static_cast<uint32_t>(Little(bytes, 12, 4));
    h.nameTableOffset = Little(bytes, 16, 8);
    if (h.nameTableOffset != 0 && (h.nameTableOffset < h.size || h.nameTableOffset > fileSize)) return std::nullopt;
    // Every name takes at least its two length bytes.
    if (h.nameTableOffset != 0 && h.fileCount > (fileSize - h.nameTableOffset) / 2) return std::nullopt;
    return h;
}

uint64_t Ba2NameTableBytes(const Ba2Header& header, uint64_t fileSize) {
    if (header.nameTableOffset == 0 || header.nameTableOffset >= fileSize) return 0;
    return std::min(fileSize - header.nameTableOffset, kBa2MaxNameTableBytes);
}

std::optional<std::vector<std::wstring>> ReadBa2Names(std::string_view table, uint32_t count) {
    if (count > table.size() / 2) return std::nullopt;
    std::vector<std::wstring> names;
    names.reserve(count);
    size_t at = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (table.size() - at < 2) return std::nullopt;
        const auto length = static_cast<size_t>(Little(table, at, 2));
        at += 2;
        if (table.size() - at < length) return std::nullopt;
        std::wstring name;
        name.reserve(length);
        for (size_t k = 0; k < length; ++k) {
            const auto c = static_cast<wchar_t>(static_cast<unsigned char>(table[at + k]));
            name += c == L'/' ? L'\\' : c;
        }
        at += length;
        names.push_back(std::move(name));
    }
    return names;
}

std::wstring ArchivePathKey(std::wstring_view path) {
    std::wstring key(path);
    for (auto& c : key) c = c == L'/' ? L'\\' : static_cast<wchar_t>(std::towlower(c));
    return key;
}

}  // namespace ravenlock
