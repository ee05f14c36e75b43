#include "ui/ConsultationEdit.h"

void TConsultationEdit::insertFromMimeData(const QMimeData *source)
{
    if (onInsert)
        onInsert(source);
    else
        QPlainTextEdit::insertFromMimeData(source);
}
