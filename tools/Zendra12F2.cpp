#include "tools/Zendra12F2.h"
#include "platform/Platform.h"
#include "app/Zendra12F.h"
#include "reading/ReadingGenerator.h"
#include "tools/FindKP_F9.h"
#include "tools/Zendra12F3.h"
#include "ui/TileImage.h"
#include "ui/Guidance.h"
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TForm2::TForm2(TForm1 &main, SettingsStore &settings) : TBookWindow(main, settings, ToolWindow::Viewer)
{
    setObjectName(QStringLiteral("Form2"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    RichEdit1 = new QPlainTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    Describe(RichEdit1, QStringLiteral("Text hexagramu"), QString(),
             QStringLiteral("Úplný text hexagramu; lze ho vybrat a kopírovat. Tab přejde do obsahu knihy, "
                            "F9 okno zavře."));
    layout->addWidget(RichEdit1);

    PopupMenu1 = new QMenu(this);
    Describe(PopupMenu1, QStringLiteral("Kopírování textu"), QString(),
             QStringLiteral("Kopírovat vybraný text hexagramu nebo vybrat celý text."));
    Kopirovat1 = PopupMenu1->addAction(QStringLiteral("&Kopírovat"));
    Kopirovat1->setObjectName(QStringLiteral("Kopirovat1"));
    VybratVse1 = PopupMenu1->addAction(QStringLiteral("&Vybrat vše"));
    VybratVse1->setObjectName(QStringLiteral("VybratVse1"));
    connect(Kopirovat1, &QAction::triggered, this, &TForm2::Kopirovat1Click);
    connect(VybratVse1, &QAction::triggered, this, &TForm2::VybratVse1Click);
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TForm2::PopupMenu1Popup);
    connect(RichEdit1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(RichEdit1->mapToGlobal(at)); });

    // The look of the consultation editor.
    RichEdit1->setFont(m_main.RichEdit2->font());
    RichEdit1->setPalette(m_main.RichEdit2->palette());

    RichEdit1->installEventFilter(this);
    RichEdit1->viewport()->installEventFilter(this);
}

void TForm2::showText(const QString &heading, const QString &text)
{
    setWindowTitle(heading);
    RichEdit1->setPlainText(text);
    show();
    raise();
}

void TForm2::FillFromReadingLines()
{
    ProgramState &state = m_main.programState();
    DocumentSlots &docs = state.documents;
    const int remembered = docs.currentSlot;
    docs.currentSlot = DocumentSlots::kScratch;
    DocumentSlot &scratch = docs[DocumentSlots::kScratch];
    scratch.lines.clear();
    state.currentHeading = GenerateReading(m_main.corpus(), state.lines.readingLines, true, scratch.lines);
    showText(state.currentHeading, scratch.lines.join(u'\n'));
    scratch.lines.clear();
    docs.currentSlot = remembered;
}

void TForm2::Kopirovat1Click() { RichEdit1->copy(); }
void TForm2::VybratVse1Click() { RichEdit1->selectAll(); }
void TForm2::PopupMenu1Popup() { Kopirovat1->setEnabled(RichEdit1->textCursor().hasSelection()); }

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == RichEdit1->viewport() && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        FindPos = 0;
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && handleSharedKey(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TForm2::closeEvent(QCloseEvent *event)
{
    m_main.PaintBox9Click();
    if (m_find)
        m_find->ViewerClosed();
    FindPos = -1;
    if (m_partner && m_partner->isVisible())
        m_partner->activateWindow();
    event->accept();
}

void TForm2::setContentsWindow(TForm3 *contents) { setPartner(contents); }

void TForm2::showEvent(QShowEvent *event)
{
    TBookWindow::showEvent(event);
    if (m_find)
        m_find->ViewerShown();
}
