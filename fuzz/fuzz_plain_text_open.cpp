// A "*.txt" consultation as another editor may have written it: UTF-8 (with
// or without its byte-order mark) or the file code page. The choice agrees
// with the toolkit's own UTF-8 decoder, and text read as UTF-8 reads back
// the same from its UTF-8 form.
#include "files/ConsultationFile.h"
#include <QStringDecoder>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArrayView bytes(data, qsizetype(size));
    const QStringList lines = ConsultationFile::ReadPlainLines(bytes);
    const bool utf8 = ConsultationFile::IsUtf8PlainText(bytes);

    const qsizetype nul = bytes.indexOf('\0');
    const QByteArrayView text = nul >= 0 ? bytes.first(nul) : bytes;
    QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = strict.decode(text); // decoding happens on the conversion
    bool multiByte = false;
    for (char c : text)
        multiByte = multiByte || static_cast<unsigned char>(c) >= 0x80;
    if (utf8 != (text.startsWith("\xEF\xBB\xBF") || (!strict.hasError() && multiByte)))
        std::abort();

    if (utf8) {
        QByteArray back("\xEF\xBB\xBF");
        for (const QString &line : lines)
            back += line.toUtf8() + "\r\n";
        if (ConsultationFile::ReadPlainLines(back) != lines)
            std::abort();
    }
    return 0;
}
