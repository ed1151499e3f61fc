// A BA2 archive's header and name table, as the Mods tab reads them: whatever the bytes,
// the reader stays within them, and every name it gives back fits in the table.
#include <string_view>

#include "fuzz_check.h"
#include "mods/ba2_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ravenlock;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto header = ReadBa2Header(bytes.substr(0, kBa2MaxHeaderBytes), size);
    if (!header) return 0;
    FUZZ_CHECK(header->size <= size && header->size <= kBa2MaxHeaderBytes);
    FUZZ_CHECK(header->nameTableOffset == 0 || (header->nameTableOffset >= header->size && header->nameTableOffset <= size));
    const uint64_t tableBytes = Ba2NameTableBytes(*header, size);
    FUZZ_CHECK(header->nameTableOffset + tableBytes <= size);
    if (tableBytes == 0) return 0;
    const std::string_view table = bytes.substr(header->nameTableOffset, tableBytes);
    const auto names = ReadBa2Names(table, header->fileCount);
    if (!names) return 0;
    FUZZ_CHECK(names->size() == header->fileCount);
    size_t total = 0;
    for (const auto& name : *names) {
        FUZZ_CHECK(name.find(L'/') == std::wstring::npos);
        total += 2 + name.size();
    }
    FUZZ_CHECK(total <= table.size());
    return 0;
}
