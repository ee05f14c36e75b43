#pragma once
// TGoToWeb: opens one address in the user's web browser through the shell.

#include "platform/Platform.h"
#include <QObject>
#include <QString>

class TGoToWeb : public QObject {
    Q_OBJECT
public:
    explicit TGoToWeb(Shell &shell, QObject *parent = nullptr) : QObject(parent), m_shell(shell) {}

    QString Url;
    // True when the browser could be started.
    bool Execute() { return !Url.isEmpty() && m_shell.openUrl(Url); }

private:
    Shell &m_shell;
};
