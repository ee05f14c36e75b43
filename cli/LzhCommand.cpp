// zendra-cli lzh compress|expand IN OUT: whole files in the compressed
// stream form of the notes store (four-byte size, then the lh5 bit stream).

#include "cli/Commands.h"
#include "files/SaveTarget.h"
#include "notes/Lzh.h"
#include <QFile>
#include <exception>
#include <memory>

namespace {

const QString kLzhUsage = QStringLiteral("použití: zendra-cli lzh compress|expand VSTUP VÝSTUP\n");

// Passes the coder's output to the save target and remembers a failed
// write, so that it is reported against the output file, not the input.
class WatchedOutput : public QIODevice {
public:
    explicit WatchedOutput(QIODevice &to) : m_to(to) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    bool failed = false;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 written = m_to.write(data, size);
        failed = failed || written != size;
        return written;
    }

private:
    QIODevice &m_to;
};

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
    const std::unique_ptr<SaveTarget> dest = MakeSaveTarget(args[2]);
    if (!dest->open()) {
        out.stderrText += SaveMessages::CannotSave(args[2], dest->errorString()) + u'\n';
        return kCliFailure;
    }
    WatchedOutput watched(dest->device());
    try {
        if (compress)
            LzhCompress(in, watched);
        else
            LzhExpand(in, watched);
    } catch (const ECorruptFile &e) {
        out.stderrText += QStringLiteral("Soubor %1 nelze rozbalit: %2\n").arg(args[1], e.message());
        return kCliFailure;
    } catch (const std::exception &e) {
        if (watched.failed)
            out.stderrText += SaveMessages::CannotSave(args[2], dest->errorString()) + u'\n';
        else
            out.stderrText += QStringLiteral("Soubor %1 nelze %2: %3\n")
                                  .arg(args[1], compress ? QStringLiteral("zkomprimovat") : QStringLiteral("rozbalit"),
                                       in.error() != QFileDevice::NoError ? in.errorString()
                                                                         : QString::fromUtf8(e.what()));
        return kCliFailure;
    }
    if (!dest->commit()) {
        out.stderrText += SaveMessages::CannotSave(args[2], dest->errorString()) + u'\n';
        return kCliFailure;
    }
    return kCliOk;
}
