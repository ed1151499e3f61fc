#pragma once
// The system side of the memory tool: privileges, the memory-list command and the
// figures the window shows.
#include <cstdint>
#include <optional>

#include "memtool_rules.h"

namespace memtool {

// Enables the privileges the command needs and sends it to the system.
Result RunMemoryCommand(Action action);

struct MemoryFigures {
    uint64_t total = 0;
    uint64_t available = 0;
    uint32_t loadPercent = 0;
    std::optional<uint64_t> standby;  // empty where the system does not report the lists
};

// Enables the privilege the memory-list query needs; once is enough.
void PrepareMemoryQuery();
MemoryFigures QueryMemoryFigures();

}  // namespace memtool
