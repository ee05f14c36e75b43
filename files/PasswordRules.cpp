#include "files/PasswordRules.h"
#include "files/FileCipher.h"
#include "files/CodePage.h"

namespace {

bool IsBlank(QChar c) { return c.unicode() <= u' ' || c.isSpace(); }

} // namespace

QString TrimPassword(const QString &entry)
{
    qsizetype begin = 0, end = entry.size();
    while (begin < end && IsBlank(entry.at(begin)))
        ++begin;
    while (end > begin && IsBlank(entry.at(end - 1)))
        --end;
    return entry.mid(begin, end - begin);
}

std::optional<QByteArray> PasswordBytes(const QString &password) { return CodePage::EncodeExactly(password); }

QByteArray KeyForNewPassword(const QString &password)
{
    const QString trimmed = TrimPassword(password);
    if (trimmed.isEmpty())
        throw EPasswordRefused(PasswordMessages::kNotEntered);
    const std::optional<QByteArray> key = PasswordBytes(trimmed);
    if (!key)
        throw EPasswordRefused(PasswordMessages::kUnrepresentable.arg(CodePage::Unrepresentable(trimmed)));
    if (key->size() % FileCipher::kKeyLengthModulus == 0)
        throw EPasswordRefused(PasswordMessages::kLengthMultipleOf256);
    if (!IsCipherKeyAccepted(*key))
        throw EPasswordRefused(PasswordMessages::kWeakKey);
    return *key;
}

bool HasConsultationSignature(QByteArrayView content)
{
    return content.size() >= kConsultationSignatureBytes
        && content.first(kConsultationSignatureBytes)
               == QByteArrayView(kConsultationSignature, kConsultationSignatureBytes);
}

QByteArray EncryptConsultation(QByteArrayView textForm, const QString &password)
{
    const QByteArray key = KeyForNewPassword(password);
    QByteArray content(kConsultationSignature, kConsultationSignatureBytes);
    content.append(textForm);
    if (!EncryptStream(content, key))
        throw EPasswordRefused(PasswordMessages::kWeakKey);
    return content;
}

std::optional<QByteArray> DecryptConsultation(QByteArray stored, const QString &password)
{
    const QString trimmed = TrimPassword(password);
    if (trimmed.isEmpty())
        return std::nullopt;
    const std::optional<QByteArray> key = PasswordBytes(trimmed);
    if (!key)
        return std::nullopt; // no file can have been saved under it
    if (IsCipherKeyAccepted(*key)) {
        DecryptStream(stored, *key);
        if (!HasConsultationSignature(stored))
            return std::nullopt;
        return stored.mid(kConsultationSignatureBytes);
    }
    // A refused key: only an old unencrypted file can match.
    if (!HasConsultationSignature(stored))
        return std::nullopt;
    QByteArray text = stored.mid(kConsultationSignatureBytes);
    text.append(CipherPadding(stored.size()));
    return text;
}
