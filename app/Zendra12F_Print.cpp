// Printing the consultation: its text in the editor's font, black, within
// the margins of the margins dialog, broken at the printable width; Esc
// aborts a job under way.

#include "app/Zendra12F.h"
#include "print/NTiskF8.h"
#include "print/PrintLayout.h"
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>

void TForm1::setMarginsDialog(TForm8 *dialog)
{
    Form8 = dialog;
    UpdateActions();
}

void TForm1::Vzhledstrnky1Click()
{
    if (Form8)
        Form8->exec();
}

QPrinter &TForm1::printer()
{
    // Made at the first command that needs it: a printer loads the print
    // system's libraries and asks it for the default printer, which a start
    // that may never print should not wait for or keep in memory.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void TForm1::PrintSetup1Click() { m_platform.dialogs.printerSetup(printer()); }

void TForm1::TiskClick()
{
    if (!Form8 || m_printing)
        return;
    QPrinter &printer = this->printer();
    if (!m_platform.dialogs.choosePrinter(printer))
        return;
    const PageMargins mm = Form8->margins();
    const int dpiX = printer.logicalDpiX(), dpiY = printer.logicalDpiY();
    const int L = MmToPixels(mm.left, dpiX), R = MmToPixels(mm.right, dpiX);
    const int T = MmToPixels(mm.top, dpiY), B = MmToPixels(mm.bottom, dpiY);

    m_printing = true;
    m_printAbort = false;
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_printing = false;
        m_platform.dialogs.message(MessageKind::Error, kProgramCaption,
                                   QStringLiteral("Tisk nelze zahájit."));
        return;
    }
    // The editor's size on paper: a size in screen pixels becomes points first.
    QFont editorFont = RichEdit2->font();
    if (editorFont.pixelSize() > 0)
        editorFont.setPointSizeF(editorFont.pixelSize() * 72.0 / RichEdit2->logicalDpiY());
    const QFont font(editorFont, &printer);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font, &printer);
    const int pageWidth = printer.width(), pageHeight = printer.height();
    const QStringList lines = WrapLines(RichEdit2->toPlainText(), font, pageWidth - L - R, &printer);
    const int em = qRound(editorFont.pointSizeF() * printer.logicalDpiY() / 72.0);
    m_printLineHeight = PrintLineHeight(metrics.ascent() + metrics.descent(), em);
    const QList<PrintedLine> placed = LayOutPages(lines, L, T, B, pageHeight, m_printLineHeight);
    int page = 0;
    for (const PrintedLine &line : placed) {
        // Let Esc reach the main window while the job spools.
        QApplication::processEvents();
        if (m_printAbort)
            break;
        if (line.page != page) {
            printer.newPage();
            page = line.page;
        }
        painter.drawText(line.x, line.y + metrics.ascent(), line.text);
    }
    if (m_printAbort) {
        printer.abort();
        painter.end();
        m_printing = false;
        m_platform.dialogs.message(MessageKind::Information, kProgramCaption,
                                   QStringLiteral("Tisk byl zrušen."));
        return;
    }
    painter.end();
    m_printing = false;
}
