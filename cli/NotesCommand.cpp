// zendra-cli notes: the entries of a notes container (or any container of
// named streams) listed, read out and stored.

#include "cli/Commands.h"
#include "files/CodePage.h"
#include "files/PasswordRules.h"
#include "files/SaveTarget.h"
#include "notes/HKStreamCol.h"
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <optional>

namespace {

const QString kNotesUsage = QStringLiteral(
    "použití: zendra-cli notes list SOUBOR [--key KLÍČ]\n"
    "         zendra-cli notes get SOUBOR JMÉNO [--key KLÍČ] [--text]\n"
    "         zendra-cli notes put SOUBOR JMÉNO [--key KLÍČ] [--compressed]\n"
    "list vypíše jména položek, get zapíše data položky na standardní výstup\n"
    "(s --text jako text poznámky v UTF-8 s konci řádků LF),\n"
    "put uloží pod JMÉNO data ze standardního vstupu. Nový soubor je prostý,\n"
    "s --compressed komprimovaný a s --key šifrovaný; existující soubor\n"
    "zůstane v té podobě, v jaké byl přečten.\n");

// A failure told to the user in a Czech sentence: an argument that cannot
// become the bytes of a name or key, a file that cannot be read or saved.
struct EFailure {
    QString message;
};

struct NotesArgs {
    QString command;
    QStringList positional;
    std::optional<QString> key;
    bool compressed = false;
    bool text = false;
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
        else if (a == QLatin1String("--text") && parsed.command == QLatin1String("get"))
            parsed.text = true;
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
        throw EFailure{QStringLiteral("%1 obsahuje znaky, které ve Windows-1250 nejsou: %2").arg(what, text)};
    return *bytes;
}

// The container's own texts are English; the user gets them inside a Czech
// sentence that names the file.
void Load(THKStreams &streams, const QString &fileName)
{
    try {
        streams.LoadFromFile(fileName);
    } catch (const ECorruptFile &e) {
        throw EFailure{QStringLiteral("Soubor %1 nelze přečíst: %2").arg(fileName, e.message())};
    } catch (const EStreamError &e) {
        throw EFailure{QStringLiteral("Soubor %1 nelze přečíst: %2").arg(fileName, e.reason())};
    }
}

void Save(const THKStreams &streams, const QString &fileName)
{
    try {
        streams.SaveToFile(fileName);
    } catch (const EStreamError &e) {
        throw EFailure{SaveMessages::CannotSave(fileName, e.reason())};
    }
}

// A note as the notes window shows it: Windows-1250 text, lines ended by '\n'.
QString NoteText(const QByteArray &data)
{
    QString text = CodePage::Decode(data);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

int Fail(CliOutput &out, const QString &message)
{
    out.stderrText += message + u'\n';
    return kCliFailure;
}

int Run(const NotesArgs &a, CliOutput &out, QIODevice *input)
{
    const QString &fileName = a.positional[0];
    THKStreams streams;
    if (a.key)
        streams.setKey(CodePageBytes(*a.key, QStringLiteral("Klíč")));
    const QByteArray name = a.positional.size() > 1 ? CodePageBytes(a.positional[1], QStringLiteral("Jméno"))
                                                    : QByteArray();

    if (a.command == QLatin1String("put")) {
        if (QFileInfo::exists(fileName)) {
            Load(streams, fileName);
        } else {
            streams.setCompressed(a.compressed);
            streams.setEncrypted(a.key.has_value());
        }
        QByteArray data;
        if (!ReadInput(input, data))
            return Fail(out, QStringLiteral("Nelze číst standardní vstup."));
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        if (!streams.AddStream(name, &buffer))
            return Fail(out, QStringLiteral("Položku \"%1\" nelze uložit: jméno musí mít 1 až 65535 znaků.")
                                 .arg(a.positional[1]));
        Save(streams, fileName);
        return kCliOk;
    }

    Load(streams, fileName);
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
    if (a.text)
        out.stdoutText += NoteText(data);
    else
        out.stdoutBytes += data;
    return kCliOk;
}

} // namespace

int NotesCommand(const QStringList &args, CliOutput &out, QIODevice *input)
{
    const std::optional<NotesArgs> parsed = Parse(args);
    if (!parsed) {
        out.stderrText += kNotesUsage;
        return kCliUsage;
    }
    try {
        return Run(*parsed, out, input);
    } catch (const ECorruptFile &e) {
        return Fail(out, e.message());
    } catch (const EStreamError &e) {
        return Fail(out, e.message());
    } catch (const EPasswordRefused &e) {
        return Fail(out, e.message());
    } catch (const EFailure &e) {
        return Fail(out, e.message);
    }
}
