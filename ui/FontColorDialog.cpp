#include "ui/FontColorDialog.h"
#include "ui/Guidance.h"
#include <QCheckBox>
#include <QColorDialog>
#include <QFontComboBox>
#include <QFontInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr int kSmallestPoints = 4, kLargestPoints = 96;
constexpr int kSwatchSize = 16;
const QString kSampleText = QStringLiteral("Otázka: Příliš žluťoučký kůň úpěl ďábelské ódy.");

QCheckBox *StyleBox(QWidget *parent, const QString &caption, bool checked, const QString &tip)
{
    auto *box = new QCheckBox(caption, parent);
    box->setChecked(checked);
    Describe(box, {}, tip);
    return box;
}
} // namespace

FontColorDialog::FontColorDialog(const FontChoice &initial, const QColor &background, QWidget *parent)
    : QDialog(parent), m_font(initial.font), m_color(initial.color), m_background(background)
{
    setObjectName(QStringLiteral("FontColorDialog"));
    setWindowTitle(QStringLiteral("Písmo"));

    Family = new QFontComboBox(this);
    Family->setObjectName(QStringLiteral("Family"));
    Family->setCurrentFont(m_font);
    Describe(Family, QStringLiteral("Písmo"), QStringLiteral("Druh písma textu konzultace."));
    Size = new QSpinBox(this);
    Size->setObjectName(QStringLiteral("Size"));
    Size->setRange(kSmallestPoints, kLargestPoints);
    Size->setSuffix(QStringLiteral(" b."));
    Size->setValue(qBound(kSmallestPoints, QFontInfo(m_font).pointSize(), kLargestPoints));
    Describe(Size, QStringLiteral("Velikost"), QStringLiteral("Velikost písma v bodech."));
    Bold = StyleBox(this, QStringLiteral("&Tučné"), m_font.bold(), QStringLiteral("Silnější tahy písma."));
    Italic = StyleBox(this, QStringLiteral("&Kurzíva"), m_font.italic(), QStringLiteral("Skloněné písmo."));
    Underline = StyleBox(this, QStringLiteral("Po&dtržené"), m_font.underline(), QStringLiteral("Čára pod textem."));
    StrikeOut = StyleBox(this, QStringLiteral("Př&eškrtnuté"), m_font.strikeOut(), QStringLiteral("Čára přes text."));
    ColorButton = new QPushButton(QStringLiteral("&Barva..."), this);
    ColorButton->setObjectName(QStringLiteral("ColorButton"));
    Describe(ColorButton, QStringLiteral("Barva textu"),
             QStringLiteral("Otevře výběr barvy, kterou se píše text konzultace."));
    Sample = new QLabel(kSampleText, this);
    Sample->setObjectName(QStringLiteral("Sample"));
    Sample->setAutoFillBackground(true);
    Sample->setMinimumHeight(60);
    Sample->setMargin(6);
    Sample->setWordWrap(true);

    OkButton = new QPushButton(QStringLiteral("OK"), this);
    OkButton->setDefault(true);
    Describe(OkButton, {}, QStringLiteral("Použije vybrané písmo a barvu."));
    CancelButton = new QPushButton(QStringLiteral("Storno"), this);
    Describe(CancelButton, {}, QStringLiteral("Zavře okno a písmo nezmění."));

    auto *styles = new QHBoxLayout;
    for (QCheckBox *box : {Bold, Italic, Underline, StrikeOut})
        styles->addWidget(box);
    styles->addStretch();
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Písmo:"), Family);
    form->addRow(QStringLiteral("&Velikost:"), Size);
    form->addRow(QStringLiteral("Řez:"), styles);
    form->addRow(QStringLiteral("Barva textu:"), ColorButton);
    form->addRow(QStringLiteral("Ukázka:"), Sample);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    // Each control changes only its own part of the font.
    connect(Family, &QFontComboBox::currentFontChanged, this, [this](const QFont &f) {
        m_font.setFamily(f.family());
        ShowSample();
    });
    connect(Size, &QSpinBox::valueChanged, this, [this](int points) {
        m_font.setPointSize(points);
        ShowSample();
    });
    const std::pair<QCheckBox *, void (QFont::*)(bool)> styleSetters[] = {
        {Bold, &QFont::setBold}, {Italic, &QFont::setItalic}, {Underline, &QFont::setUnderline},
        {StrikeOut, &QFont::setStrikeOut}};
    for (const auto &[box, setter] : styleSetters)
        connect(box, &QCheckBox::toggled, this, [this, setter](bool on) {
            (m_font.*setter)(on);
            ShowSample();
        });
    connect(ColorButton, &QPushButton::clicked, this, &FontColorDialog::PickColor);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    setTextColor(m_color);
}

void FontColorDialog::setTextColor(const QColor &color)
{
    m_color = color;
    QPixmap swatch(kSwatchSize, kSwatchSize);
    swatch.fill(color);
    ColorButton->setIcon(QIcon(swatch));
    ShowSample();
}

void FontColorDialog::PickColor()
{
    const QColor c = QColorDialog::getColor(m_color, this, QStringLiteral("Barva textu"));
    if (c.isValid())
        setTextColor(c);
}

void FontColorDialog::ShowSample()
{
    QPalette pal = Sample->palette();
    pal.setColor(QPalette::Window, m_background);
    pal.setColor(QPalette::WindowText, m_color);
    Sample->setPalette(pal);
    Sample->setFont(m_font);
}
