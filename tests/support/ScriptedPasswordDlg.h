#pragma once
// The password dialog with the user played from a queue: each showing
// types the next entry and presses OK, or presses "Storno" for an empty turn.

#include "files/HesloF.h"
#include <QLineEdit>
#include <QPushButton>
#include <QQueue>

class ScriptedPasswordDlg : public TPasswordDlg {
public:
    using TPasswordDlg::TPasswordDlg;
    QQueue<QString> entries; // a null QString presses "Storno"
    QStringList captions;    // the caption of every showing

    int ShowModal() override
    {
        setResult(mrCancel);
        open();
        captions << windowTitle();
        const QString entry = entries.isEmpty() ? QString() : entries.dequeue();
        if (entry.isNull()) {
            CancelBtn->click();
        } else {
            Password->setText(entry);
            if (OKBtn->isEnabled())
                OKBtn->click();
        }
        if (isVisible())
            reject();
        return result();
    }
};
