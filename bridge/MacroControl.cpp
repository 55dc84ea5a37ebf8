#include "bridge/MacroControl.h"

#include "bridge/MacroEncoder.h"
#include "bridge/MacroStore.h"
#include "bridge/TransportRef.h"
#include "bridge/UserFile.h"
#include "bridge/ViewText.h"
#include "bridge/i18n/Languages.h"
#include "device/DeviceKind.h"
#include "device/Hid_Thread.h"
#include "platform/Dialogs.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kKeyboardPayload = 192;
constexpr int kMousePayload = 128;
constexpr int kKeyboardSlots = 35; // slot numbers 0 to 34 as sent with 11H
constexpr int kMouseSlots = 12;    // stored as slot less one

// The stream cut or padded with zeros to the payload size.
template <size_t N> std::array<uchar, N> payload(const QList<uchar> &stream)
{
    std::array<uchar, N> buffer{};
    std::copy_n(stream.begin(), std::min<qsizetype>(stream.size(), N), buffer.begin());
    return buffer;
}

} // namespace

MacroControl::MacroControl(const TransportRef &transport, const KeyNameMap &keyNames,
                           const Languages &languages)
    : m_transport(transport), m_keyNames(keyNames), m_languages(languages)
{
}

int MacroControl::deviceKind() const
{
    return m_transport.get() ? int(m_transport.get()->currentDevice()) : -1;
}

QVariant MacroControl::create() const
{
    return MacroStore().create();
}

QVariant MacroControl::remove(const QVariant &name) const
{
    return MacroStore().remove(name.toString());
}

QStringList MacroControl::names() const
{
    return MacroStore().names();
}

void MacroControl::rename(const QVariant &oldName, const QVariant &newName) const
{
    MacroStore().rename(oldName.toString(), newName.toString());
}

QStringList MacroControl::script(const QVariant &name) const
{
    return MacroStore().script(name.toString());
}

QVariant MacroControl::saveScript(const QVariant &name, const QStringList &macros) const
{
    const MacroStore store;
    if (!store.saveScript(name.toString(), macros))
        return false;
    // Put the edited macro back into the device slot it is bound to.
    const int index = store.boundIndex(name.toString());
    const int kind = deviceKind();
    if (kind == DeviceKind::Keyboard && index >= 0 && index < kKeyboardSlots)
        sendToKeyboard(index, name);
    else if (kind == DeviceKind::Mouse && index >= 0 && index < kMouseSlots)
        sendToMouse(index + 1, name);
    return true;
}

QVariantList MacroControl::config(const QVariant &name) const
{
    return MacroStore().config(name.toString(), deviceKind());
}

void MacroControl::setConfig(const QVariant &name, const QVariantList &config) const
{
    MacroStore().setConfig(name.toString(), config, deviceKind());
}

QVariant MacroControl::importFile() const
{
    const QString chosen = Dialogs::instance().openFileName(
        viewText("Open File"), UserFile::startFolder(), viewText("Macro(*.bin)"));
    if (chosen.isEmpty())
        return QString();
    const MacroStore store;
    const QString name = MacroStore::importName(chosen);
    if (!UserFile::isIniWithGroup(chosen, {QStringLiteral("config")}) || !store.path(name)) {
        Dialogs::instance().warning(m_languages.messageString(6),
                                    m_languages.messageString(8).arg(chosen));
        return QString();
    }
    if (store.exists(name) &&
        !Dialogs::instance().question(m_languages.messageString(11),
                                      m_languages.messageString(12).arg(name), false))
        return QString();
    const QString imported = store.importFile(chosen);
    if (imported.isEmpty())
        Dialogs::instance().warning(m_languages.messageString(6),
                                    m_languages.messageString(10).arg(*store.path(name)));
    return imported;
}

void MacroControl::exportFile(const QVariant &name) const
{
    const MacroStore store;
    if (!store.exists(name.toString()))
        return;
    const QString chosen = Dialogs::instance().saveFileName(
        viewText("Save File"), UserFile::startFolder(), viewText("Macro(*.bin)"));
    if (!chosen.isEmpty() && !store.exportFile(name.toString(), chosen))
        Dialogs::instance().warning(m_languages.messageString(9),
                                    m_languages.messageString(10).arg(chosen));
}

QList<uchar> MacroControl::encode(const QStringList &macros) const
{
    return MacroEncoder(m_keyNames, deviceKind()).encode(macros);
}

QList<uchar> MacroControl::encodeForSlot(const QVariant &name, int capacity, const QString &title,
                                         const QString &text) const
{
    QList<uchar> stream = encode(script(name));
    if (stream.size() > capacity)
        Dialogs::instance().warning(title, text);
    return stream;
}

void MacroControl::sendToKeyboard(const QVariant &macroId, const QVariant &name) const
{
    if (!MacroStore().path(name.toString()))
        return;
    const QList<uchar> stream = encodeForSlot(name, kKeyboardPayload, m_languages.messageString(0),
                                              m_languages.messageString(1));
    auto buffer = payload<kKeyboardPayload>(stream);
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_11H_SetMacroKey(uchar(macroId.toInt()), buffer.data());
}

void MacroControl::sendToMouse(const QVariant &macroId, const QVariant &name) const
{
    const MacroStore store;
    if (!store.path(name.toString()))
        return;
    QList<uchar> stream =
        encodeForSlot(name, kMousePayload, viewText("MACRO"),
                      viewText("Out of memory,\nsome command line has been cut."));
    // The mouse keeps the repeat count in the header.
    const uint repeat = store.repeat(name.toString());
    stream[0] = uchar((repeat / 256) % 256);
    stream[1] = uchar(repeat % 256);
    auto buffer = payload<kMousePayload>(stream);
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_13H_SetMacroKey(uchar(macroId.toInt()), buffer.data());
}
