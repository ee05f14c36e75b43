// zendra-cli find-book and find-files: the two searches without a window,
// one result line per hexagram or file in the order the window meets them.

#include "cli/Commands.h"
#include "files/ConsultationFile.h"
#include "reading/Corpus.h"
#include "tools/BookSearch.h"
#include "tools/FileSearch.h"
#include <QDir>
#include <QFileInfo>

namespace {

const QString kUsage = QStringLiteral(
    "použití: zendra-cli find-book TEXT [--case] [--words]\n"
    "         zendra-cli find-files ADRESÁŘ TEXT [--password HESLO] [--case] [--words]\n");

// The positional arguments and options; false on wrong usage.
bool ParseFindArgs(const QStringList &args, int positionals, QStringList &values, SearchOptions &options,
                   QString *password)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--case"))
            options.matchCase = true;
        else if (a == QLatin1String("--words"))
            options.wholeWords = true;
        else if (password && a == QLatin1String("--password") && i + 1 < args.size())
            *password = args[++i];
        else if (values.size() < positionals && !a.startsWith(QLatin1String("--")))
            values << a;
        else
            return false;
    }
    // The window never searches for nothing.
    return values.size() == positionals && !values.last().trimmed().isEmpty();
}

} // namespace

int FindBookCommand(const QStringList &args, CliOutput &out)
{
    QStringList values;
    SearchOptions options;
    if (!ParseFindArgs(args, 1, values, options, nullptr)) {
        out.stderrText += kUsage;
        return kCliUsage;
    }
    const QString phrase = values[0].trimmed();
    const InterpretationCorpus &corpus = InterpretationCorpus::Embedded();
    std::array<bool, 64> visited{};
    bool found = false;
    while (const std::optional<BookMatch> m = NextBookMatch(corpus, phrase, options, visited)) {
        out.stdoutText += QStringLiteral("%1 %2\n").arg(HexagramNumberOf(m->lines)).arg(m->position);
        found = true;
    }
    if (!found) {
        out.stderrText += kPhraseNotFound + u'\n';
        return kCliFailure;
    }
    return kCliOk;
}

int FindFilesCommand(const QStringList &args, CliOutput &out)
{
    QStringList values;
    SearchOptions options;
    QString password;
    if (!ParseFindArgs(args, 2, values, options, &password)) {
        out.stderrText += kUsage;
        return kCliUsage;
    }
    const QString folder = values[0];
    const QString phrase = values[1].trimmed();
    if (!QFileInfo(folder).isDir()) {
        out.stderrText += QStringLiteral("Adresář %1 neexistuje.\n").arg(folder);
        return kCliFailure;
    }
    const QDir dir(folder);
    bool found = false;
    FileSearch::Enumeration files;
    files.start(folder);
    while (const std::optional<QString> name = files.next()) {
        const QString path = dir.filePath(*name);
        const std::optional<QByteArray> bytes = FileSearch::ReadCandidateFile(path);
        if (!bytes) {
            out.stderrText += QStringLiteral("Soubor %1 nelze přečíst.\n").arg(path);
            continue;
        }
        QString text;
        if (ConsultationFile::IsPlainName(path)) {
            text = FileSearch::PlainFileText(*bytes);
        } else {
            if (password.isEmpty())
                continue; // protected files only with a password
            std::optional<QString> opened = FileSearch::ProtectedFileText(*bytes, password);
            if (!opened) {
                out.stderrText += FileSearch::kWrongKeyIn + path + u'\n';
                continue;
            }
            text = std::move(*opened);
        }
        const qsizetype at = FileSearch::FirstMatch(text, phrase, options);
        if (at >= 0) {
            out.stdoutText += QStringLiteral("%1 %2\n").arg(*name).arg(at);
            found = true;
        }
    }
    if (!found) {
        out.stderrText += kPhraseNotFound + u'\n';
        return kCliFailure;
    }
    return kCliOk;
}
