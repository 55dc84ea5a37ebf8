#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

// Key names as a Macro Script shows them, and the one-byte codes the devices store: USB HID
// usages of the keyboard page, 0xF0 to 0xF4 for the five mouse buttons.
class KeyNameMap
{
public:
    using Entry = QPair<QString, uchar>;

    // Clears the map and fills it with every name, in code order.
    void build();

    // 0 when the name is unknown; names are compared exactly.
    uchar code(const QString &name) const { return m_codes.value(name, 0); }
    bool contains(const QString &name) const { return m_codes.contains(name); }
    int size() const { return int(m_entries.size()); }
    const QList<Entry> &entries() const { return m_entries; }

private:
    void add(const QString &name, uchar code);

    QList<Entry> m_entries;
    QHash<QString, uchar> m_codes;
};
