#include "bridge/RecoilControl.h"

#include "bridge/RecoilStore.h"
#include "bridge/TransportRef.h"
#include "bridge/settings/KeyboardSettings.h"
#include "device/Hid_Thread.h"

RecoilControl::RecoilControl(const TransportRef &transport, KeyboardSettings &commands)
    : m_transport(transport), m_commands(commands)
{
}

QVariantList RecoilControl::gunData(const QVariant &gameNo) const
{
    return RecoilStore().gunData(gameNo);
}

void RecoilControl::saveGunData(const QVariant &gameNo, const QVariantList &gunData) const
{
    RecoilStore().saveGunData(gameNo, gunData);
}

QVariantList RecoilControl::selection(const QVariant &selGun) const
{
    return RecoilStore().selection(selGun);
}

void RecoilControl::saveSelection(const QVariant &selGun, const QVariantList &gunData) const
{
    RecoilStore().saveSelection(selGun, gunData);
}

void RecoilControl::setPressGun(uchar xOffset, uchar yOffset, uchar times, uchar enable,
                                uchar cursorBack, uchar fireKey)
{
    if (!m_transport.get())
        return;
    const QVariantList options = m_commands.option();
    // Without the option bytes, writing them back would overwrite them with zeros.
    if (!m_transport.get()->lastGetSucceeded())
        return;
    uchar o[4] = {};
    for (int i = 0; i < 4; ++i)
        o[i] = uchar(options.value(i).toUInt());
    o[3] = enable ? uchar(o[3] | 0x08) : uchar(o[3] & ~0x08);
    m_commands.setOption(o[0], o[1], o[2], o[3]);
    // The option byte says the vertical pull runs upwards on this mouse.
    const uchar y = o[2] ? uchar(-int(yOffset)) : yOffset;
    m_commands.setButtonSensitivity(cursorBack, times, xOffset, y, fireKey);
}
