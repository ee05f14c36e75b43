// zendra-cli notes: the entries of a notes container (or any container of
// named streams) listed, read out and stored.

#include "cli/Commands.h"
#include "files/CodePage.h"
#include "files/PasswordRules.h"
#include "notes/HKStreamCol.h"
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <optional>

namespace {

const QString kNotesUsage = QStringLiteral(
    "použití: zendra-cli notes list SOUBOR [--key KLÍČ]\n"
    "         zendra-cli notes get SOUBOR JMÉNO [--key KLÍČ]\n"
    "         zendra-cli notes put SOUBOR JMÉNO [--key KLÍČ] [--compressed]\n"
    "list vypíše jména položek, get zapíše data položky na standardní výstup,\n"
    "put uloží pod JMÉNO data ze standardního vstupu. Nový soubor je prostý,\n"
    "s --compressed komprimovaný a s --key šifrovaný; existující soubor\n"
    "zůstane v té podobě, v jaké byl přečten.\n");

// An argument that cannot become the bytes of a name or key.
struct EArgument {
    QString message;
};

struct NotesArgs {
    QString command;
    QStringList positional;
    std::optional<QString> key;
    bool compressed = false;
};

std::optional<NotesArgs> Parse(const QStringList &args)
{
    if (args.isEmpty())
        return std::nullopt;
    NotesArgs parsed;
    parsed.command = args[0];
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--key") && i + 1 < args.size() && !parsed.key)
            parsed.key = args[++i];
        else if (a == QLatin1String("--compressed") && parsed.command == QLatin1String("put"))
            parsed.compressed = true;
        else if (a.startsWith(QLatin1String("--")))
            return std::nullopt;
        else
            parsed.positional << a;
    }
    const qsizetype wanted = parsed.command == QLatin1String("list") ? 1
        : parsed.command == QLatin1String("get") || parsed.command == QLatin1String("put") ? 2
                                                                                             : -1;
    if (parsed.positional.size() != wanted)
        return std::nullopt;
    return parsed;
}

// Names and keys are single-byte strings in Windows-1250, the code page of
// the program's files; the password conversion is the exact one we need.
QByteArray CodePageBytes(const QString &text, const QString &what)
{
    const std::optional<QByteArray> bytes = PasswordBytes(text);
    if (!bytes)
        throw EArgument{QStringLiteral("%1 obsahuje znaky, které ve Windows-1250 nejsou: %2").arg(what, text)};
    return *bytes;
}

int Fail(CliOutput &out, const QString &message)
{
    out.stderrText += message + u'\n';
    return kCliFailure;
}

int Run(const NotesArgs &a, CliOutput &out)
{
    const QString &fileName = a.positional[0];
    THKStreams streams;
    if (a.key)
        streams.setKey(CodePageBytes(*a.key, QStringLiteral("Klíč")));
    const QByteArray name = a.positional.size() > 1 ? CodePageBytes(a.positional[1], QStringLiteral("Jméno"))
                                                    : QByteArray();

    if (a.command == QLatin1String("put")) {
        if (QFileInfo::exists(fileName)) {
            streams.LoadFromFile(fileName);
        } else {
            streams.setCompressed(a.compressed);
            streams.setEncrypted(a.key.has_value());
        }
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly))
            return Fail(out, QStringLiteral("Nelze číst standardní vstup."));
        QByteArray data = in.readAll();
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        if (!streams.AddStream(name, &buffer))
            return Fail(out, QStringLiteral("Položku \"%1\" nelze uložit: jméno musí mít 1 až 65535 znaků.")
                                 .arg(a.positional[1]));
        streams.SaveToFile(fileName);
        return kCliOk;
    }

    streams.LoadFromFile(fileName);
    if (a.command == QLatin1String("list")) {
        for (const QByteArray &n : streams.Names())
            out.stdoutText += CodePage::Decode(n) + u'\n';
        return kCliOk;
    }

    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!streams.GetStream(name, buffer))
        return Fail(out, QStringLiteral("Položka \"%1\" v souboru %2 není.").arg(a.positional[1], fileName));
    out.stdoutBytes += data;
    return kCliOk;
}

} // namespace

int NotesCommand(const QStringList &args, CliOutput &out)
{
    const std::optional<NotesArgs> parsed = Parse(args);
    if (!parsed) {
        out.stderrText += kNotesUsage;
        return kCliUsage;
    }
    try {
        return Run(*parsed, out);
    } catch (const ECorruptFile &e) {
        return Fail(out, e.message());
    } catch (const EStreamError &e) {
        return Fail(out, e.message());
    } catch (const EPasswordRefused &e) {
        return Fail(out, e.message());
    } catch (const EArgument &e) {
        return Fail(out, e.message);
    }
}
