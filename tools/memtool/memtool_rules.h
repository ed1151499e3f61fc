#pragma once
// What the memory tool decides without asking Windows: which switches it was given,
// which exit code and which texts follow from an outcome, how sizes are shown.
// No <windows.h> here, so the unit tests build it as it is.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace memtool {

enum class Action { PurgeStandby, EmptyWorkingSets };

struct Switches {
    std::vector<Action> actions;          // in the order given; none means the window
    std::optional<std::wstring> unknown;  // the first switch we do not honour, if any
};

// "-Et" / "/et" purge the standby list, "-Ew" empties the working sets; case does not matter.
Switches ParseSwitches(const std::vector<std::wstring>& args);

enum class Outcome {
    Done,
    NoPrivilege,  // the privilege could not be enabled for our token
    Unsupported,  // the system call is missing or this system does not know the command
    Denied,       // the system refused it for lack of rights
    Failed,       // any other status from the system
};

struct Result {
    Outcome outcome = Outcome::Done;
    uint32_t status = 0;  // NTSTATUS of the call, for the message
};

// Sorts the status that NtSetSystemInformation returned.
Result ClassifyStatus(uint32_t ntstatus);

constexpr int kExitUnknownSwitch = 3;
int ExitCode(Outcome outcome);
// Every action runs; the first failure decides the exit code.
int ExitCode(std::span<const Result> results);

// Whole mebibytes (floored) with grouped thousands: "16 384 МБ".
std::wstring FormatMiB(uint64_t bytes);
// The same, or "нет данных" when the system does not tell.
std::wstring FormatMiB(std::optional<uint64_t> bytes);
// "6 120 МБ (38 %)".
std::wstring FormatInUse(uint64_t bytes, uint32_t loadPercent);

// Size of the standby list from its page counts by priority.
uint64_t StandbyBytes(std::span<const uint64_t> pageCountByPriority, uint64_t pageSize);

// Message box text when an action from the window failed.
std::wstring FailureText(Action action, const Result& result);
// Status line after an action succeeded, stamped with the local time.
std::wstring SuccessText(Action action, int hour, int minute, int second);

}  // namespace memtool
