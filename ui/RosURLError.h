#pragma once
// The hyperlink label's address rules and its one error kind, ERosURLError.
// A caption must name its protocol; the texts of the two errors are the
// label's own and are shown as they stand.

#include <QString>
#include <stdexcept>

class ERosURLError : public std::runtime_error {
public:
    explicit ERosURLError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

namespace HotLabelUrl {
// An empty address passes; any other must begin, in any letter case, with
// "http://", "mailto", "file:" or "ftp://".
bool ProtocolRecognised(const QString &url);
// Throws ERosURLError with the protocol message when the address fails.
void Check(const QString &url);
QString ProtocolMessage(const QString &url);
QString ActivateMessage(const QString &url);
} // namespace HotLabelUrl
