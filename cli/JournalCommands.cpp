// zendra-cli journal and stats: the consultations of a folder one per line,
// and the counts of their line values against fair coins.
//
// An empty folder, or one without consultations, is no failure: journal
// prints nothing and stats prints zero counts. A candidate that cannot be
// read, or that the password does not open, is named on stderr and makes the
// exit code 1, after everything else has been printed.

#include "cli/Commands.h"
#include "tools/FileSearch.h"
#include "tools/Journal.h"
#include <QFileInfo>

namespace {

const QString kUsage = QStringLiteral(
    "použití: zendra-cli journal ADRESÁŘ [--password HESLO] [--subfolders]\n"
    "         zendra-cli stats ADRESÁŘ [--password HESLO] [--subfolders]\n");

struct JournalArgs {
    QString folder;
    QString password;
    bool subfolders = false;
};

bool ParseJournalArgs(const QStringList &args, JournalArgs &parsed)
{
    bool haveFolder = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--password") && i + 1 < args.size())
            parsed.password = args[++i];
        else if (a == QLatin1String("--subfolders"))
            parsed.subfolders = true;
        else if (!haveFolder && !a.startsWith(QLatin1String("--")))
            parsed.folder = a, haveFolder = true;
        else
            return false;
    }
    return haveFolder && !parsed.folder.isEmpty();
}

// The consultations in file-name order. listed: the folder was gone through,
// though the exit code may still report a file it could not read.
int ReadJournal(const QStringList &args, CliOutput &out, QList<Journal::Entry> &entries, bool &listed)
{
    listed = false;
    JournalArgs a;
    if (!ParseJournalArgs(args, a)) {
        out.stderrText += kUsage;
        return kCliUsage;
    }
    if (!QFileInfo(a.folder).isDir()) {
        out.stderrText += QStringLiteral("Adresář %1 neexistuje.\n").arg(a.folder);
        return kCliFailure;
    }
    listed = true;
    int rc = kCliOk;
    for (const QString &path : Journal::Candidates(a.folder, a.subfolders)) {
        const Journal::FileResult r = Journal::ReadFileEntry(a.folder, path, a.password);
        switch (r.outcome) {
        case Journal::Outcome::Read:
            entries << r.entry;
            break;
        case Journal::Outcome::NoMarker:
            break;
        case Journal::Outcome::Locked:
            if (a.password.isEmpty())
                break; // protected files only with a password
            out.stderrText += FileSearch::kWrongKeyIn + path + u'\n';
            rc = kCliFailure;
            break;
        case Journal::Outcome::Unreadable:
            out.stderrText += QStringLiteral("Soubor %1 nelze přečíst.\n").arg(path);
            rc = kCliFailure;
            break;
        }
    }
    return rc;
}

// A tab in a field would split it into two columns.
QString Field(QString text) { return text.replace(u'\t', u' '); }

} // namespace

int JournalCommand(const QStringList &args, CliOutput &out)
{
    QList<Journal::Entry> entries;
    bool listed = false;
    const int rc = ReadJournal(args, out, entries, listed);
    for (const Journal::Entry &e : std::as_const(entries)) {
        const QString developing = e.developing ? QString::number(e.developing) : QStringLiteral("-");
        out.stdoutText += Field(e.name) + u'\t' + Field(e.header) + u'\t' + QString::number(e.hexagram) + u'\t'
                          + developing + u'\t' + Field(e.question) + u'\n';
    }
    return rc;
}

int StatsCommand(const QStringList &args, CliOutput &out)
{
    QList<Journal::Entry> entries;
    bool listed = false;
    const int rc = ReadJournal(args, out, entries, listed);
    if (!listed)
        return rc;
    const Journal::ValueCounts counts = Journal::CountValues(entries);
    for (int i = 0; i < 4; ++i)
        out.stdoutText += QStringLiteral("%1 %2\n").arg(i + 6).arg(counts[i]);
    const Journal::Fairness f = Journal::FairnessOf(counts);
    out.stdoutText += QStringLiteral("chi2 %1 p %2\n").arg(f.chi2, 0, 'f', 4).arg(f.p, 0, 'f', 4);
    out.stdoutText += f.sentence + u'\n';
    return rc;
}
