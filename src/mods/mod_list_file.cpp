#include "mods/mod_list_file.h"

#include "gameconfig/game_files.h"
#include "gameconfig/prefs_file.h"
#include "platform/file_system.h"

namespace ravenlock {

ModLists ReadGameModLists(const std::wstring& profileFolder) {
    const std::wstring path = GameIniPath(profileFolder, GameIni::Custom);
    if (!FileExists(path)) return {};
    LineList lines;
    LoadLineList(lines, path);
    return ReadModLists(lines.Lines());
}

void WriteGameModLists(const std::wstring& profileFolder, const ModLists& lists) {
    const std::wstring path = GameIniPath(profileFolder, GameIni::Custom);
    LineList lines;
    if (FileExists(path)) LoadLineList(lines, path);
    std::vector<std::wstring> text = WriteModLists(lines.Lines(), lists);
    if (text == lines.Lines()) return;
    lines.ReplaceLines(std::move(text));
    SaveLineList(lines, path);
}

}  // namespace ravenlock
