#include "memtool_rules.h"

#include <cwchar>

namespace memtool {
namespace {

// NTSTATUS values we tell apart; the rest is shown by number.
constexpr uint32_t kStatusNotImplemented = 0xC0000002;
constexpr uint32_t kStatusInvalidInfoClass = 0xC0000003;
constexpr uint32_t kStatusAccessDenied = 0xC0000022;
constexpr uint32_t kStatusPrivilegeNotHeld = 0xC0000061;
constexpr uint32_t kStatusNotSupported = 0xC00000BB;

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameSwitch(std::wstring_view arg, std::wstring_view name) {
    if (arg.size() != name.size() + 1 || (arg[0] != L'-' && arg[0] != L'/')) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (FoldAscii(arg[i + 1]) != name[i]) return false;
    return true;
}

std::wstring Grouped(uint64_t value) {
    std::wstring digits = std::to_wstring(value);
    std::wstring out;
    for (size_t i = 0; i < digits.size(); ++i) {
        // A no-break space keeps "16 384" on one line in a narrow label.
        if (i > 0 && (digits.size() - i) % 3 == 0) out += L'\u00A0';
        out += digits[i];
    }
    return out;
}

std::wstring WhatFailed(Action action) {
    return action == Action::PurgeStandby ? L"Не удалось очистить резервный список" : L"Не удалось очистить рабочие наборы";
}

wchar_t TwoDigits(int value, int place) { return static_cast<wchar_t>(L'0' + (value / place) % 10); }

}  // namespace

Switches ParseSwitches(const std::vector<std::wstring>& args) {
    Switches s;
    for (const auto& arg : args) {
        if (SameSwitch(arg, L"et")) {
            s.actions.push_back(Action::PurgeStandby);
        } else if (SameSwitch(arg, L"ew")) {
            s.actions.push_back(Action::EmptyWorkingSets);
        } else {
            s.unknown = arg;
            // Half a command line is worse than none: do nothing at all.
            s.actions.clear();
            break;
        }
    }
    return s;
}

Result ClassifyStatus(uint32_t ntstatus) {
    // Success and informational codes have the top bit clear.
    if ((ntstatus & 0x80000000u) == 0) return {Outcome::Done, ntstatus};
    switch (ntstatus) {
        case kStatusNotImplemented:
        case kStatusInvalidInfoClass:
        case kStatusNotSupported:
            return {Outcome::Unsupported, ntstatus};
        case kStatusAccessDenied:
        case kStatusPrivilegeNotHeld:
            return {Outcome::Denied, ntstatus};
        default:
            return {Outcome::Failed, ntstatus};
    }
}

int ExitCode(Outcome outcome) {
    switch (outcome) {
        case Outcome::Done: return 0;
        case Outcome::NoPrivilege: return 1;
        case Outcome::Unsupported:
        case Outcome::Denied:
        case Outcome::Failed: return 2;
    }
    return 2;
}

int ExitCode(std::span<const Result> results) {
    for (const auto& r : results)
        if (r.outcome != Outcome::Done) return ExitCode(r.outcome);
    return 0;
}

std::wstring FormatMiB(uint64_t bytes) { return Grouped(bytes >> 20) + L"\u00A0МБ"; }

std::wstring FormatMiB(std::optional<uint64_t> bytes) { return bytes ? FormatMiB(*bytes) : L"нет данных"; }

std::wstring FormatInUse(uint64_t bytes, uint32_t loadPercent) {
    return FormatMiB(bytes) + L" (" + std::to_wstring(loadPercent) + L"\u00A0%)";
}

uint64_t StandbyBytes(std::span<const uint64_t> pageCountByPriority, uint64_t pageSize) {
    uint64_t pages = 0;
    for (uint64_t n : pageCountByPriority) pages += n;
    return pages * pageSize;
}

std::wstring FailureText(Action action, const Result& result) {
    std::wstring text = WhatFailed(action) + L": ";
    switch (result.outcome) {
        case Outcome::Done:
            return {};
        case Outcome::NoPrivilege:
        case Outcome::Denied:
            return text + L"недостаточно прав. Запустите программу от имени администратора.";
        case Outcome::Unsupported:
            return text + L"система не поддерживает эту операцию.";
        case Outcome::Failed: {
            wchar_t code[16];
            std::swprintf(code, std::size(code), L"0x%08X", static_cast<unsigned>(result.status));
            return text + L"система вернула ошибку " + code + L".";
        }
    }
    return text;
}

std::wstring SuccessText(Action action, int hour, int minute, int second) {
    const std::wstring time = {TwoDigits(hour, 10),   TwoDigits(hour, 1),   L':', TwoDigits(minute, 10),
                               TwoDigits(minute, 1), L':', TwoDigits(second, 10), TwoDigits(second, 1)};
    return time + (action == Action::PurgeStandby ? L" — резервный список очищен." : L" — рабочие наборы очищены.");
}

}  // namespace memtool
