#pragma once
// The journal's list: one row per consultation of the folder, read or still
// locked, and the filter and sort order the window lays over it. The
// statistics are taken from the rows the filter lets through, so the two
// views always speak of the same consultations.

#include "tools/Journal.h"
#include <QAbstractTableModel>
#include <QIcon>
#include <QSortFilterProxyModel>

class JournalModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Date, Question, Hexagram, Developing, Changing, File, ColumnCount };
    // The row's Journal::Entry as a pointer, for the proxy and the window.
    static constexpr int kEntryRole = Qt::UserRole;
    static constexpr int kLockedRole = Qt::UserRole + 1;

    struct Row {
        Journal::Entry entry;
        bool locked = false;
        QString key; // the password that opened a protected file
    };

    explicit JournalModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void clear();
    // Read and locked results become rows; the rest are not consultations.
    void add(const QList<Journal::FileResult> &results, const QString &key);
    // Results of a second reading of locked rows: an opened one takes its
    // row's place, one still locked stays, one that turns out not to be a
    // consultation goes.
    void unlock(const QList<Journal::FileResult> &results, const QString &key);

    const Row &row(int r) const { return m_rows[r]; }
    int lockedCount() const { return m_locked; }
    QStringList lockedPaths() const;

private:
    QList<Row> m_rows;
    QHash<QString, int> m_byPath;
    int m_locked = 0;
    QIcon m_lock;
};

class JournalFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit JournalFilter(QObject *parent = nullptr);

    // Text found in the question or the file name, letters in any case.
    void setText(const QString &text);
    // 1..64: the consultations where it is the cast or the developing
    // hexagram; 0: all. A locked row's hexagram is unknown and never matches.
    void setHexagram(int number);
    int hexagram() const { return m_hexagram; }

    // The read consultations the filter lets through, in the current order.
    QList<Journal::Entry> shownEntries() const;
    int shownLocked() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    QString m_text;
    int m_hexagram = 0;
};

// "11. Prosperita (mír)" for the hexagram filter and the tips, "11. Prosperita" for the list.
QString HexagramCaption(int number);
QString ShortHexagramCaption(int number);
