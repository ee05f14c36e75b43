#pragma once
// The drive list of the windows that choose a folder (find in files, the
// journal): the user's home and the mounted file systems, and the entry
// whose folder holds a given folder most closely.

#include <QString>

class QComboBox;
class QFileIconProvider;

namespace DriveList {

// The item data of an entry: the folder the drive stands for.
inline constexpr int kRootRole = 0x0100; // Qt::UserRole

// Fills the list: the user's home first, then each mounted file system once.
void Fill(QComboBox &drives, const QFileIconProvider &icons);
// The entry for folder, added when no drive holds it; it becomes the current one.
int SelectFor(QComboBox &drives, const QString &folder);

} // namespace DriveList
