#pragma once
// Our own reader of a BA2 archive's header and name table: what the Mods tab needs to
// tell an archive from anything else, count its files and find the files two mods share.
// Only the header and the name table are ever read, never the archive's data, and every
// count and offset is checked against the file before it is used.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravenlock {

enum class Ba2Type { General, Textures };  // "GNRL", "DX10"

struct Ba2Header {
    uint32_t version = 0;
    Ba2Type type = Ba2Type::General;
    uint32_t fileCount = 0;
    uint64_t nameTableOffset = 0;  // 0: the archive carries no names
    size_t size = 24;              // versions 2 and 3 carry more fields after the first 24 bytes
};

// The longest header of the versions we read.
inline constexpr size_t kBa2MaxHeaderBytes = 36;
// Names are read only from a table no larger than this.
inline constexpr uint64_t kBa2MaxNameTableBytes = 64ull * 1024 * 1024;

// The header from the file's first bytes (at most kBa2MaxHeaderBytes of them) and its
// size; nothing for a file too short, of another magic, type or version, or whose name
// table would start outside it.
std::optional<Ba2Header> ReadBa2Header(std::string_view firstBytes, uint64_t fileSize);

// How many bytes of name table to read at the header's offset: what is left of the file,
// at most kBa2MaxNameTableBytes; 0 without a table.
uint64_t Ba2NameTableBytes(const Ba2Header& header, uint64_t fileSize);

// The names of the table, each a u16 length and its bytes, decoded as the game writes
// them (ANSI code page 1252 is plain Latin-1 for paths), with "/" turned into "\".
// Nothing when the count is more than the table can hold or a name runs past its end.
std::optional<std::vector<std::wstring>> ReadBa2Names(std::string_view table, uint32_t count);

// A path as the conflict check compares it: lower case, "\" for "/".
std::wstring ArchivePathKey(std::wstring_view path);

}  // namespace ravenlock
