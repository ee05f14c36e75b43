#include "tools/Zendra12F3.h"
#include "platform/Platform.h"
#include "app/Zendra12F.h"
#include "casting/Hexagram.h"
#include "tools/BookContents.h"
#include "tools/Zendra12F2.h"
#include "ui/TileImage.h"
#include "ui/Guidance.h"
#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
constexpr int kItemHeight = 16;
} // namespace

TForm3::TForm3(TForm1 &main, SettingsStore &settings) : TBookWindow(main, settings, ToolWindow::Contents)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Obsah Knihy proměn"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    Describe(ListBox1, QStringLiteral("Hexagramy Knihy proměn"),
             QStringLiteral("Dvojitým kliknutím se zobrazí text vybraného hexagramu."),
             QStringLiteral("Seznam 64 hexagramů. Dvojitým kliknutím nebo klávesou Enter se zobrazí text "
                            "vybraného hexagramu; Tab přejde do prohlížeče."));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setFlow(QListView::TopToBottom);
    ListBox1->setWrapping(true);
    ListBox1->setResizeMode(QListView::Adjust);
    ListBox1->setUniformItemSizes(true);
    ListBox1->addItems(BookContents::Entries());
    layout->addWidget(ListBox1);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TForm3::ListBox1Click);

    const QPalette editor = main.RichEdit2->palette();
    setLook(main.RichEdit2->font().family(), editor.color(QPalette::Text), editor.color(QPalette::Base));

    ListBox1->installEventFilter(this);
}

void TForm3::setLook(const QString &fontName, const QColor &text, const QColor &back)
{
    QFont font(fontName);
    font.setPixelSize(15);
    ListBox1->setFont(font);
    QPalette pal = ListBox1->palette();
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Text, text);
    ListBox1->setPalette(pal);
}

void TForm3::setViewer(TForm2 *viewer) { setPartner(viewer); }

void TForm3::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Two columns across the client width.
    const int column = qMax(60, (ListBox1->viewport()->width() - 1) / 2);
    ListBox1->setGridSize(QSize(column, kItemHeight));
}

void TForm3::ListBox1Click()
{
    m_main.PaintBox9Click();
    const QList<QListWidgetItem *> selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    const int number = ListBox1->row(selected.first()) + 1;
    m_main.ShowHexagramInViewer(FullReadingForm(LinesOfHexagram(number)));
}

bool TForm3::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ListBox1Click();
            return true;
        }
    }
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && handleSharedKey(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TForm3::closeEvent(QCloseEvent *event)
{
    if (m_partner && m_partner->isVisible())
        m_partner->activateWindow();
    event->accept();
}
