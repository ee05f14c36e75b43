// zendra-cli lzh compress|expand IN OUT: whole files in the compressed
// stream form of the notes store (four-byte size, then the lh5 bit stream).

#include "cli/Commands.h"
#include "notes/Lzh.h"
#include <QFile>
#include <QSaveFile>
#include <exception>

namespace {

const QString kLzhUsage = QStringLiteral("použití: zendra-cli lzh compress|expand VSTUP VÝSTUP\n");

} // namespace

int LzhCommand(const QStringList &args, CliOutput &out)
{
    if (args.size() != 3 || (args[0] != QLatin1String("compress") && args[0] != QLatin1String("expand"))) {
        out.stderrText += kLzhUsage;
        return kCliUsage;
    }
    const bool compress = args[0] == QLatin1String("compress");
    QFile in(args[1]);
    if (!in.open(QIODevice::ReadOnly)) {
        out.stderrText += QStringLiteral("Soubor %1 nelze otevřít: %2\n").arg(args[1], in.errorString());
        return kCliFailure;
    }
    QSaveFile dest(args[2]);
    if (!dest.open(QIODevice::WriteOnly)) {
        out.stderrText += QStringLiteral("Soubor %1 nelze vytvořit: %2\n").arg(args[2], dest.errorString());
        return kCliFailure;
    }
    try {
        if (compress)
            LzhCompress(in, dest);
        else
            LzhExpand(in, dest);
    } catch (const ECorruptFile &e) {
        out.stderrText += QStringLiteral("Soubor %1 nelze rozbalit: %2\n").arg(args[1], e.message());
        return kCliFailure;
    } catch (const std::exception &e) {
        out.stderrText += QStringLiteral("Soubor %1 nelze %2: %3\n")
                              .arg(args[1], compress ? QStringLiteral("zkomprimovat") : QStringLiteral("rozbalit"),
                                   QString::fromUtf8(e.what()));
        return kCliFailure;
    }
    if (!dest.commit()) {
        out.stderrText += QStringLiteral("Soubor %1 nelze uložit: %2\n").arg(args[2], dest.errorString());
        return kCliFailure;
    }
    return kCliOk;
}
