#include "mods/mod_texts.h"

#include "platform/paths.h"

namespace ravenlock {

namespace {

// At most this many files are named per mod in the details box; the rest are counted.
constexpr size_t kFilesNamedPerMod = 12;

std::wstring GroupedDigits(uint64_t n) {
    std::wstring digits = std::to_wstring(n), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += L'\u00A0';
        out += digits[i];
    }
    return out;
}

void AddSharedFiles(std::wstring& text, const wchar_t* heading,
                    const std::map<std::wstring, std::vector<std::wstring>>& byMod) {
    if (byMod.empty()) return;
    text += L"\r\n";
    text += heading;
    for (const auto& [mod, files] : byMod) {
        text += L"\r\n  " + mod + L" (" + std::to_wstring(files.size()) + L"):";
        for (size_t i = 0; i < files.size() && i < kFilesNamedPerMod; ++i) text += L"\r\n    " + files[i];
        if (files.size() > kFilesNamedPerMod)
            text += L"\r\n    … и ещё " + std::to_wstring(files.size() - kFilesNamedPerMod);
    }
}

std::wstring EntryLine(const LeftOutEntry& e) {
    const std::wstring source = FileNamePart(e.source);
    return L"  " + (e.entry.empty() ? source : source + L" → " + e.entry) + L": " + e.reason;
}

}  // namespace

std::wstring MegabytesText(uint64_t bytes) {
    // Tenths of a MiB, rounded half up.
    const uint64_t tenths = (bytes * 10 + 512 * 1024) / (1024 * 1024);
    return std::to_wstring(tenths / 10) + L"," + std::to_wstring(tenths % 10);
}

std::vector<std::wstring> RowCells(const ModRow& row, const ArchiveFacts* facts, size_t conflicts) {
    const wchar_t* list = row.list == ModList::Main ? kListMainText : row.list == ModList::StartUp ? kListStartUpText : L"";
    if (row.missing || !facts) return {row.name, list, kNoFileText, L"", L""};
    const std::wstring count = facts->header ? std::to_wstring(facts->header->fileCount) : kUnreadableText;
    return {row.name, list, MegabytesText(facts->size), count, conflicts ? std::to_wstring(conflicts) : L""};
}

std::wstring DetailsText(const ModRow& row, const std::wstring& path, const ArchiveFacts* facts,
                         const ModConflicts* conflicts, const std::optional<InstallOrigin>& origin) {
    std::wstring text = L"Файл: " + path;
    if (row.missing || !facts) {
        text += L"\r\nФайла нет в папке Data: игра не загрузит этот мод. Снимите отметку, чтобы убрать его из списка.";
        return text;
    }
    text += L"\r\nРазмер: " + MegabytesText(facts->size) + L" МБ (" + GroupedDigits(facts->size) + L" байт)";
    text += L"\r\nДата: " + facts->date;
    if (facts->header) {
        const bool textures = facts->header->type == Ba2Type::Textures;
        text += L"\r\nТип архива: " + std::wstring(textures ? L"DX10 (текстуры)" : L"GNRL (общий)") + L", версия " +
                std::to_wstring(facts->header->version);
        text += L"\r\nФайлов: " + std::to_wstring(facts->header->fileCount);
        if (facts->header->fileCount > 0 && facts->names.empty())
            text += L" (имена файлов архив не хранит, конфликты не видны)";
    } else {
        text += L"\r\nАрхив не читается: это не архив BA2 или он повреждён.";
    }
    if (origin) text += L"\r\nУстановлен программой из файла " + origin->sourceName + L" (" + origin->installedAt + L")";
    if (row.list == ModList::None) {
        text += L"\r\n\r\nМод выключен: игра его не загружает.";
    } else if (!conflicts || (conflicts->takesOver.empty() && conflicts->takenOverBy.empty())) {
        text += L"\r\n\r\nОбщих файлов с другими включёнными модами нет.";
    } else {
        text += L"\r\n";
        AddSharedFiles(text, L"Заменяет файлы модов, загруженных раньше:", conflicts->takesOver);
        AddSharedFiles(text, L"Его файлы заменяют моды, загруженные позже:", conflicts->takenOverBy);
    }
    return text;
}

std::optional<std::wstring> UpdateNotice(const std::wstring& playedWithMods, const std::wstring& now, bool anyModOn) {
    if (!anyModOn || playedWithMods.empty() || now.empty() || playedWithMods == now) return std::nullopt;
    return L"Игра обновилась (" + playedWithMods + L" → " + now +
           L"). Моды интерфейса часто перестают работать после обновления: если игра вылетает, выключите моды.";
}

std::wstring InstallReport(const InstallOutcome& o) {
    std::wstring text;
    if (o.cancelled) text = L"Установка отменена: ничего не установлено.";
    else if (o.installed.empty()) text = L"Ничего не установлено.";
    else {
        text = L"Установлено:";
        for (const std::wstring& name : o.installed) text += L"\r\n  " + name;
        text += L"\r\nНовые моды включены в конце основного списка.";
    }
    if (!o.commitError.empty()) text += L"\r\n\r\nУстановка не завершена, всё перенесённое убрано:\r\n" + o.commitError;
    if (!o.failedSources.empty()) {
        text += L"\r\n\r\nНе прочитаны:";
        for (const auto& [source, reason] : o.failedSources) text += L"\r\n  " + FileNamePart(source) + L": " + reason;
    }
    std::wstring refused, left;
    for (const LeftOutEntry& e : o.leftOut) (e.refused ? refused : left) += L"\r\n" + EntryLine(e);
    if (!refused.empty()) text += L"\r\n\r\nОтклонено как опасное:" + refused;
    if (!left.empty()) text += L"\r\n\r\nНе установлено:" + left;
    if (!o.declined.empty()) {
        text += L"\r\n\r\nОставлены прежние файлы (замена не подтверждена):";
        for (const std::wstring& target : o.declined) text += L"\r\n  " + target;
    }
    return text;
}

std::wstring RemovedReport(const std::wstring& archiveName, const RemoveResult& r) {
    std::wstring text = r.error.empty() ? L"Мод " + archiveName + L" удалён." : L"Мод " + archiveName + L" удалён не полностью:\r\n" + r.error;
    if (!r.restored.empty()) {
        text += L"\r\n\r\nВозвращены файлы, которые он заменял:";
        for (const std::wstring& f : r.restored) text += L"\r\n  " + f;
    }
    if (!r.changedLeft.empty()) {
        text += L"\r\n\r\nЭти файлы изменились после установки и оставлены на месте:";
        for (const std::wstring& f : r.changedLeft) text += L"\r\n  " + f;
    }
    return text;
}

std::wstring VanishedReport(const std::vector<std::wstring>& names) {
    std::wstring text = L"Моды включены снова. Файлов этих модов больше нет в папке Data, игра их не загрузит:";
    for (const std::wstring& n : names) text += L"\r\n  " + n;
    text += L"\r\nСнимите с них отметку, чтобы убрать их из списка.";
    return text;
}

}  // namespace ravenlock
