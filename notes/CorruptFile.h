#pragma once
// The failure of a damaged compressed stream or container.

#include <QString>
#include <stdexcept>

class ECorruptFile : public std::runtime_error {
public:
    explicit ECorruptFile(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};
