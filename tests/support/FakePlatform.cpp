#include "support/FakePlatform.h"
#include <QPrinter>

void FakeDialogs::message(MessageKind kind, const QString &caption, const QString &text)
{
    shown.append({kind, caption, text});
}

Answer FakeDialogs::askYesNoCancel(const QString &caption, const QString &text)
{
    shown.append({MessageKind::Confirmation, caption, text});
    return answers.isEmpty() ? Answer::Cancel : answers.dequeue();
}

Answer FakeDialogs::askYesNo(const QString &caption, const QString &text)
{
    shown.append({MessageKind::Confirmation, caption, text});
    return answers.isEmpty() ? Answer::No : answers.dequeue();
}

QStringList FakeDialogs::texts() const
{
    QStringList l;
    for (const ShownMessage &m : shown)
        l << m.text;
    return l;
}

QString FakeFileDialogs::openFileName(const QString &, const QString &dir, const QString &, QString *selectedFilter)
{
    startPaths << dir;
    if (selectedFilter && !lastFilter.isEmpty())
        *selectedFilter = lastFilter;
    return openAnswers.isEmpty() ? QString() : openAnswers.dequeue();
}

QString FakeFileDialogs::saveFileName(const QString &, const QString &dir, const QString &, QString *selectedFilter)
{
    startPaths << dir;
    if (selectedFilter && !lastFilter.isEmpty())
        *selectedFilter = lastFilter;
    return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
}

bool FakeDialogs::choosePrinter(QPrinter &printer)
{
    if (printToFile.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printToFile);
    return true;
}
