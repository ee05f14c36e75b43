#include "print/NTiskF8.h"
#include "platform/Platform.h"
#include "app/SettingsKeys.h"
#include "app/Zendra12F.h"
#include "ui/Guidance.h"
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr int kPreviewWidth = 167;
struct MarginField {
    const char *setting; // its default is in the settings table
    const char *label;
    int maximum;
    const char *tip;
};
const MarginField kFields[4] = {{"SpE1", "Levý okraj v mm", 80, "Šířka levého okraje stránky v milimetrech."},
                                {"SpE2", "Pravý okraj v mm", 80, "Šířka pravého okraje stránky v milimetrech."},
                                {"SpE3", "Horní okraj v mm", 120, "Výška horního okraje stránky v milimetrech."},
                                {"SpE4", "Dolní okraj v mm", 120, "Výška dolního okraje stránky v milimetrech."}};
} // namespace

TForm8::TForm8(TForm1 &main, SettingsStore &settings)
    : QDialog(&main, Qt::Dialog | Qt::WindowStaysOnTopHint), m_main(main), m_settings(settings)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Nastavení okrajů stránky"));
    auto *outer = new QVBoxLayout(this);
    Label5 = new QLabel(QStringLiteral("Nastavení okrajů stánky pro tisk"), this);
    outer->addWidget(Label5);
    auto *row = new QHBoxLayout;
    auto *form = new QFormLayout;
    QSpinBox **boxes[4] = {&SpinEdit1, &SpinEdit2, &SpinEdit3, &SpinEdit4};
    for (int i = 0; i < 4; ++i) {
        QSpinBox *box = new QSpinBox(this);
        box->setObjectName(QStringLiteral("SpinEdit%1").arg(i + 1));
        box->setRange(0, kFields[i].maximum);
        box->setValue(Setting(kFields[i].setting).number);
        Describe(box, QString::fromUtf8(kFields[i].label), QString::fromUtf8(kFields[i].tip));
        form->addRow(QString::fromUtf8(kFields[i].label), box);
        *boxes[i] = box;
        connect(box, &QSpinBox::valueChanged, this, &TForm8::DrawPreview);
    }
    row->addLayout(form);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedWidth(kPreviewWidth);
    Image1->setFrameShape(QFrame::Box);
    row->addWidget(Image1);
    outer->addLayout(row);
    auto *buttons = new QHBoxLayout;
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button2 = new QPushButton(QStringLiteral("Storno"), this);
    Button3 = new QPushButton(QStringLiteral("Tisk..."), this);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    outer->addLayout(buttons);
    Button1->setDefault(true);
    Describe(Button1, {}, QStringLiteral("Uloží okraje a zavře okno."));
    Describe(Button2, {}, QStringLiteral("Zavře okno a okraje nechá, jak byly."));
    Describe(Button3, {}, QStringLiteral("Vytiskne konzultaci s těmito okraji."));
    connect(Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button3, &QPushButton::clicked, &m_main, &TForm1::TiskClick);
    LoadMargins();
}

PageMargins TForm8::margins() const
{
    return {SpinEdit1->value(), SpinEdit2->value(), SpinEdit3->value(), SpinEdit4->value()};
}

void TForm8::LoadMargins()
{
    QSpinBox *const boxes[4] = {SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4};
    for (int i = 0; i < 4; ++i) {
        const QString name = QLatin1String(kFields[i].setting);
        const bool stored = m_settings.keyExists() && m_settings.contains(name);
        boxes[i]->setValue(stored ? m_settings.readInteger(name) : Setting(kFields[i].setting).number);
    }
}

void TForm8::DrawPreview()
{
    // A hidden dialog draws when it is shown; so the printer is not made at start-up.
    if (!isVisible())
        return;
    QPrinter &printer = m_main.printer();
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    lastPreview = PreviewLayout(kPreviewWidth, page.size(), printer.resolution(), printer.resolution(), margins());
    QPixmap preview(kPreviewWidth, qMax(1, lastPreview.height));
    preview.fill(Qt::white);
    QPainter p(&preview);
    QPen pen(Qt::black);
    pen.setWidth(qMax(1, lastPreview.penWidth));
    p.setPen(pen);
    for (int y : lastPreview.ys)
        p.drawLine(lastPreview.left, y, kPreviewWidth - lastPreview.right, y);
    p.end();
    Image1->setFixedHeight(preview.height());
    Image1->setPixmap(preview);
}

void TForm8::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    DrawPreview();
}

void TForm8::Button1Click()
{
    m_settings.createKey();
    const PageMargins m = margins();
    const int values[4] = {m.left, m.right, m.top, m.bottom};
    for (int i = 0; i < 4; ++i)
        m_settings.writeInteger(QLatin1String(kFields[i].setting), values[i]);
    m_main.CommitSettings();
    accept();
}

void TForm8::done(int result)
{
    QDialog::done(result);
    LoadMargins(); // margins changed without "OK" are dropped
}
