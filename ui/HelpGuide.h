#pragma once
// Where the user guide lives and the addresses of its pages. An installed
// Zendra keeps it with its data (bin/../share/zendra/help); a build keeps a
// copy beside the executable (build/help). Both are found from the
// executable's folder, so a moved installation still finds its guide.

#include <QString>

namespace HelpGuide {

inline const QString kIndexPage = QStringLiteral("index.html");
inline const QString kAboutPage = QStringLiteral("o-programu.html");
// Relative to the folder of the executable, in the order they are tried.
inline const QString kInstalledFolder = QStringLiteral("../share/zendra/help");
inline const QString kBuildFolder = QStringLiteral("help");

// The folder whose index.html is the guide of a program in programFolder,
// or empty when neither place has one.
QString Folder(const QString &programFolder);
// Where an installed guide belongs, for telling the user where it is missing.
QString InstalledFolder(const QString &programFolder);
// The file: address of a page of the guide in folder.
QString PageAddress(const QString &folder, const QString &page);

} // namespace HelpGuide
