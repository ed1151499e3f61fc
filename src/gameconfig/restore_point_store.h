#pragma once
// Restore points on disk: each a folder under the store's root holding copies of the
// game's INI files as they were and action.txt, the action that came next. A point is
// written into a hidden work folder first and renamed into place, so a point that
// exists is whole.
#include <string>
#include <vector>

#include "gameconfig/restore_points.h"

namespace ravenlock {

// %LOCALAPPDATA%\Fallout76Ravenlock\Restore points
std::wstring DefaultRestorePointsFolder();

struct StoredPoint {
    std::wstring folder;  // full path, without a closing backslash
    PointStamp stamp;
    std::wstring action;
};

class RestorePointStore {
public:
    explicit RestorePointStore(std::wstring root) : root_(std::move(root)) {}
    const std::wstring& Root() const { return root_; }

    // Copies the game's files (those that exist) into a new point named by the local
    // time, unless they equal the newest point's; then keeps the newest 30. AppError with
    // a message for the user when the point cannot be written: the change must not go on.
    void MakeBefore(const std::wstring& profileFolder, const std::wstring& action) const;
    // The points, newest first.
    std::vector<StoredPoint> Points() const;
    // The bytes a point holds, in the order of the edition's IniNames().
    PointFiles FilesOf(const StoredPoint& point) const;
    // Makes the root folder when it is missing; AppError when it cannot.
    void MakeRoot() const;

private:
    std::wstring root_;
};

// Puts the game's files back as a point held them, all three or none (FileSetError says
// which stay changed when even the undoing fails), a file the point lacks removed. The
// caller lifts the read-only guard.
void WriteBackPointFiles(const PointFiles& files, const std::wstring& profileFolder);

}  // namespace ravenlock
