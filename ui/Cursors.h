#pragma once
// The program's numbered cursors. Several rules read a control's cursor
// number as its "armed" flag, so the number is kept on the widget itself.

#include <QCursor>
class QWidget;

enum CursorNumber { crNone = 0, crRuka = 1, crRukaZak = 2, crSipka = 3, crSipkaZ = 4, crHotLabel = 10 };

namespace Cursors {
// Registers a cursor under a number (the main window does 1..4 at start-up).
void Register(int number, const QCursor &cursor);
// The cursor of an embedded .cur asset with its own hot spot; fallback when missing.
QCursor FromAsset(const QString &name, Qt::CursorShape fallback);
void RegisterProgramCursors();
// The hyperlink label's hand, number 10; registered once, by the first label.
void RegisterHotLabelCursor();
// Gives a widget a numbered cursor.
void Set(QWidget *widget, int number);
int Of(const QWidget *widget);
} // namespace Cursors
