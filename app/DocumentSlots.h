#pragma once
// The consultation documents: nine slots listed in the "&Okno" menu in the
// order they were opened, plus the scratch slot 10 that the viewer fills.

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

struct DocumentSlot {
    QStringList lines;   // line 0 may be the hidden marker line
    QString fileName;    // empty when never saved or opened
    bool modified = false;
    int selStart = 0;
    int selLength = 0;
    QString caption;     // its "&Okno" item caption; empty while the slot is free
    // The password of its last open or save of an encrypted file, held in
    // memory only: it keys the recovery copy of the unsaved text.
    QString password;

    bool isOpen() const { return !caption.isEmpty(); }
};

class DocumentSlots {
public:
    static constexpr int kMaxOpen = 9;
    static constexpr int kScratch = 10;
    static inline const QString kLimitMessage = QStringLiteral(
        "Může být otevřeno nejvíce 9 oken. Aby mohlo být otevřeno nové okno, je zapotřebí alespoň jedno okno zavřít.");

    DocumentSlots();

    DocumentSlot &operator[](int k) { return m_slots[k]; }
    const DocumentSlot &operator[](int k) const { return m_slots[k]; }
    DocumentSlot &current() { return m_slots[currentSlot]; }

    // Takes the lowest free slot, moves its menu item to the end and makes it
    // current; 0 when nine are open already (limitReached is then set).
    int openSlot(const QString &name);
    // Frees slot k: its lines, caption and modified flag. The file name is
    // cleared by the caller at the end of a close, as the close needs it.
    void freeSlot(int k);
    // The open slot whose menu item stands last; 0 when none is open.
    int lastOpenInMenu() const;
    // Menu items 1..9 in menu order.
    const QList<int> &menuOrder() const { return m_menuOrder; }

    int currentSlot = 0;
    int openSlotCount = 0;
    std::uint8_t newDocumentCounter = 0;
    bool closingSlot = false;
    bool saveCancelled = false;
    bool limitReached = false;

private:
    std::array<DocumentSlot, kScratch + 1> m_slots; // index 0 unused
    QList<int> m_menuOrder;
};

// Store current: the editor's lines replace the slot's, keeping a marker line
// that stood at its head.
void StoreEditorLines(DocumentSlot &slot, const QStringList &editorLines);
