#include "ui/RosURLError.h"

ERosURLError::ERosURLError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}

namespace HotLabelUrl {

bool ProtocolRecognised(const QString &url)
{
    if (url.isEmpty())
        return true;
    for (const char *prefix : {"http://", "mailto", "file:", "ftp://"})
        if (url.startsWith(QLatin1String(prefix), Qt::CaseInsensitive))
            return true;
    return false;
}

void Check(const QString &url)
{
    if (!ProtocolRecognised(url))
        throw ERosURLError(ProtocolMessage(url));
}

QString ProtocolMessage(const QString &url) { return QStringLiteral("Protocol not recognised for URL \"%1\"").arg(url); }

QString ActivateMessage(const QString &url)
{
    return QStringLiteral("Can't activate browser or e-mail program for URL \"%1\"").arg(url);
}

} // namespace HotLabelUrl
