#include "tools/FindKP_F9.h"
#include "platform/Platform.h"
#include "app/Zendra12F.h"
#include "reading/ReadingGenerator.h"
#include "tools/TextSearch.h"
#include "tools/Zendra12F2.h"
#include "ui/Guidance.h"
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TForm9::TForm9(TForm1 &main, TForm2 &viewer, Dialogs &dialogs, SettingsStore &settings)
    : QWidget(&main, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_main(main), m_viewer(viewer), m_dialogs(dialogs), m_place(*this, main, ToolWindow::FindInBook, settings)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Najít v Knize proměn"));
    auto *grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize); // nothing to gain from another size
    Label1 = new QLabel(QStringLiteral("Najít text:"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Label1->setBuddy(Edit1);
    CheckBox1 = new QCheckBox(QStringLiteral("Rozlišovat malá a VELKÁ písmena"), this);
    CheckBox2 = new QCheckBox(QStringLiteral("Pouze celá slova"), this);
    Button1 = new QPushButton(QStringLiteral("Hledat od začátku"), this);
    Button2 = new QPushButton(kInOpen, this);
    Button3 = new QPushButton(QStringLiteral("Najít v dalším hexagramu"), this);
    Button4 = new QPushButton(QStringLiteral("Zavřít"), this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 1, 0, 1, 2);
    grid->addWidget(CheckBox1, 2, 0, 1, 2);
    grid->addWidget(CheckBox2, 3, 0, 1, 2);
    grid->addWidget(Button1, 4, 0);
    grid->addWidget(Button3, 4, 1);
    grid->addWidget(Button2, 5, 0, 1, 2);
    grid->addWidget(Button4, 6, 1);
    Describe(Edit1, QStringLiteral("Najít text"),
             QStringLiteral("Slovo nebo část textu, kterou hledáte v Knize proměn. Enter hledá od začátku."));
    Describe(CheckBox1, {}, QStringLiteral("Zaškrtnuto: najde jen text psaný stejně malými a velkými písmeny."));
    Describe(CheckBox2, {}, QStringLiteral("Zaškrtnuto: nenajde hledaný text uvnitř delšího slova."));
    Describe(Button1, {}, QStringLiteral("Prohledá knihu od prvního hexagramu a ukáže první nalezené místo."));
    // Its caption changes between "v otevřeném" and "další v otevřeném": the caption names it.
    Describe(Button2, {},
             QStringLiteral("Hledá v textu hexagramu otevřeném v prohlížeči, od nalezeného místa dál."));
    Describe(Button3, {}, QStringLiteral("Pokračuje v hledání v dalších hexagramech knihy."));
    Describe(Button4, {}, QStringLiteral("Zavře hledání."));
    UpdateButtons();
    // Enter searches from the start, as the default button of a dialog would.
    connect(Edit1, &QLineEdit::returnPressed, this, [this] {
        if (Button1->isEnabled())
            Button1Click();
    });
    connect(Button1, &QPushButton::clicked, this, &TForm9::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm9::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm9::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &QWidget::close);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm9::Edit1Change);
    // QLineEdit already copies, cuts and pastes with Ctrl+C, X and V.
}

void TForm9::showEvent(QShowEvent *event)
{
    m_place.showing();
    QWidget::showEvent(event);
}

void TForm9::UpdateButtons()
{
    const bool text = !Edit1->text().trimmed().isEmpty();
    Button1->setEnabled(text && !m_castUnderWay);
    Button2->setEnabled(text && m_viewerShown);
    Button3->setEnabled(text && m_canContinue && !m_castUnderWay);
}

void TForm9::setCastUnderWay(bool drawing)
{
    m_castUnderWay = drawing;
    UpdateButtons();
}

void TForm9::Edit1Change()
{
    m_canContinue = false;
    UpdateButtons();
}

void TForm9::Button1Click()
{
    FindVisited.fill(false);
    m_viewer.FindPos = -1;
    HexagramSearch();
}

void TForm9::Button3Click()
{
    m_viewer.FindPos = -1;
    HexagramSearch();
}

