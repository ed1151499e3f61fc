#!/bin/bash
# Builds a fresh sandbox Wine prefix for the demo and the end-to-end tests: a virtual
# desktop for every program, the stub game and Steam at their usual places, Steam's
# registry record and its steam: protocol, the stub browser for http and https, a game
# profile folder with sample INI files and photos, screenshots and crash dumps in the
# game's folder, and Discord's record with a stub updater. Whatever PREFIX held before
# is removed.
# The Microsoft Store world is made beside it in C:\sandbox\pristine\store and installed
# only on demand: by the tests that need it, or here with --store (the demo's choice).
# Usage: scripts/make-sandbox-prefix.sh PREFIX BIN_DIR [--store]   (BIN_DIR: the build's bin folder)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine-env.sh"
prefix="$(realpath -m "${1:?usage: make-sandbox-prefix.sh PREFIX BIN_DIR}")"
bin="$(realpath "${2:?usage: make-sandbox-prefix.sh PREFIX BIN_DIR}")"
with_store="${3:-}"
for f in Fallout76.exe Steam.exe RavenlockBrowser.exe DiscordUpdate.exe explorer.exe chkdsk.exe MSPaint.exe PhotoViewer.exe \
  StoreExplorer.exe; do
  [ -f "$bin/$f" ] || { echo "make-sandbox-prefix: $bin/$f is missing; build first" >&2; exit 1; }
done

ensure_test_user
# A server still running for an older prefix at this place would keep its registry.
[ -f "$prefix/system.reg" ] && stop_wineserver "$prefix"
rm -rf "$prefix" "$prefix.log"
ensure_prefix "$prefix"

c="$prefix/drive_c"
user="$(wine_user)"

