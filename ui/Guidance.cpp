#include "ui/Guidance.h"
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

void Describe(QWidget *control, const QString &name, const QString &toolTip, const QString &description)
{
    control->setToolTip(toolTip);
    if (!name.isEmpty())
        control->setAccessibleName(name);
    control->setAccessibleDescription(description.isEmpty() ? toolTip : description);
}

void DrawFocusFrame(QPainter &painter, const QWidget *control, const QRect &inside)
{
    if (!control->hasFocus())
        return;
    QStyleOptionFocusRect option;
    option.initFrom(control);
    option.rect = inside;
    option.backgroundColor = control->palette().color(control->backgroundRole());
    control->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, control);
}
