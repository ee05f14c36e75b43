#pragma once
// TRosHotLabel: a label whose caption is a web or mail address, shown navy
// and underlined under a pointing hand; a click opens it through the shell.

#include "platform/Platform.h"
#include <QLabel>

class TRosHotLabel : public QLabel {
    Q_OBJECT
public:
    explicit TRosHotLabel(Shell &shell, QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    // Throws ERosURLError, leaving the caption as it was, when the check is on
    // and the address names no known protocol.
    void setCaption(const QString &caption);
    bool CheckURL() const { return m_check; }
    // Switching the check on checks the present caption at once.
    void setCheckURL(bool check);
    // Opens the caption; throws ERosURLError when the shell cannot.
    void Click();

signals:
    // A click or an Enter that failed, with the error's text.
    void urlError(const QString &message);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ClickReportingError();
    Shell &m_shell;
    bool m_check = false;
    bool m_pressed = false;
};
