#include "bridge/myQQuickView.h"

#include "bridge/MacroEncoder.h"
#include "bridge/MacroStore.h"
#include "bridge/UserFile.h"
#include "device/DeviceKind.h"
#include "device/Hid_Thread.h"
#include "platform/Dialogs.h"

#include <QStandardPaths>

#include <algorithm>
#include <array>

namespace {

constexpr int kKeyboardPayload = 192;
constexpr int kMousePayload = 128;
constexpr int kKeyboardSlots = 35; // slot numbers 0 to 34 as sent with 11H
constexpr int kMouseSlots = 12;    // stored as slot less one

int deviceKind(const myQQuickView &view)
{
    return view.transport() ? int(view.transport()->currentDevice()) : -1;
}

QString desktop()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

// The stream cut or padded with zeros to the payload size.
template <size_t N> std::array<uchar, N> payload(const QList<uchar> &stream)
{
    std::array<uchar, N> buffer{};
    std::copy_n(stream.begin(), std::min<qsizetype>(stream.size(), N), buffer.begin());
    return buffer;
}

// A Macro File's device bytes, with a box when they overflow the device's slot.
QList<uchar> encodeForSlot(myQQuickView &view, const QVariant &name, int capacity,
                           const QString &title, const QString &text)
{
    QList<uchar> stream = view.macroIncode(view.loadMacroIni(name));
    if (stream.size() > capacity)
        Dialogs::instance().warning(title, text);
    return stream;
}

} // namespace

QVariant myQQuickView::createMacroIni()
{
    return MacroStore().create();
}

QVariant myQQuickView::deleteMacroIni(QVariant name)
{
    return MacroStore().remove(name.toString());
}

QStringList myQQuickView::getMacroIniNames()
{
    return MacroStore().names();
}

void myQQuickView::renameMacroIniFile(QVariant oldName, QVariant newName)
{
    MacroStore().rename(oldName.toString(), newName.toString());
}

QStringList myQQuickView::loadMacroIni(QVariant name)
{
    return MacroStore().script(name.toString());
}

QVariant myQQuickView::saveMacroIni(QVariant name, QStringList macros)
{
    const MacroStore store;
    if (!store.saveScript(name.toString(), macros))
        return false;
    // Put the edited macro back into the device slot it is bound to.
    const int index = store.boundIndex(name.toString());
    const int kind = deviceKind(*this);
    if (kind == DeviceKind::Keyboard && index >= 0 && index < kKeyboardSlots)
        ui_11H_SetMacroKey(index, name);
    else if (kind == DeviceKind::Mouse && index >= 0 && index < kMouseSlots)
        ui_13H_SetMacroKey(index + 1, name);
    return true;
}

QVariantList myQQuickView::loadMacroIniConfig(QVariant name)
{
    return MacroStore().config(name.toString(), deviceKind(*this));
}

void myQQuickView::setMacroIniConfig(QVariant name, QVariantList config)
{
    MacroStore().setConfig(name.toString(), config, deviceKind(*this));
}

QVariant myQQuickView::loadMacroIniFromFile()
{
    const QString chosen =
        Dialogs::instance().openFileName(tr("Open File"), desktop(), tr("Macro(*.bin)"));
    if (chosen.isEmpty())
        return QString();
    const MacroStore store;
    const QString name = MacroStore::importName(chosen);
    if (!UserFile::isIniWithGroup(chosen, {QStringLiteral("config")}) || !store.path(name)) {
        Dialogs::instance().warning(messageString(6), messageString(8).arg(chosen));
        return QString();
    }
    if (store.exists(name) &&
        !Dialogs::instance().question(messageString(11), messageString(12).arg(name), false))
        return QString();
    const QString imported = store.importFile(chosen);
    if (imported.isEmpty())
        Dialogs::instance().warning(messageString(6), messageString(10).arg(*store.path(name)));
    return imported;
}

void myQQuickView::saveMacroIniToFile(QVariant name)
{
    const MacroStore store;
    if (!store.exists(name.toString()))
        return;
    const QString chosen =
        Dialogs::instance().saveFileName(tr("Save File"), desktop(), tr("Macro(*.bin)"));
    if (!chosen.isEmpty() && !store.exportFile(name.toString(), chosen))
        Dialogs::instance().warning(messageString(9), messageString(10).arg(chosen));
}

QList<uchar> myQQuickView::macroIncode(QStringList macros)
{
    return MacroEncoder(keyNames(), deviceKind(*this)).encode(macros);
}

void myQQuickView::ui_11H_SetMacroKey(QVariant macroId, QVariant name)
{
    if (!MacroStore().path(name.toString()))
        return;
    const QList<uchar> stream =
        encodeForSlot(*this, name, kKeyboardPayload, messageString(0), messageString(1));
    auto buffer = payload<kKeyboardPayload>(stream);
    if (transport())
        transport()->hid_11H_SetMacroKey(uchar(macroId.toInt()), buffer.data());
}

void myQQuickView::ui_13H_SetMacroKey(QVariant macroId, QVariant name)
{
    const MacroStore store;
    if (!store.path(name.toString()))
        return;
    QList<uchar> stream = encodeForSlot(*this, name, kMousePayload, tr("MACRO"),
                                        tr("Out of memory,\nsome command line has been cut."));
    // The mouse keeps the repeat count in the header.
    const uint repeat = store.repeat(name.toString());
    stream[0] = uchar((repeat / 256) % 256);
    stream[1] = uchar(repeat % 256);
    auto buffer = payload<kMousePayload>(stream);
    if (transport())
        transport()->hid_13H_SetMacroKey(uchar(macroId.toInt()), buffer.data());
}
