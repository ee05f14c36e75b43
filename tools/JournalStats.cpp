#include "tools/JournalStats.h"
#include "reading/Corpus.h"
#include "tools/JournalModel.h"
#include "ui/Guidance.h"
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const QColor kPaper(250, 245, 232);
const QColor kBronze(150, 92, 28);
const QColor kInk(60, 44, 24);
const QColor kExpected(120, 128, 140);

// Line values 6..9 in the words of the casting help.
const char *const kValueNames[4] = {"jinová proměnná", "jangová klidná", "jinová klidná", "jangová proměnná"};
const char *const kShares[4] = {"1/8", "3/8", "3/8", "1/8"};

QColor Mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QString Decimal(double value, int digits)
{
    return QLocale(QLocale::Czech, QLocale::CzechRepublic).toString(value, 'f', digits);
}

// Counts in thousands are grouped as the figures beside them are.
QString Count(qint64 value) { return QLocale(QLocale::Czech, QLocale::CzechRepublic).toString(value); }

// A p-value that rounds to nothing is still not zero.
QString Chance(double p) { return p < 0.0005 ? QStringLiteral("< 0,001") : QStringLiteral("= ") + Decimal(p, 3); }

// A step of 1, 2 or 5 times a power of ten that gives about four grid lines.
double NiceStep(double top)
{
    if (top <= 0)
        return 1;
    const double raw = top / 4;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (raw <= m * power)
            return std::max(1.0, m * power);
    return std::max(1.0, 10 * power);
}

} // namespace

HexagramGrid::HexagramGrid(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("HexagramGrid"));
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize HexagramGrid::sizeHint() const { return QSize(8 * 54, 8 * 46); }
QSize HexagramGrid::minimumSizeHint() const { return QSize(8 * 36, 8 * 32); }

void HexagramGrid::setCounts(const std::array<int, 64> &counts)
{
    m_counts = counts;
    update();
}

QRectF HexagramGrid::cellRect(int index) const
{
    const double w = (width() - 1) / 8.0, h = (height() - 1) / 8.0;
    return QRectF((index % 8) * w, (index / 8) * h, w, h).adjusted(1.5, 1.5, -1.5, -1.5);
}

void HexagramGrid::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int most = *std::max_element(m_counts.begin(), m_counts.end());
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() * 0.8);
    QFont big = font();
    big.setBold(true);
    big.setPointSizeF(font().pointSizeF() * 1.15);
    for (int i = 0; i < 64; ++i) {
        const QRectF cell = cellRect(i);
        const int count = m_counts[i];
        // The square root keeps a few rare hexagrams visible beside a frequent one.
        const double t = most > 0 ? std::sqrt(double(count) / most) : 0;
        const QColor fill = count ? Mix(QColor(238, 222, 190), kBronze, t) : kPaper;
        p.setPen(QPen(QColor(200, 186, 160), 1));
        p.setBrush(fill);
        p.drawRoundedRect(cell, 4, 4);
        const QColor text = t > 0.55 ? QColor(255, 250, 240) : kInk;
        p.setPen(count ? text : QColor(170, 160, 140));
        p.setFont(small);
        p.drawText(cell.adjusted(4, 2, -3, -2), Qt::AlignLeft | Qt::AlignTop, QString::number(i + 1));
        if (count) {
            p.setFont(big);
            p.drawText(cell.adjusted(2, 6, -2, 0), Qt::AlignCenter, QString::number(count));
        }
    }
}

int HexagramGrid::hexagramAt(const QPointF &pos) const
{
    for (int i = 0; i < 64; ++i)
        if (m_counts[i] > 0 && cellRect(i).contains(pos))
            return i + 1;
    return 0;
}

