#include "bridge/settings/KeyboardSettings.h"

#include "bridge/DeviceBytes.h"
#include "bridge/ProfileStore.h"
#include "bridge/TransportRef.h"
#include "bridge/settings/ProfileKey.h"
#include "device/DeviceKind.h"
#include "device/Hid_Thread.h"

#include <array>

KeyboardSettings::KeyboardSettings(ProfileStore &profiles, const TransportRef &transport)
    : m_profiles(profiles), m_transport(transport)
{
}

// Setters.

void KeyboardSettings::setOption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

void KeyboardSettings::setButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                            uchar index)
{
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_04H_SetButtonSensitivity(sens1, sens2, sens3, sens4, index);
}

void KeyboardSettings::setIndicatorLight(uchar effect, uchar frequenty)
{
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_07H_SetControlIndicatorLight(effect, frequenty);
}

void KeyboardSettings::setLedType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                                  uchar direction)
{
    m_profiles.current().setValue(
        QStringLiteral("color/ledType"),
        QVariantList{int(effect), int(speed), int(light), int(color), int(direction)});
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_08H_SetLEDType(option, effect, speed, light, color, direction);
}

void KeyboardSettings::setMode(uchar mode)
{
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_09H_SetKeyboardMode(mode);
}

void KeyboardSettings::setKeyMatrix(const QVariantList &src512)
{
    for (int n = 0; n < 126; ++n)
        m_profiles.current().setValue(profileKey("keydefine/", n), src512.mid(4 * n, 4));
    auto bytes = DeviceBytes::fromList<512>(src512);
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_0DH_SetKeyMatrix(bytes.data());
}

void KeyboardSettings::setKeyOnOff(const QVariantList &src21)
{
    auto bytes = DeviceBytes::fromList<21>(src21);
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_0EH_SetKeyOnOff(bytes.data());
}

void KeyboardSettings::setUserPicture(uchar index, uchar option, const QVariantList &src512)
{
    m_profiles.current().setValue(profileKey("userPicture/", index), src512);
    if (option == 255)
        return;
    auto bytes = DeviceBytes::fromList<512>(src512);
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_12H_SetUserPicture(index, option, bytes.data());
}

void KeyboardSettings::setRecoveryData()
{
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_13H_SetRecoveryData();
}

void KeyboardSettings::setColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
{
    m_profiles.current().setValue(profileKey("color/", index),
                                  QVariantList{int(rValue), int(gValue), int(bValue)});
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_14H_SetColor(index, rValue, gValue, bValue);
}

// Getters. Outputs start at zero, so a command that cannot run returns zeros.

QVariantList KeyboardSettings::option() const
{
    uchar b[4] = {};
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_83H_GetKeyboardoption(b[0], b[1], b[2], b[3]);
    return DeviceBytes::toList(b, 4);
}

QVariantList KeyboardSettings::buttonSensitivity() const
{
    uchar s[4] = {};
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_84H_GetButtonSensitivity(s[0], s[1], s[2], s[3]);
    return DeviceBytes::toList(s, 4);
}

QVariantList KeyboardSettings::ledType() const
{
    return m_profiles.current().value(QStringLiteral("color/ledType"), 0).toList();
}

QVariant KeyboardSettings::mode() const
{
    uchar mode = 0;
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_89H_GetKeyboardMode(mode);
    return int(mode);
}

QVariantList KeyboardSettings::keyMatrix() const
{
    std::array<uchar, 512> bytes{};
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_8DH_GetKeyMatrix(bytes.data());
    return DeviceBytes::toList(bytes.data(), bytes.size());
}

QVariantList KeyboardSettings::keyOnOff() const
{
    std::array<uchar, 21> bytes{};
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_8EH_GetKeyOnOff(bytes.data());
    return DeviceBytes::toList(bytes.data(), bytes.size());
}

QVariantList KeyboardSettings::macroKey(uchar macroId) const
{
    std::array<uchar, 192> bytes{};
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_91H_GetMacroKey(macroId, bytes.data());
    return DeviceBytes::toList(bytes.data(), bytes.size());
}

QVariantList KeyboardSettings::userPicture(uchar index) const
{
    return m_profiles.current().value(profileKey("userPicture/", index), 0).toList();
}

QVariantList KeyboardSettings::color(uchar index) const
{
    return m_profiles.current().value(profileKey("color/", index), 0).toList();
}

void KeyboardSettings::syncPictures()
{
    Hid_Thread *hid = m_transport.get();
    if (!hid || hid->currentDevice() != DeviceKind::Keyboard)
        return;
    uchar buffer[512] = {};
    for (int n = 0; n < 5; ++n) {
        hid->hid_92H_GetUserPicture(uchar(n), buffer);
        // A failed read would store the previous picture's bytes under this one.
        if (!hid->lastGetSucceeded())
            continue;
        QVariantList picture;
        picture.reserve(512);
        for (uchar b : buffer)
            picture.append(int(b));
        m_profiles.current().setValue(QStringLiteral("userPicture/") + QString::number(n), picture);
    }
}
