#include "ui/HelpGuide.h"
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace HelpGuide {

QString InstalledFolder(const QString &programFolder)
{
    return QDir::cleanPath(QDir(programFolder).absoluteFilePath(kInstalledFolder));
}

QString Folder(const QString &programFolder)
{
    const QString candidates[2] = {InstalledFolder(programFolder),
                                   QDir::cleanPath(QDir(programFolder).absoluteFilePath(kBuildFolder))};
    for (const QString &folder : candidates)
        if (QFileInfo(QDir(folder).filePath(kIndexPage)).isFile())
            return folder;
    return {};
}

QString PageAddress(const QString &folder, const QString &page)
{
    return QUrl::fromLocalFile(QDir(folder).absoluteFilePath(page)).toString();
}

} // namespace HelpGuide