void HexagramGrid::mouseMoveEvent(QMouseEvent *event)
{
    setCursor(hexagramAt(event->position()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::mouseMoveEvent(event);
}

void HexagramGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (const int hexagram = event->button() == Qt::LeftButton ? hexagramAt(event->position()) : 0)
        emit picked(hexagram);
    QWidget::mouseReleaseEvent(event);
}

bool HexagramGrid::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        for (int i = 0; i < 64; ++i) {
            if (cellRect(i).contains(help->pos())) {
                QToolTip::showText(help->globalPos(),
                                   QStringLiteral("%1: %2×").arg(HexagramCaption(i + 1)).arg(m_counts[i]), this,
                                   cellRect(i).toRect());
                return true;
            }
        }
        QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

LineValueChart::LineValueChart(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LineValueChart"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize LineValueChart::sizeHint() const { return QSize(420, 240); }
QSize LineValueChart::minimumSizeHint() const { return QSize(300, 180); }

void LineValueChart::setCounts(const Journal::ValueCounts &counts)
{
    m_counts = counts;
    update();
}

void LineValueChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), kPaper);
    const QFontMetrics fm(font());
    qint64 total = 0;
    for (qint64 c : m_counts)
        total += c;
    std::array<double, 4> expected{};
    double top = 0;
    for (int i = 0; i < 4; ++i) {
        expected[i] = total * Journal::kFairShares[i];
        top = std::max({top, expected[i], double(m_counts[i])});
    }
    const int legend = fm.height() + 10;
    const int labelsBelow = 3 * fm.height() + 8;
    const int axisWidth = fm.horizontalAdvance(Count(qint64(top * 1.1) + 10)) + 12;
    const QRectF plot(axisWidth, legend + fm.height() / 2 + 6, width() - axisWidth - 10,
                      height() - legend - labelsBelow - fm.height() / 2 - 10);
    if (total == 0 || plot.height() < 20) {
        p.setPen(kInk);
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Žádné hody k zobrazení"));
        return;
    }
    const double step = NiceStep(top);
    const double scaleTop = std::ceil(top * 1.08 / step) * step;
    auto y = [&](double v) { return plot.bottom() - v / scaleTop * plot.height(); };

    // Grid lines and their values.
    p.setFont(font());
    for (double v = 0; v <= scaleTop + 0.5; v += step) {
        p.setPen(QPen(v == 0 ? QColor(120, 105, 80) : QColor(222, 212, 190), 1));
        p.drawLine(QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v)));
        p.setPen(QColor(110, 98, 78));
        p.drawText(QRectF(0, y(v) - fm.height() / 2.0, axisWidth - 6, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
                   Count(qint64(v)));
    }

    // The legend.
    const QString observedText = QStringLiteral("Vaše hody");
    const QString expectedText = QStringLiteral("Poctivé mince (očekávaný počet)");
    double x = plot.left();
    p.setPen(Qt::NoPen);
    p.setBrush(kBronze);
    p.drawRoundedRect(QRectF(x, 6, 14, 12), 2, 2);
    p.setPen(kInk);
    x += 20;
    p.drawText(QPointF(x, 6 + fm.ascent() - 1), observedText);
    x += fm.horizontalAdvance(observedText) + 22;
    p.setPen(QPen(kExpected, 1.5, Qt::DashLine));
    p.setBrush(QColor(kExpected.red(), kExpected.green(), kExpected.blue(), 60));
    p.drawRoundedRect(QRectF(x, 6, 14, 12), 2, 2);
    p.setPen(kInk);
    p.drawText(QPointF(x + 20, 6 + fm.ascent() - 1), expectedText);

    // Per value: the counted bar, and beside it the expected one.
    const double group = plot.width() / 4;
    const double bar = std::min(56.0, group * 0.32);
    for (int i = 0; i < 4; ++i) {
        const double centre = plot.left() + group * (i + 0.5);
        const QRectF observed(centre - bar - 3, y(double(m_counts[i])), bar, plot.bottom() - y(double(m_counts[i])));
        const QRectF fair(centre + 3, y(expected[i]), bar, plot.bottom() - y(expected[i]));
        QLinearGradient shade(observed.topLeft(), observed.topRight());
        shade.setColorAt(0, kBronze.lighter(125));
        shade.setColorAt(1, kBronze);
        p.setPen(QPen(kBronze.darker(130), 1));
        p.setBrush(shade);
        p.drawRect(observed);
        p.setPen(QPen(kExpected, 1.5, Qt::DashLine));
        p.setBrush(QColor(kExpected.red(), kExpected.green(), kExpected.blue(), 60));
        p.drawRect(fair);
        p.setPen(kInk);
        p.drawText(QRectF(observed.left() - 20, observed.top() - fm.height() - 2, bar + 40, fm.height()),
                   Qt::AlignHCenter | Qt::AlignBottom, Count(m_counts[i]));
        p.setPen(kExpected.darker(140));
        p.drawText(QRectF(fair.left() - 20, fair.top() - fm.height() - 2, bar + 40, fm.height()),
                   Qt::AlignHCenter | Qt::AlignBottom, Decimal(expected[i], expected[i] >= 100 ? 0 : 1));
        // The value and its name under the pair.
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        p.setPen(kInk);
        p.drawText(QRectF(centre - group / 2, plot.bottom() + 4, group, fm.height()), Qt::AlignCenter,
                   QString::number(6 + i));
        p.setFont(font());
        p.setPen(QColor(100, 88, 70));
        // "jinová proměnná" on two lines, so that it fits a narrow chart.
        p.drawText(QRectF(centre - group / 2, plot.bottom() + 4 + fm.height(), group, 2 * fm.height()),
                   Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(kValueNames[i]).replace(u' ', u'\n'));
    }
}

