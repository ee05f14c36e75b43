#include "tools/JournalModel.h"
#include "reading/Corpus.h"
#include <QCollator>
#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QGuiApplication>

namespace {

const QString kNone = QStringLiteral("–");

// A small padlock, drawn so that it needs no icon theme.
QIcon LockIcon()
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        p.setPen(QPen(QColor(110, 110, 110), 1.6));
        p.setBrush(Qt::NoBrush);
        QPainterPath shackle;
        shackle.moveTo(5, 8);
        shackle.lineTo(5, 5.5);
        shackle.arcTo(QRectF(5, 2, 6, 6), 180, -180);
        shackle.lineTo(11, 8);
        p.drawPath(shackle);
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(QColor(176, 150, 84));
        p.drawRoundedRect(QRectF(3.5, 7.5, 9, 7), 1.5, 1.5);
        p.setBrush(QColor(70, 60, 40));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(8, 10.6), 1.1, 1.1);
        p.drawRect(QRectF(7.6, 10.8, 0.8, 2.2));
        icon.addPixmap(pixmap);
    }
    return icon;
}

QString Positions(const QList<int> &positions)
{
    QStringList parts;
    for (int p : positions)
        parts << QString::number(p);
    return parts.isEmpty() ? kNone : parts.join(QStringLiteral(", "));
}

const QCollator &Collator()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        c.setNumericMode(true);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

} // namespace

QString HexagramCaption(int number)
{
    return QStringLiteral("%1. %2").arg(number).arg(BookTables::Title(number));
}

QString ShortHexagramCaption(int number)
{
    return QStringLiteral("%1. %2").arg(number).arg(BookTables::ShortTitle(number));
}

JournalModel::JournalModel(QObject *parent) : QAbstractTableModel(parent), m_lock(LockIcon()) {}

int JournalModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int JournalModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant JournalModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row &r = m_rows[index.row()];
    const Journal::Entry &e = r.entry;
    switch (role) {
    case Qt::DisplayRole:
        if (r.locked) {
            switch (index.column()) {
            case Date: return QStringLiteral("zamčeno");
            case Question: return QStringLiteral("(chráněný soubor, otevře ho heslo)");
            case Hexagram: return QStringLiteral("?");
            case File: return QDir::toNativeSeparators(e.name);
            default: return QString();
            }
        }
        switch (index.column()) {
        case Date: return e.header;
        case Question: return e.question;
        case Hexagram: return ShortHexagramCaption(e.hexagram);
        case Developing: return e.developing ? ShortHexagramCaption(e.developing) : kNone;
        case Changing: return Positions(Journal::ChangingPositions(e.cast));
        case File: return QDir::toNativeSeparators(e.name);
        }
        break;
    case Qt::ToolTipRole:
        if (r.locked)
            return QStringLiteral("Chráněný soubor, který se zatím nepodařilo otevřít. Tlačítko „Odemknout...“ "
                                  "se zeptá na heslo znovu.");
        if (index.column() == File)
            return QDir::toNativeSeparators(e.path);
        if (index.column() == Question && !e.question.isEmpty())
            return e.question;
        if (index.column() == Hexagram)
            return HexagramCaption(e.hexagram);
        if (index.column() == Developing && e.developing)
            return HexagramCaption(e.developing);
        break;
    case Qt::DecorationRole:
        if (index.column() == Date && r.locked)
            return m_lock;
        break;
    case Qt::ForegroundRole:
        if (r.locked)
            return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        break;
    case Qt::TextAlignmentRole:
        if (index.column() == Changing)
            return int(Qt::AlignCenter);
        break;
    case Qt::AccessibleTextRole:
        if (r.locked && index.column() == Date)
            return QStringLiteral("zamčeno");
        break;
    case kEntryRole:
        return QVariant::fromValue(static_cast<const void *>(&e));
    case kLockedRole:
        return r.locked;
    }
    return {};
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Date: return QStringLiteral("Datum a čas");
    case Question: return QStringLiteral("Otázka");
    case Hexagram: return QStringLiteral("Hozený hexagram");
    case Developing: return QStringLiteral("Vývojový hexagram");
    case Changing: return QStringLiteral("Měnící se čáry");
    case File: return QStringLiteral("Soubor");
    }
    return {};
}

void JournalModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_byPath.clear();
    m_locked = 0;
    endResetModel();
}

