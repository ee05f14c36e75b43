#include "tools/DriveList.h"
#include <QComboBox>
#include <QDir>
#include <QFileIconProvider>
#include <QStorageInfo>

namespace {
bool IsInside(const QString &path, const QString &root)
{
    if (root == QLatin1String("/"))
        return path.startsWith(u'/');
    return path == root || path.startsWith(root + u'/');
}
} // namespace

namespace DriveList {

static_assert(kRootRole == Qt::UserRole);

void Fill(QComboBox &drives, const QFileIconProvider &icons)
{
    const QString home = QDir::cleanPath(QDir::homePath());
    drives.addItem(icons.icon(QFileIconProvider::Folder), QStringLiteral("Domovská složka (%1)").arg(home), home);
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = QDir::cleanPath(volume.rootPath());
        if (root == home || drives.findData(root, kRootRole) >= 0)
            continue;
        const QString name = volume.displayName();
        drives.addItem(icons.icon(QFileIconProvider::Drive),
                       name.isEmpty() || name == root ? root : QStringLiteral("%1  [%2]").arg(root, name), root);
    }
}

int SelectFor(QComboBox &drives, const QString &folder)
{
    int drive = -1;
    qsizetype longest = -1;
    for (int i = 0; i < drives.count(); ++i) {
        const QString root = drives.itemData(i, kRootRole).toString();
        if (IsInside(folder, root) && root.size() > longest) {
            drive = i;
            longest = root.size();
        }
    }
    if (drive < 0) {
        drives.addItem(QFileIconProvider().icon(QFileIconProvider::Drive), folder, folder);
        drive = drives.count() - 1;
    }
    drives.setCurrentIndex(drive);
    return drive;
}

} // namespace DriveList
