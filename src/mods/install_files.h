#pragma once
// Folder helpers of the installer: where the game folder, Data and the records lie, and
// removing what the installer made.
#include <string>

namespace ravenlock {

std::wstring WithSeparator(std::wstring path);
// The folder that holds Data (the game folder), with a separator; Data itself when it
// is a drive's root.
std::wstring GameFolderOf(const std::wstring& dataFolder);
// Data's path relative to the game folder, as the records store it ("Data\\").
std::wstring DataRelativePath();
// Creates the folder and every missing one above it; false when it cannot.
bool EnsureFolder(const std::wstring& path);
// Removes a folder with everything in it, never following a link out of it; false when
// something stayed.
bool RemoveTree(const std::wstring& path);
// Deletes a file, read-only or not; false when it stays.
bool DeleteAnyFile(const std::wstring& path);

}  // namespace ravenlock
