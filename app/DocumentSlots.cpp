#include "app/DocumentSlots.h"

DocumentSlots::DocumentSlots()
{
    for (int k = 1; k <= kMaxOpen; ++k)
        m_menuOrder << k;
}

int DocumentSlots::openSlot(const QString &name)
{
    if (openSlotCount >= kMaxOpen) {
        limitReached = true;
        return 0;
    }
    int k = 1;
    while (k <= kMaxOpen && m_slots[k].isOpen())
        ++k;
    if (k > kMaxOpen) { // counter out of step with the slots: refuse rather than overwrite
        limitReached = true;
        return 0;
    }
    ++openSlotCount;
    currentSlot = k;
    m_menuOrder.removeOne(k);
    m_menuOrder.append(k);
    DocumentSlot &slot = m_slots[k];
    slot = DocumentSlot();
    slot.caption = name;
    return k;
}

void DocumentSlots::freeSlot(int k)
{
    DocumentSlot &slot = m_slots[k];
    slot.lines.clear();
    slot.caption.clear();
    slot.modified = false;
    slot.selStart = slot.selLength = 0;
    slot.password.clear();
}

int DocumentSlots::lastOpenInMenu() const
{
    for (auto it = m_menuOrder.crbegin(); it != m_menuOrder.crend(); ++it)
        if (m_slots[*it].isOpen())
            return *it;
    return 0;
}

void StoreEditorLines(DocumentSlot &slot, const QStringList &editorLines)
{
    const QString head = slot.lines.isEmpty() ? QString() : slot.lines.first();
    slot.lines = editorLines;
    if (head.contains(QLatin1String("CHHEX:")))
        slot.lines.prepend(head);
}
