#pragma once
// The dialog of "&Písmo...": the editor's font, its size and style, and the
// colour of its text, with a sample on the editor's background. The
// toolkit's own font dialog has no colour, and its controls carry no Czech
// names for a screen reader.

#include "platform/Platform.h"
#include <QDialog>

class QCheckBox;
class QFontComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

class FontColorDialog : public QDialog {
    Q_OBJECT
public:
    FontColorDialog(const FontChoice &initial, const QColor &background, QWidget *parent = nullptr);

    // The font as the user left it: what was not touched stays as it came,
    // a family missing on this desktop and a size in pixels included.
    FontChoice choice() const { return {m_font, m_color}; }
    void setTextColor(const QColor &color);

    QFontComboBox *Family = nullptr;
    QSpinBox *Size = nullptr;
    QCheckBox *Bold = nullptr, *Italic = nullptr, *Underline = nullptr, *StrikeOut = nullptr;
    QPushButton *ColorButton = nullptr;
    QLabel *Sample = nullptr;
    QPushButton *OkButton = nullptr, *CancelButton = nullptr;

private:
    void PickColor();
    void ShowSample();

    QFont m_font;
    QColor m_color;
    QColor m_background;
};
