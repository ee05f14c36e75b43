#pragma once
// The folder tree of the windows that choose a folder (find in files, the
// journal): a file-system model shown in a tree whose current row is the
// user's choice.
//
// The model drops a folder's row and makes it again when a listing of the
// parent that began before the folder existed comes in; the view then moves
// its current row to a neighbour. That move is not the user's choice: it is
// not reported, and the tree is put back on the chosen folder. The chosen
// folder is kept in view while its parent's listing comes in.

#include <QObject>
#include <functional>

class QFileSystemModel;
class QTreeView;

class FolderTree : public QObject {
public:
    // Puts model into view, showing the names only. picked runs whenever
    // the current row changes, except for the model's own moves; chosen
    // gives the folder the window works in.
    FolderTree(QTreeView &view, QFileSystemModel &model, std::function<QString()> chosen,
               std::function<void()> picked);

private:
    bool m_rowsGoing = false;
    bool m_showPending = false;
};
