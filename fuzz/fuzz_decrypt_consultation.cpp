// Opening an encrypted consultation with untrusted bytes and any password.
// Input: one byte k, then k % 64 bytes of password (read as Latin-1, so some
// characters fall outside the file code page), then the stored file bytes.
// Checks that opening never reads out of bounds, that what opens has the
// stored size less the signature (plus padding only for an unencrypted old
// file), and that saving and opening with an accepted password round-trip.

#include "files/FileCipher.h"
#include "files/PasswordRules.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t k = std::min<std::size_t>(data[0] % 64, size - 1);
    const QString password = QString::fromLatin1(reinterpret_cast<const char *>(data + 1), qsizetype(k));
    const QByteArray stored(reinterpret_cast<const char *>(data + 1 + k), qsizetype(size - 1 - k));

    const std::optional<QByteArray> body = DecryptConsultation(stored, password);
    if (body) {
        const qsizetype bare = stored.size() - kConsultationSignatureBytes;
        if (body->size() != bare && body->size() != bare + CipherPadding(stored.size()).size())
            std::abort();
    }

    try {
        const QByteArray written = EncryptConsultation(stored, password);
        if (written.size() % FileCipher::kBlockBytes != 0)
            std::abort();
        const std::optional<QByteArray> back = DecryptConsultation(written, password);
        if (!back || back->left(stored.size()) != stored
            || back->mid(stored.size()) != CipherPadding(kConsultationSignatureBytes + stored.size()))
            std::abort();
    } catch (const EPasswordRefused &) {
    }
    return 0;
}
