// A recovery copy found in the user's data folder at start-up, as damaged
// as a disk or a person may leave it: reading it never crashes, a plain copy
// always gives its lines, and what reads writes back to a copy that reads
// the same. Encrypted copies are tried with one password ("heslo"), the
// password of the encrypted seed.
#include "files/RecoveryStore.h"
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<RecoveryFile> file = Recovery::ParseFile(QByteArrayView(data, qsizetype(size)));
    if (!file)
        return 0;
    const QString password = QStringLiteral("heslo");
    const std::optional<QStringList> lines = Recovery::Lines(*file, password);
    if (!lines) {
        if (!file->encrypted)
            std::abort();
        return 0;
    }
    const RecoveryCopy copy{file->name, file->fileName, *lines, password};
    const std::optional<QByteArray> bytes = Recovery::FileBytes(copy, QDateTime::fromSecsSinceEpoch(0, Qt::UTC));
    if (!bytes)
        std::abort();
    const std::optional<RecoveryFile> again = Recovery::ParseFile(*bytes);
    if (!again || again->name != file->name || again->fileName != file->fileName
        || again->encrypted != file->encrypted || Recovery::Lines(*again, password) != lines)
        std::abort();
    return 0;
}