# Wine links Documents, Pictures and the like to the Unix home folder, which every
# prefix of the user shares; the sandbox keeps its own, real folders.
for link in "$c/users/$user"/*; do
  if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
done

steam="$c/Program Files (x86)/Steam"
mkdir -p "$steam/steamapps/common/Fallout76" "$c/sandbox"
cp "$bin/Steam.exe" "$steam/Steam.exe"
cp "$bin/Fallout76.exe" "$steam/steamapps/common/Fallout76/Fallout76.exe"
cp "$bin/RavenlockBrowser.exe" "$c/sandbox/RavenlockBrowser.exe"
# Logging stand-ins for what the shell opens folders and pictures with, and for the
# system tools the program starts by their full path in the system folder (Wine has
# neither a disk check nor Paint there).
cp "$bin/explorer.exe" "$c/sandbox/explorer.exe"
cp "$bin/PhotoViewer.exe" "$c/sandbox/PhotoViewer.exe"
cp "$bin/chkdsk.exe" "$c/windows/system32/chkdsk.exe"
cp "$bin/MSPaint.exe" "$c/windows/system32/mspaint.exe"

# The game's profile folder under Documents (SHGetFolderPath CSIDL_PERSONAL, which is
# C:\users\<user>\Documents in Wine), with INI files in the game's own form: ANSI, CR LF.
profile="$c/users/$user/Documents/My Games/Fallout 76"
mkdir -p "$profile"
for ini in Fallout76.ini Fallout76Prefs.ini; do
  iconv -f UTF-8 -t CP1251 "$RAVENLOCK_ROOT/sandbox/profile/$ini" | sed 's/\r*$/\r/' >"$profile/$ini"
done

# What the game leaves on disk, as our own small pictures: photos in a folder per
# character (named by a number) with the thumbnail beside each, screenshots in the
# game's folder (one with its extension in capitals), and crash dumps there too, one
# written exactly at local midnight. Each picture is a plain colour with a mark in one
# corner, so that a test can tell which one is on screen.
game="$steam/steamapps/common/Fallout76"
picture() { # file size colour
  convert -size "$2" "xc:$3" -fill '#f4f0dc' -draw 'circle 10,10 16,10' "PNG24:$1"
}
photos="$profile/Photos/4801927"
mkdir -p "$photos"
picture "$photos/Photo_0001.png" 160x90 '#2f6b3a'
picture "$photos/Photo_0001-thumbnail.png" 48x27 '#2f6b3a'
picture "$photos/Photo_0002.png" 160x90 '#6b3a2f'
picture "$photos/Photo_0002-thumbnail.png" 48x27 '#6b3a2f'
picture "$game/ScreenShot0.png" 160x90 '#1f4f8f'
picture "$game/SHOT.PNG" 160x90 '#8f7f1f'
for dump in A b C; do printf 'MDMP\x93\xa7' >"$game/$dump.dmp"; done
touch -d '2022-10-25 19:05:07' "$game/A.dmp"
touch -d '2023-03-08 21:40:00' "$game/b.dmp"
touch -d '2023-01-15 00:00:00' "$game/C.dmp"
# The tests put the profile folder and these files back from this copy before each test.
mkdir -p "$c/sandbox/pristine/game"
cp -a "$profile" "$c/sandbox/pristine/profile"
cp -a "$game"/*.png "$game"/*.PNG "$game"/*.dmp "$c/sandbox/pristine/game/"

# The Microsoft Store world, kept aside until a test (or --store) installs it: drive X:
# (a folder of the prefix) with the Xbox app's .GamingRoot naming its library "\XboxGames",
# the game there as Project76_GamePass.exe with the package's manifest and its Data,
# the edition's own INI files for the profile folder (the sample ones with their own
# marks, so that a test can tell which edition's file it reads), and the stand-in for
# Windows' Explorer that activates the package. The registry entry of the GamingServices
# is written by whoever installs the world.
store="$c/sandbox/pristine/store"
content="$store/drive/XboxGames/Fallout 76/Content"
mkdir -p "$content/Data" "$store/profile" "$prefix/drive_x"
ln -sfn "../drive_x" "$prefix/dosdevices/x:"
python3 - "$store/drive/.GamingRoot" <<'PY'
import struct, sys
path = "\\XboxGames"
open(sys.argv[1], "wb").write(b"RGBX" + struct.pack("<I", 1) + path.encode("utf-16-le") + b"\0\0")
PY
cp "$bin/Fallout76.exe" "$content/Project76_GamePass.exe"
printf 'TES4' >"$content/Data/SeventySix.esm"
cat >"$content/appxmanifest.xml" <<'XML'
<?xml version="1.0" encoding="utf-8"?>
<Package xmlns="http://schemas.microsoft.com/appx/manifest/foundation/windows10"
         xmlns:uap="http://schemas.microsoft.com/appx/manifest/uap/windows10">
  <Identity Name="BethesdaSoftworks.Fallout76-PC" Publisher="CN=Sandbox" Version="1.7.24.10" ProcessorArchitecture="x64" />
  <Properties>
    <DisplayName>Fallout 76</DisplayName>
    <PublisherDisplayName>Sandbox</PublisherDisplayName>
  </Properties>
  <Applications>
    <Application Id="Game" Executable="Project76_GamePass.exe" EntryPoint="Windows.FullTrustApplication" />
  </Applications>
</Package>
XML
picture "$content/ScreenShot0.png" 160x90 '#3f8f5f'
for logo in StoreLogo SplashScreen; do picture "$content/$logo.png" 50x50 '#101010'; done
for ini in Fallout76.ini Fallout76Prefs.ini; do
  iconv -f UTF-8 -t CP1251 "$RAVENLOCK_ROOT/sandbox/profile/$ini" | sed 's/\r*$/\r/' |
    sed 's/^sLanguage=.*/sLanguage=en\r/; s/^iSize W=.*/iSize W=2560\r/' >"$store/profile/${ini/Fallout76/Project76}"
done
cp "$bin/StoreExplorer.exe" "$store/explorer.exe"
cp "$c/windows/explorer.exe" "$store/wine-explorer.exe"
if [ "$with_store" = "--store" ]; then
  cp -a "$store/drive/." "$prefix/drive_x/"
  cp "$store/profile/"* "$profile/"
  cp "$store/explorer.exe" "$c/windows/explorer.exe"
fi

# Discord's updater where Discord's record points: the program drops the record's first
# four characters and keeps what stands before "\app" (case-sensitive, so the "\AppData"
# on the way does not count).
mkdir -p "$c/sandbox/AppData/Local/Discord"
cp "$bin/DiscordUpdate.exe" "$c/sandbox/AppData/Local/Discord/Update.exe"

