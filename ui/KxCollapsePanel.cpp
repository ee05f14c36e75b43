#include "ui/KxCollapsePanel.h"
#include "ui/Guidance.h"
#include <QChildEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace {

const QString kFoldDescription = QStringLiteral("Sbalí panel na jeho lištu.");
const QString kUnfoldDescription = QStringLiteral("Rozbalí sbalený panel.");

// A button's hint is also its name: "-", "+" and "x" say nothing to a screen reader.
QToolButton *HeaderButton(QWidget *header, const QString &text, const QString &hint, const QString &description)
{
    auto *b = new QToolButton(header);
    b->setText(text);
    Describe(b, hint, hint, description);
    b->setAutoRaise(true);
    // Reached by Tab, but a click leaves the focus where it was.
    b->setFocusPolicy(Qt::TabFocus);
    b->resize(TKxCollapsePanel::kButtonSize, TKxCollapsePanel::kButtonSize);
    return b;
}

} // namespace

TKxCollapsePanel::TKxCollapsePanel(QWidget *parent) : QFrame(parent)
{
    setAutoFillBackground(true);
    m_header = new QWidget(this);
    m_header->setObjectName(QStringLiteral("Header"));
    m_header->installEventFilter(this);
    m_header->setCursor(Qt::SizeAllCursor);
    m_fold = HeaderButton(m_header, QStringLiteral("-"), QStringLiteral("Sbalit"), kFoldDescription);
    m_fold->setObjectName(QStringLiteral("FoldButton"));
    m_close = HeaderButton(m_header, QStringLiteral("x"), QStringLiteral("Zavřít"), QStringLiteral("Skryje panel."));
    m_close->setObjectName(QStringLiteral("CloseButton"));
    m_fold->setCursor(Qt::ArrowCursor);
    m_close->setCursor(Qt::ArrowCursor);
    connect(m_fold, &QToolButton::clicked, this, [this] {
        if (m_folded)
            Unfold();
        else
            Fold();
    });
    connect(m_close, &QToolButton::clicked, this, &QWidget::hide);
    setColor(palette().color(QPalette::Window));
    layOutHeader();
}

void TKxCollapsePanel::setHeaderCaption(const QString &caption)
{
    m_caption = caption;
    m_header->update();
}

void TKxCollapsePanel::setBevelWidth(int width)
{
    m_bevelWidth = qMax(0, width);
    layOutHeader();
    update();
}

void TKxCollapsePanel::setBorderWidth(int width)
{
    m_borderWidth = qMax(0, width);
    layOutHeader();
    update();
}

QColor TKxCollapsePanel::Color() const { return palette().color(QPalette::Window); }

void TKxCollapsePanel::setColor(const QColor &colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
    // The buttons read on the header's colour.
    QPalette buttons = m_fold->palette();
    buttons.setColor(QPalette::ButtonText, HeaderColor().lightness() < 110 ? Qt::white : Qt::black);
    m_fold->setPalette(buttons);
    m_close->setPalette(buttons);
    m_header->update();
}

QColor TKxCollapsePanel::HeaderColor() const
{
    const QColor c = Color();
    return QColor(qMax(0, c.red() - 100), qMax(0, c.green() - 100), qMax(0, c.blue() - 100));
}

void TKxCollapsePanel::Fold()
{
    if (m_folded)
        return;
    m_fullHeight = height();
    m_folded = true;
    resize(width(), kHeaderHeight + m_bevelWidth + m_borderWidth);
    m_fold->setText(QStringLiteral("+"));
    Describe(m_fold, QStringLiteral("Rozbalit"), QStringLiteral("Rozbalit"), kUnfoldDescription);
    emit folded(true);
}

void TKxCollapsePanel::Unfold()
{
    if (!m_folded)
        return;
    m_folded = false;
    resize(width(), m_fullHeight);
    m_fold->setText(QStringLiteral("-"));
    Describe(m_fold, QStringLiteral("Sbalit"), QStringLiteral("Sbalit"), kFoldDescription);
    emit folded(false);
}

void TKxCollapsePanel::layOutHeader()
{
    const int headerWidth = qMax(0, width() - 2 * inset());
    m_header->setGeometry(inset(), inset(), headerWidth, kHeaderHeight);
    m_fold->move(0, 0);
    m_close->move(headerWidth - kButtonInset, 0);
    m_header->raise();
}

void TKxCollapsePanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    layOutHeader();
}

void TKxCollapsePanel::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    m_header->raise();
}

void TKxCollapsePanel::childEvent(QChildEvent *event)
{
    QFrame::childEvent(event);
    // Whatever the owner lays into the panel stays under the header.
    if (event->added() && m_header && event->child() != m_header && event->child()->isWidgetType())
        m_header->raise();
}

void TKxCollapsePanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor c = Color();
    for (int i = 0; i < m_bevelWidth; ++i) {
        const QRect r = rect().adjusted(i, i, -1 - i, -1 - i);
        p.setPen(c.lighter(150));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(c.darker(170));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
}

void TKxCollapsePanel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QFrame::mousePressEvent(event);
}

void TKxCollapsePanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    m_pressed = false;
    QFrame::mouseReleaseEvent(event);
}

bool TKxCollapsePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_header)
        return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter p(m_header);
        p.fillRect(m_header->rect(), HeaderColor());
        p.setFont(font());
        p.setPen(HeaderColor().lightness() < 110 ? Qt::white : Qt::black);
        const QRect text = m_header->rect().adjusted(kButtonSize + 4, 0, -kButtonInset - 2, 0);
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, m_caption);
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::LeftButton) {
            m_dragging = true;
            m_dragOffset = e->globalPosition().toPoint() - pos();
        }
        return true;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (m_dragging && (e->buttons() & Qt::LeftButton)) {
            QPoint to = e->globalPosition().toPoint() - m_dragOffset;
            // Within the parent window: the whole panel stays inside it.
            if (QWidget *owner = parentWidget()) {
                to.setX(qBound(0, to.x(), qMax(0, owner->width() - width())));
                to.setY(qBound(0, to.y(), qMax(0, owner->height() - height())));
            }
            move(to);
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        return true;
    default:
        return QFrame::eventFilter(watched, event);
    }
}
