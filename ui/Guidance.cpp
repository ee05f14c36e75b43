#include "ui/Guidance.h"
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

namespace {
// A plain tool tip is one line however long it is; as rich text the tip
// window breaks it into lines of a readable width. Short hints stay plain.
constexpr int kLongestPlainTip = 60;

QString Wrapped(const QString &tip)
{
    if (tip.size() <= kLongestPlainTip)
        return tip;
    return QStringLiteral("<p>") + tip.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>")) + QStringLiteral("</p>");
}
} // namespace

void Describe(QWidget *control, const QString &name, const QString &toolTip, const QString &description)
{
    control->setToolTip(Wrapped(toolTip));
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