# Registry: the virtual desktop, Steam's record as Steam writes it (forward slashes,
# lower case), the steam: protocol, and our browser for http and https. Wine's own
# http/https handler (winebrowser) sits in HKLM\Software\Classes, so ours goes there
# too; the HKCU\Software\Classes entries are where a Windows user's choices live.
browser='C:\\sandbox\\RavenlockBrowser.exe'
steam_exe='C:\\Program Files (x86)\\Steam\\Steam.exe'
discord_sdk='\\\\?\\C:\\sandbox\\AppData\\Local\\Discord\\app-1.0.9013\\modules\\discord_game_sdk\\x64'
url_handler() { # root scheme description command-exe
  cat <<REG
[$1\\Software\\Classes\\$2]
@="$3"
"URL Protocol"=""

[$1\\Software\\Classes\\$2\\shell\\open\\command]
@="\\"$4\\" \\"%1\\""

REG
}
open_with() { # root class command-exe
  cat <<REG
[$1\\Software\\Classes\\$2\\shell\\open\\command]
@="\\"$3\\" \\"%1\\""

REG
}
{
  cat <<REG
REGEDIT4
REG
  if [ "$with_store" = "--store" ]; then
    cat <<REG

[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\GamingServices\\PackageRepository\\Root\\{5B3F1C7E-2A44-4C1B-9E0D-7F6A8B9C0D11}\\0]
"Package"="BethesdaSoftworks.Fallout76-PC_1.7.24.10_x64__3275kfvn8vcwc"
"Root"="\\\\\\\\?\\\\X:\\\\XboxGames\\\\Fallout 76\\\\Content"
REG
  fi
  cat <<REG

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="1280x1024"

[HKEY_CURRENT_USER\\Software\\Valve\\Steam]
"SteamExe"="c:/program files (x86)/steam/steam.exe"
"SteamPath"="c:/program files (x86)/steam"
"AutoLoginUser"="vault_dweller"
"Language"="russian"

[HKEY_CURRENT_USER\\Software\\Discord\\Modules\\discord_game_sdk]
"Path_x64"="$discord_sdk"

REG
  for root in HKEY_CURRENT_USER HKEY_LOCAL_MACHINE; do
    url_handler "$root" steam "URL:steam protocol" "$steam_exe"
    url_handler "$root" http "URL:HyperText Transfer Protocol" "$browser"
    url_handler "$root" https "URL:HyperText Transfer Protocol with Privacy" "$browser"
    open_with "$root" Folder 'C:\\sandbox\\explorer.exe'
    open_with "$root" Directory 'C:\\sandbox\\explorer.exe'
    open_with "$root" RavenlockSandbox.Picture 'C:\\sandbox\\PhotoViewer.exe'
    printf '[%s\\Software\\Classes\\.png]\n@="RavenlockSandbox.Picture"\n\n' "$root"
  done
} >"$c/sandbox/sandbox.reg"

[ "$(id -u)" = 0 ] && chown -R "$user:" "$prefix"
wine_as_user "$prefix" wine regedit /S 'C:\sandbox\sandbox.reg' >>"$prefix.log" 2>&1
wine_as_user "$prefix" wineserver --wait
rm "$c/sandbox/sandbox.reg"

# regedit says nothing when it fails: check that the values reached the registry files.
grep -q '"AutoLoginUser"="vault_dweller"' "$prefix/user.reg" &&
  grep -q 'RavenlockBrowser.exe' "$prefix/system.reg" &&
  grep -q 'PhotoViewer.exe' "$prefix/user.reg" &&
  grep -q '"Path_x64"=' "$prefix/user.reg" &&
  grep -q '"Default"="1280x1024"' "$prefix/user.reg" ||
  { echo "make-sandbox-prefix: the registry entries did not land in $prefix" >&2; exit 1; }
# Lets the run command keep a finished prefix (and only a finished one).
touch "$prefix/.sandbox-ready"
[ "$(id -u)" = 0 ] && chown "$user:" "$prefix/.sandbox-ready"
echo "make-sandbox-prefix: sandbox prefix ready in $prefix"
