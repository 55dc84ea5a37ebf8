#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class KeyNameMap;
class Languages;
class TransportRef;

// The Macro Files as the scene edits them, their import and export, and sending one to the
// device slot it is bound to: 11H on the keyboard, 13H on the mouse.
class MacroControl
{
public:
    MacroControl(const TransportRef &transport, const KeyNameMap &keyNames,
                 const Languages &languages);

    QVariant create() const;
    QVariant remove(const QVariant &name) const;
    QStringList names() const;
    void rename(const QVariant &oldName, const QVariant &newName) const;
    QStringList script(const QVariant &name) const;
    // Also sends the macro again when it is bound to a slot of the current device.
    QVariant saveScript(const QVariant &name, const QStringList &macros) const;
    QVariantList config(const QVariant &name) const;
    void setConfig(const QVariant &name, const QVariantList &config) const;

    // The imported name, or empty when cancelled or refused.
    QVariant importFile() const;
    void exportFile(const QVariant &name) const;

    QList<uchar> encode(const QStringList &macros) const;
    void sendToKeyboard(const QVariant &macroId, const QVariant &name) const;
    void sendToMouse(const QVariant &macroId, const QVariant &name) const;

private:
    // The current device's kind, -1 without a transport.
    int deviceKind() const;
    // A Macro File's device bytes, with a box when they overflow the device's slot.
    QList<uchar> encodeForSlot(const QVariant &name, int capacity, const QString &title,
                               const QString &text) const;

    const TransportRef &m_transport;
    const KeyNameMap &m_keyNames;
    const Languages &m_languages;
};
