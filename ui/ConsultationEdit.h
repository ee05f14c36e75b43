#pragma once
// The consultation editor. Whatever way text comes in (Ctrl+V, Shift+Insert,
// the selection's middle click, a drop, the menus), it comes through one
// handler, so every way gets the same plain-text paste and the same refusals.

#include <QPlainTextEdit>
#include <functional>

class QMimeData;

class TConsultationEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;
    // Inserts the source at the cursor; without it the editor inserts itself.
    std::function<void(const QMimeData *source)> onInsert;

protected:
    void insertFromMimeData(const QMimeData *source) override;
};
