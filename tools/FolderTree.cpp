#include "tools/FolderTree.h"
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>
#include <utility>

FolderTree::FolderTree(QTreeView &view, QFileSystemModel &model, std::function<QString()> chosen,
                       std::function<void()> picked)
    : QObject(&view)
{
    // Connected ahead of the view, so that the flag is up before the view
    // moves its current row away from rows about to go.
    connect(&model, &QFileSystemModel::rowsAboutToBeRemoved, this, [this] { m_rowsGoing = true; });
    view.setModel(&model);
    for (int c = 1; c < model.columnCount(); ++c)
        view.hideColumn(c);
    view.header()->hide();
    connect(view.selectionModel(), &QItemSelectionModel::currentChanged, this, [this, picked] {
        if (!m_rowsGoing)
            picked();
    });
    connect(&model, &QFileSystemModel::rowsRemoved, this, [this, &view, &model, chosen] {
        const QString folder = chosen();
        const QModelIndex at = folder.isEmpty() ? QModelIndex() : model.index(folder);
        if (at.isValid() && view.currentIndex() != at)
            view.setCurrentIndex(at);
        m_rowsGoing = false;
    });
    // The chosen folder's siblings come in after it was made current, and
    // are sorted after that; once they are, bring it into view.
    const auto show = [&view, &model, chosen] {
        const QString folder = chosen();
        if (!folder.isEmpty())
            view.scrollTo(model.index(folder));
    };
    connect(&model, &QFileSystemModel::directoryLoaded, this, [this, show, chosen](const QString &path) {
        const QString folder = chosen();
        m_showPending = !folder.isEmpty() && QFileInfo(folder).absolutePath() == QDir::cleanPath(path);
        if (m_showPending)
            show();
    });
    connect(&model, &QFileSystemModel::layoutChanged, this, [this, show] {
        if (std::exchange(m_showPending, false))
            show();
    });
}
