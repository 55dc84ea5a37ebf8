#pragma once

#include <QVariant>
#include <QVariantList>

class KeyboardSettings;
class TransportRef;

// The Recoil Data as the scene edits it, and the press-gun setting, which rides on the option
// and sensitivity commands.
class RecoilControl
{
public:
    RecoilControl(const TransportRef &transport, KeyboardSettings &commands);

    QVariantList gunData(const QVariant &gameNo) const;
    void saveGunData(const QVariant &gameNo, const QVariantList &gunData) const;
    QVariantList selection(const QVariant &selGun) const;
    void saveSelection(const QVariant &selGun, const QVariantList &gunData) const;

    void setPressGun(uchar xOffset, uchar yOffset, uchar times, uchar enable, uchar cursorBack,
                     uchar fireKey);

private:
    const TransportRef &m_transport;
    KeyboardSettings &m_commands;
};