JournalStats::JournalStats(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("JournalStats"));
    Summary = new QLabel(this);
    Summary->setObjectName(QStringLiteral("Summary"));
    Summary->setWordWrap(true);
    QFont heading = Summary->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.1);
    heading.setBold(true);
    Summary->setFont(heading);

    auto *hexagrams = new QGroupBox(QStringLiteral("Jak často padl který hexagram"), this);
    Grid = new HexagramGrid(hexagrams);
    Describe(Grid, QStringLiteral("Četnost hexagramů"),
             QStringLiteral("Osm řad po osmi hexagramech podle čísla; v každém poli je, kolikrát hexagram padl. "
                            "Čím tmavší pole, tím častěji."));
    auto *note = new QLabel(QStringLiteral("Počítá se hozený hexagram, ne vývojový. Podržte myš nad polem "
                                           "a uvidíte název hexagramu; klepnutím na pole ukážete "
                                           "jeho konzultace v seznamu."),
                            hexagrams);
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color: #6b5d45;"));
    auto *left = new QVBoxLayout(hexagrams);
    left->addWidget(Grid, 1);
    left->addWidget(note);

    auto *lines = new QGroupBox(QStringLiteral("Hodnoty čar a poctivé mince"), this);
    Chart = new LineValueChart(lines);
    Describe(Chart, QStringLiteral("Graf hodnot čar"),
             QStringLiteral("Sloupce: kolikrát padla čára 6, 7, 8 a 9, a vedle čárkovaně, kolikrát by padla "
                            "při hodu třemi poctivými mincemi."));
    Values = new QLabel(lines);
    Values->setObjectName(QStringLiteral("Values"));
    Values->setTextFormat(Qt::RichText);
    Test = new QLabel(lines);
    Test->setObjectName(QStringLiteral("Test"));
    Verdict = new QLabel(lines);
    Verdict->setObjectName(QStringLiteral("Verdict"));
    Verdict->setWordWrap(true);
    Verdict->setTextFormat(Qt::PlainText);
    Verdict->setStyleSheet(QStringLiteral("QLabel { background: #f3ead2; border: 1px solid #d6c49a; "
                                          "border-radius: 4px; padding: 8px; font-weight: bold; color: #3c2c18; }"));
    auto *right = new QVBoxLayout(lines);
    right->addWidget(Chart, 1);
    right->addWidget(Values);
    right->addWidget(Test);
    right->addWidget(Verdict);

    auto *grid = new QGridLayout(this);
    grid->addWidget(Summary, 0, 0, 1, 2);
    grid->addWidget(hexagrams, 1, 0);
    grid->addWidget(lines, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    setEntries({}, 0);
}

void JournalStats::setEntries(const QList<Journal::Entry> &entries, int locked)
{
    QString summary = entries.isEmpty() ? QStringLiteral("Seznam neukazuje žádnou přečtenou konzultaci.")
                                        : QStringLiteral("Konzultací, které ukazuje seznam: %1").arg(entries.size());
    if (locked > 0)
        summary += QStringLiteral(" (a zamčených souborů, které se nepočítají: %1)").arg(locked);
    Summary->setText(summary);
    Grid->setCounts(Journal::CountHexagrams(entries));
    const Journal::ValueCounts counts = Journal::CountValues(entries);
    Chart->setCounts(counts);
    m_fairness = Journal::FairnessOf(counts);

    QString table = QStringLiteral("<table cellspacing='0' cellpadding='3' width='100%'>"
                                   "<tr style='color:#6b5d45'><th align='left'>Čára</th><th align='right'>Padla</th>"
                                   "<th align='right'>Podíl</th><th align='right'>Poctivé mince</th></tr>");
    for (int i = 0; i < 4; ++i) {
        const double share = m_fairness.values ? 100.0 * counts[i] / m_fairness.values : 0;
        table += QStringLiteral("<tr><td><b>%1</b> %2</td><td align='right'>%3×</td><td align='right'>%4 %</td>"
                                "<td align='right'>%5 (%6)</td></tr>")
                     .arg(6 + i)
                     .arg(QString::fromUtf8(kValueNames[i]))
                     .arg(Count(counts[i]))
                     .arg(Decimal(share, 1))
                     .arg(Decimal(m_fairness.values * Journal::kFairShares[i], 1))
                     .arg(QLatin1String(kShares[i]));
    }
    table += QStringLiteral("</table>");
    Values->setText(table);
    Test->setText(m_fairness.values
                      ? QStringLiteral("Chí-kvadrát %1 při 3 stupních volnosti, p %2 (z %3 čar)")
                            .arg(Decimal(m_fairness.chi2, 2), Chance(m_fairness.p), Count(m_fairness.values))
                      : QString());
    Verdict->setText(m_fairness.sentence);
    Verdict->setVisible(!m_fairness.sentence.isEmpty());
}
