#include "bridge/settings/MouseSettings.h"

#include "bridge/DeviceBytes.h"
#include "bridge/ProfileStore.h"
#include "bridge/RecoilStore.h"
#include "bridge/TransportRef.h"
#include "bridge/ViewText.h"
#include "bridge/i18n/Languages.h"
#include "bridge/settings/ProfileKey.h"
#include "device/Hid_Thread.h"
#include "platform/Dialogs.h"

#include <array>

namespace {

QVariantList toUInts(const QVariantList &list)
{
    QVariantList out;
    out.reserve(list.size());
    for (const QVariant &v : list)
        out.append(v.toUInt());
    return out;
}

} // namespace

MouseSettings::MouseSettings(ProfileStore &profiles, const TransportRef &transport,
                             const Languages &languages)
    : m_profiles(profiles), m_transport(transport), m_languages(languages)
{
}

// Setters.

void MouseSettings::setDpiStage(uchar dpiStage)
{
    m_profiles.current().setValue(QStringLiteral("sensor/stage_V7"), int(dpiStage));
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_0BH_SetCurrentDPIStage(dpiStage);
}

void MouseSettings::setRgbLedEffect(uchar effect, uchar option1, uchar option2,
                                    const QVariantList &configs)
{
    m_profiles.current().setValue(QStringLiteral("color_V7/ledEffect"), configs);
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_0DH_SetRGBLedEffect(effect, option1, option2);
}

void MouseSettings::setStageColors(uchar type, const QVariantList &src24)
{
    m_profiles.current().setValue(profileKey("color_V7/type", type), src24);
    auto bytes = DeviceBytes::stageColors(type, src24);
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_10H_SetLED8StageColor(type, bytes.data());
}

void MouseSettings::setDpiSet(uchar dpiStage, const QVariantList &src8,
                              const QVariantList &valueForIndex)
{
    m_profiles.current().setValue(QStringLiteral("sensor/dpi_V7"), valueForIndex);
    auto bytes = DeviceBytes::fromList<8>(src8);
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_11H_SetDPISet(dpiStage, bytes.data());
}

void MouseSettings::setKeyMatrix(const QVariantList &src64)
{
    const RecoilStore recoil;
    const std::array<QVariantList, 3> selections = {recoil.selection(0), recoil.selection(1),
                                                    recoil.selection(2)};
    for (int n = 0; n < 16; ++n)
        m_profiles.current().setValue(profileKey("keydefine_V7/", n), src64.mid(4 * n, 4));
    auto k = DeviceBytes::keyLayers(src64, selections);
    Hid_Thread *hid = m_transport.get();
    if (!hid)
        return;
    // Four Set commands in a row: the transport runs them one after another, in this order.
    hid->hid_12H_SetKeyMatrix(k.base.data(), 1);
    if (!k.weaponLayers)
        return;
    for (int l = 0; l < 3; ++l)
        hid->hid_12H_SetKeyMatrix(k.layers[size_t(l)].data(), uchar(l + 2));
}

void MouseSettings::setScrollSwap(bool isSwap)
{
    m_profiles.current().setValue(QStringLiteral("keydefine_V7/scrollswap"), isSwap);
    Hid_Thread *hid = m_transport.get();
    if (!hid)
        return;
    // Sensor type, report rate and option2 are written back as read: after a failed read they
    // would be overwritten with zeros, so nothing is sent then.
    uchar type = 0, option1 = 0, option2 = 0, rate = 0;
    hid->hid_83H_GetFunctionOption(type, option1, option2);
    if (!hid->lastGetSucceeded())
        return;
    hid->hid_81H_GetReportRate(rate);
    if (!hid->lastGetSucceeded())
        return;
    hid->hid_03H_SetFunctionOption(type, rate, DeviceBytes::scrollSwapOption(option1, isSwap),
                                   option2);
}

// Getters. Outputs start at zero, so a command that cannot run returns zeros.

QVariant MouseSettings::dpiStage() const
{
    return int(uchar(m_profiles.current().value(QStringLiteral("sensor/stage_V7"), 0).toUInt()));
}

QVariantList MouseSettings::rgbLedEffect() const
{
    return toUInts(m_profiles.current().value(QStringLiteral("color_V7/ledEffect"), 0).toList());
}

QVariantList MouseSettings::stageColors(uchar type) const
{
    return toUInts(m_profiles.current().value(profileKey("color_V7/type", type), 0).toList());
}

uchar MouseSettings::syncDpi() const
{
    uchar stages = 0;
    std::array<uchar, 8> bytes{};
    Hid_Thread *hid = m_transport.get();
    if (hid && hid->hid_91H_GetDPISet(stages, bytes.data()))
        return stages;
    return 8;
}

QVariantList MouseSettings::dpiSet() const
{
    return m_profiles.current().value(QStringLiteral("sensor/dpi_V7")).toList();
}

QVariantList MouseSettings::keyMatrix() const
{
    std::array<uchar, 64> bytes{};
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_92H_GetKeyMatrix(bytes.data());
    return DeviceBytes::toList(bytes.data(), bytes.size());
}

QVariantList MouseSettings::macroKey(uchar macroId) const
{
    std::array<uchar, 128> bytes{};
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_93H_GetMacroKey(macroId, bytes.data());
    return DeviceBytes::toList(bytes.data(), bytes.size());
}

QVariant MouseSettings::sensorType() const
{
    uchar type = 0, option1 = 0, option2 = 0;
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_83H_GetFunctionOption(type, option1, option2);
    return int(type);
}

bool MouseSettings::isLogoLedWorking() const
{
    uchar option1 = 0, option2 = 0, option3 = 0;
    Hid_Thread *hid = m_transport.get();
    if (!hid || !hid->hid_87H_GetLEDInstructFunction(0, option1, option2, option3))
        return false;
    return option1 == 0;
}

bool MouseSettings::scrollSwap() const
{
    return m_profiles.current().value(QStringLiteral("keydefine_V7/scrollswap"), false).toBool();
}

bool MouseSettings::confirmLastLeftButton() const
{
    const QString text = QStringLiteral("%1").arg(m_languages.messageString(5));
    const QString title = viewText("%1").arg(m_languages.messageString(4));
    return Dialogs::instance().question(title, text, false);
}
