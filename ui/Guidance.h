#pragma once
// What a newcomer is told about a control: its tool tip, and the name and
// description a screen reader speaks. Each window gives them where it makes
// its controls, so a control cannot be added without deciding what it says.
// Also the focus frame of the controls we draw ourselves, so that a user of
// the keyboard sees where the focus is.

#include <QString>

class QPainter;
class QRect;
class QWidget;

// An empty name leaves the control's own caption as its name (a caption
// that changes, "Storno" and "Přeskočit", stays what the reader says); an
// empty description repeats the tool tip. A long tip is shown broken into lines.
void Describe(QWidget *control, const QString &name, const QString &toolTip, const QString &description = {});

// The style's dotted focus frame inside the given rectangle, while the
// control has the focus.
void DrawFocusFrame(QPainter &painter, const QWidget *control, const QRect &inside);
