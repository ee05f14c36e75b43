// Bytes of a consultation file, read in both forms: never a crash, and the
// plain lines read back from their own text form unchanged.
#include "files/ConsultationFile.h"
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const QStringList lines = ConsultationFile::ReadLines(bytes);
    if (ConsultationFile::UnrepresentableCharacters(lines).isEmpty()
        && ConsultationFile::ReadLines(ConsultationFile::TextForm(lines)) != lines)
        std::abort();
    ConsultationFile::ReadDecryptedLines(bytes);
    ConsultationFile::OpenedLines(QStringLiteral("a.txg"), bytes, QStringLiteral("heslo"));
    ConsultationFile::OpenedLines(QStringLiteral("a.txt"), bytes, QString());
    return 0;
}