void JournalModel::add(const QList<Journal::FileResult> &results, const QString &key)
{
    QList<Row> rows;
    for (const Journal::FileResult &result : results) {
        if (m_byPath.contains(result.entry.path))
            continue;
        if (result.outcome == Journal::Outcome::Read)
            rows.append(Row{result.entry, false, result.entry.isProtected ? key : QString()});
        else if (result.outcome == Journal::Outcome::Locked)
            rows.append(Row{result.entry, true, QString()});
    }
    if (rows.isEmpty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    for (Row &row : rows) {
        m_byPath.insert(row.entry.path, int(m_rows.size()));
        m_locked += row.locked ? 1 : 0;
        m_rows.append(std::move(row));
    }
    endInsertRows();
}

void JournalModel::unlock(const QList<Journal::FileResult> &results, const QString &key)
{
    QList<int> gone;
    for (const Journal::FileResult &result : results) {
        const int r = m_byPath.value(result.entry.path, -1);
        if (r < 0 || !m_rows[r].locked)
            continue;
        if (result.outcome == Journal::Outcome::Read) {
            m_rows[r] = Row{result.entry, false, key};
            --m_locked;
            emit dataChanged(index(r, 0), index(r, ColumnCount - 1));
        } else if (result.outcome != Journal::Outcome::Locked) {
            gone.append(r);
        }
    }
    if (gone.isEmpty())
        return;
    std::sort(gone.begin(), gone.end(), std::greater<>());
    for (int r : gone) {
        beginRemoveRows({}, r, r);
        m_rows.removeAt(r);
        --m_locked;
        endRemoveRows();
    }
    m_byPath.clear();
    for (int r = 0; r < m_rows.size(); ++r)
        m_byPath.insert(m_rows[r].entry.path, r);
}

QStringList JournalModel::lockedPaths() const
{
    QStringList paths;
    for (const Row &r : m_rows)
        if (r.locked)
            paths << r.entry.path;
    return paths;
}

JournalFilter::JournalFilter(QObject *parent) : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
}

void JournalFilter::setText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed == m_text)
        return;
    m_text = trimmed;
    invalidateRowsFilter();
}

void JournalFilter::setHexagram(int number)
{
    if (number == m_hexagram)
        return;
    m_hexagram = number;
    invalidateRowsFilter();
}

namespace {
const JournalModel::Row &RowOf(const QAbstractItemModel *model, int row)
{
    return static_cast<const JournalModel *>(model)->row(row);
}
} // namespace

bool JournalFilter::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    const JournalModel::Row &r = RowOf(sourceModel(), sourceRow);
    if (m_hexagram && (r.locked || (r.entry.hexagram != m_hexagram && r.entry.developing != m_hexagram)))
        return false;
    if (m_text.isEmpty())
        return true;
    return r.entry.name.contains(m_text, Qt::CaseInsensitive)
           || (!r.locked && r.entry.question.contains(m_text, Qt::CaseInsensitive));
}

bool JournalFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const JournalModel::Row &a = RowOf(sourceModel(), left.row());
    const JournalModel::Row &b = RowOf(sourceModel(), right.row());
    // Locked rows know nothing but their name: they come after the others.
    if (a.locked != b.locked && left.column() != JournalModel::File)
        return b.locked;
    const Journal::Entry &x = a.entry, &y = b.entry;
    int order = 0;
    switch (left.column()) {
    case JournalModel::Date:
        if (x.when.isValid() && y.when.isValid())
            order = x.when < y.when ? -1 : y.when < x.when ? 1 : 0;
        else if (x.when.isValid() != y.when.isValid())
            order = x.when.isValid() ? -1 : 1; // a header that is no date after the dated ones
        else
            order = Collator().compare(x.header, y.header);
        break;
    case JournalModel::Question:
        order = Collator().compare(x.question, y.question);
        break;
    case JournalModel::Hexagram:
        order = x.hexagram - y.hexagram;
        break;
    case JournalModel::Developing:
        order = x.developing - y.developing;
        break;
    case JournalModel::Changing: {
        const QList<int> p = Journal::ChangingPositions(x.cast), q = Journal::ChangingPositions(y.cast);
        order = p.size() != q.size() ? int(p.size() - q.size())
                : std::lexicographical_compare(p.begin(), p.end(), q.begin(), q.end()) ? -1
                : p == q ? 0 : 1;
        break;
    }
    default:
        break;
    }
    if (order == 0)
        order = Collator().compare(x.name, y.name);
    return order < 0;
}

QList<Journal::Entry> JournalFilter::shownEntries() const
{
    QList<Journal::Entry> entries;
    entries.reserve(rowCount());
    for (int r = 0; r < rowCount(); ++r) {
        const JournalModel::Row &row = RowOf(sourceModel(), mapToSource(index(r, 0)).row());
        if (!row.locked)
            entries.append(row.entry);
    }
    return entries;
}

int JournalFilter::shownLocked() const
{
    int locked = 0;
    for (int r = 0; r < rowCount(); ++r)
        locked += RowOf(sourceModel(), mapToSource(index(r, 0)).row()).locked ? 1 : 0;
    return locked;
}
