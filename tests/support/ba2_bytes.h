#pragma once
// Small BA2 archives for tests: the header of the given version and type, stand-in file
// records, and the name table (each name a u16 length and its bytes). The data behind the
// records is left out: the program never reads it.
#include <cstdint>
#include <string>
#include <vector>

namespace ravenlock::testing {

inline std::string U32Bytes(uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
inline std::string U64Bytes(uint64_t v) {
    return U32Bytes(static_cast<uint32_t>(v)) + U32Bytes(static_cast<uint32_t>(v >> 32));
}

inline std::string Ba2Bytes(uint32_t version, const char* type, const std::vector<std::string>& names,
                            bool withTable = true) {
    const size_t header = version == 2 ? 32 : version == 3 ? 36 : 24;
    std::string table;
    for (const auto& n : names) table += std::string{char(n.size()), char(n.size() >> 8)} + n;
    std::string bytes = "BTDX" + U32Bytes(version) + type + U32Bytes(static_cast<uint32_t>(names.size())) +
                        U64Bytes(withTable ? header + 16 : 0);
    bytes.resize(header, '\0');
    bytes += std::string(16, 'd');  // stands for the file records
    return withTable ? bytes + table : bytes;
}

}  // namespace ravenlock::testing
