#pragma once

#include <QList>
#include <QStringList>

class KeyNameMap;

// Turns a Macro Script into the byte stream a device stores: two-byte units (header, key down,
// key up, pauses, end). Pauses are written in the device kind's own form.
class MacroEncoder
{
public:
    static constexpr int kCommandWidth = 10;

    MacroEncoder(const KeyNameMap &keys, int deviceKind) : m_keys(keys), m_kind(deviceKind) {}

    QList<uchar> encode(const QStringList &lines) const;

private:
    const KeyNameMap &m_keys;
    int m_kind;
};
