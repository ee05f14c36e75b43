// zendra-cli open and save: consultation files in the form their name chooses.

#include "cli/Commands.h"
#include "files/ConsultationFile.h"
#include "files/PasswordRules.h"
#include "reading/MarkerLine.h"

namespace {

// FILE [--password P]; false on wrong usage.
bool ParseFileArgs(const QStringList &args, QString &path, QString &password, bool &hasPassword)
{
    hasPassword = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--password") && i + 1 < args.size()) {
            password = args[++i];
            hasPassword = true;
        } else if (path.isEmpty() && !args[i].startsWith(QLatin1String("--"))) {
            path = args[i];
        } else {
            return false;
        }
    }
    return !path.isEmpty();
}

const QString kUsage = QStringLiteral("použití: zendra-cli open|save SOUBOR [--password HESLO]\n");

} // namespace

int OpenCommand(const QStringList &args, CliOutput &out)
{
    QString path, password;
    bool hasPassword = false;
    if (!ParseFileArgs(args, path, password, hasPassword)) {
        out.stderrText += kUsage;
        return kCliUsage;
    }
    try {
        const QByteArray stored = ConsultationFile::ReadFile(path);
        if (!ConsultationFile::IsPlainName(path) && TrimPassword(password).isEmpty()) {
            // Not a wrong password: none was given.
            out.stderrText +=
                QStringLiteral("Soubor %1 je chráněn heslem. Zadejte heslo volbou --password.\n").arg(path);
            return kCliUsage;
        }
        std::optional<QStringList> lines = ConsultationFile::OpenedLines(path, stored, password);
        if (!lines) {
            out.stderrText += PasswordMessages::kWrong + u'\n';
            return kCliFailure;
        }
        // The marker parse drops a damaged marker line for good.
        HexagramLines cast;
        if (!lines->isEmpty() && ParseMarkerLine(lines->first(), cast) == MarkerParse::Invalid)
            lines->removeFirst();
        for (const QString &line : *lines)
            out.stdoutText += line + u'\n';
        return kCliOk;
    } catch (const EFileError &e) {
        out.stderrText += e.message() + u'\n';
        return kCliFailure;
    }
}

int SaveCommand(const QStringList &args, CliOutput &out, QIODevice *input)
{
    QString path, password;
    bool hasPassword = false;
    if (!ParseFileArgs(args, path, password, hasPassword)) {
        out.stderrText += kUsage;
        return kCliUsage;
    }
    QByteArray bytes;
    if (!ReadInput(input, bytes)) {
        out.stderrText += QStringLiteral("Nelze číst standardní vstup.\n");
        return kCliFailure;
    }
    QString text = QString::fromUtf8(bytes);
    if (text.endsWith(u'\n'))
        text.chop(1);
    QStringList lines = text.isEmpty() ? QStringList() : text.split(u'\n');
    for (QString &line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    const QString lost = ConsultationFile::UnrepresentableCharacters(lines);
    if (!lost.isEmpty()) {
        out.stderrText += QStringLiteral("Text obsahuje znaky, které soubor nemůže uchovat: %1\n").arg(lost);
        return kCliFailure;
    }
    if (!ConsultationFile::IsPlainName(path) && TrimPassword(password).isEmpty()) {
        out.stderrText += PasswordMessages::kNotEntered + u'\n';
        return kCliFailure;
    }
    try {
        ConsultationFile::WriteFile(path, ConsultationFile::SavedForm(path, lines, TrimPassword(password)));
    } catch (const EPasswordRefused &e) {
        out.stderrText += e.message() + u'\n';
        return kCliFailure;
    } catch (const EFileError &e) {
        out.stderrText += e.message() + u'\n';
        return kCliFailure;
    }
    return kCliOk;
}