void TForm9::HexagramSearch()
{
    Edit1->setText(Edit1->text().trimmed());
    const QString phrase = Edit1->text();
    const SearchOptions options{CheckBox1->isChecked(), CheckBox2->isChecked()};
    const qsizetype at = SearchBook(phrase, options);
    if (at < 0) {
        FindVisited.fill(false);
        m_canContinue = false;
        UpdateButtons();
        m_dialogs.message(MessageKind::Information, kProgramCaption, kNotFound);
    } else {
        m_viewer.FindPos = int(at);
        m_canContinue = !FindVisited[63];
        UpdateButtons();
    }
    if (Button2->text() == kInOpen)
        Button2->setText(kNextInOpen);
}

qsizetype TForm9::SearchBook(const QString &phrase, const SearchOptions &options)
{
    ProgramState &state = m_main.programState();
    m_main.PaintBox9Click();
    state.trigramPickState = PickFilling; // the generator writes whole texts
    DocumentSlots &docs = state.documents;
    const int remembered = docs.currentSlot;
    docs.currentSlot = DocumentSlots::kScratch;
    DocumentSlot &scratch = docs[DocumentSlots::kScratch];
    QPlainTextEdit *buffer = m_main.RichEdit3;
    qsizetype found = -1;
    for (int step = 1; step <= 64 && found < 0; ++step) {
        state.lines.readingLines = SearchOrderStep(step);
        if (FindVisited[step - 1])
            continue;
        FindVisited[step - 1] = true;
        scratch.lines.clear();
        const QString heading = GenerateReading(m_main.corpus(), state.lines.readingLines, true, scratch.lines);
        buffer->setPlainText(scratch.lines.join(u'\n'));
        found = FindPhrase(buffer->toPlainText(), phrase, 0, options);
        if (found < 0)
            continue;
        state.currentHeading = heading;
        m_viewer.showText(heading, buffer->toPlainText());
        QPlainTextEdit *view = m_viewer.RichEdit1;
        view->setFocus();
        QTextCursor c = view->textCursor();
        c.setPosition(int(found));
        c.setPosition(int(found + phrase.size()), QTextCursor::KeepAnchor);
        view->setTextCursor(c);
        m_main.DrawHexagramInPicture();
    }
    scratch.lines.clear();
    docs.currentSlot = remembered;
    if (found < 0)
        state.trigramPickState = PickNone;
    m_main.UpdateActions();
    return found;
}

void TForm9::Button2Click()
{
    QPlainTextEdit *view = m_viewer.RichEdit1;
    const QString phrase = Edit1->text();
    const SearchOptions options{CheckBox1->isChecked(), CheckBox2->isChecked()};
    // With no current match the search starts at the beginning of the text.
    qsizetype from = 0;
    if (m_viewer.FindPos != -1) {
        m_viewer.FindPos = view->textCursor().selectionStart();
        from = m_viewer.FindPos + phrase.size();
    }
    const qsizetype at = FindPhrase(view->toPlainText(), phrase, from, options);
    m_viewer.FindPos = int(at);
    view->setFocus();
    if (at < 0) {
        m_dialogs.message(MessageKind::Information, kProgramCaption, kNotFound);
        Button2->setText(kInOpen);
        return;
    }
    QTextCursor c = view->textCursor();
    c.setPosition(int(at));
    c.setPosition(int(at + phrase.size()), QTextCursor::KeepAnchor);
    view->setTextCursor(c);
    Button2->setText(kNextInOpen);
}

void TForm9::ViewerShown()
{
    m_viewerShown = true;
    UpdateButtons();
    if (Button2->text() == kNextInOpen)
        Button2->setText(kInOpen);
}

void TForm9::ViewerClosed()
{
    m_viewerShown = false;
    UpdateButtons();
}

void TForm9::UpperTrigramPicked()
{
    m_canContinue = false;
    UpdateButtons();
}

void TForm9::closeEvent(QCloseEvent *event)
{
    m_main.RichEdit3->clear();
    event->accept();
}
