// The device-setting bridge: setters keep the value in the current profile, then send it;
// getters ask the device or return what the profile keeps.
#include "bridge/myQQuickView.h"

#include "bridge/DeviceBytes.h"
#include "device/DeviceKind.h"
#include "device/Hid_Thread.h"
#include "platform/Dialogs.h"

namespace {

QString key(const char *prefix, int index)
{
    return QLatin1String(prefix) + QString::number(index);
}

QVariantList toUInts(const QVariantList &list)
{
    QVariantList out;
    out.reserve(list.size());
    for (const QVariant &v : list)
        out.append(v.toUInt());
    return out;
}

} // namespace

// Setters.

void myQQuickView::ui_01H_SetReportRate(uchar rate)
{
    if (m_hid && m_hid->currentDevice() == DeviceKind::Mouse)
        currentProfile().setValue(QStringLiteral("sensor/reportRate_V7"), int(rate));
    if (m_hid)
        m_hid->hid_01H_SetReportRate(rate);
}

void myQQuickView::ui_02H_SetCurrentProfile(int profile)
{
    if (profile == m_currentProfile || profile < 0 || profile >= int(m_profiles.size()))
        return;
    m_currentProfile = profile;
    if (m_hid && m_hid->currentDevice() == DeviceKind::Keyboard)
        m_hid->hid_02H_SetCurrentProfile(uchar(profile & 0xFF));
}

void myQQuickView::ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (m_hid)
        m_hid->hid_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

void myQQuickView::ui_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                               uchar index)
{
    if (m_hid)
        m_hid->hid_04H_SetButtonSensitivity(sens1, sens2, sens3, sens4, index);
}

void myQQuickView::ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
{
    if (m_hid)
        m_hid->hid_07H_SetControlIndicatorLight(effect, frequenty);
}

void myQQuickView::ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light,
                                     uchar color, uchar direction)
{
    currentProfile().setValue(
        QStringLiteral("color/ledType"),
        QVariantList{int(effect), int(speed), int(light), int(color), int(direction)});
    if (m_hid)
        m_hid->hid_08H_SetLEDType(option, effect, speed, light, color, direction);
}

void myQQuickView::ui_09H_SetKeyboardMode(uchar mode)
{
    if (m_hid)
        m_hid->hid_09H_SetKeyboardMode(mode);
}

void myQQuickView::ui_0DH_SetKeyMatrix(QVariantList src512)
{
    for (int n = 0; n < 126; ++n)
        currentProfile().setValue(key("keydefine/", n), src512.mid(4 * n, 4));
    auto bytes = DeviceBytes::fromList<512>(src512);
    if (m_hid)
        m_hid->hid_0DH_SetKeyMatrix(bytes.data());
}

void myQQuickView::ui_0EH_SetKeyOnOff(QVariantList src21)
{
    auto bytes = DeviceBytes::fromList<21>(src21);
    if (m_hid)
        m_hid->hid_0EH_SetKeyOnOff(bytes.data());
}

void myQQuickView::ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src512)
{
    currentProfile().setValue(key("userPicture/", index), src512);
    if (option == 255)
        return;
    auto bytes = DeviceBytes::fromList<512>(src512);
    if (m_hid)
        m_hid->hid_12H_SetUserPicture(index, option, bytes.data());
}

void myQQuickView::ui_13H_SetRecoveryData()
{
    if (m_hid)
        m_hid->hid_13H_SetRecoveryData();
}

void myQQuickView::ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
{
    currentProfile().setValue(key("color/", index),
                              QVariantList{int(rValue), int(gValue), int(bValue)});
    if (m_hid)
        m_hid->hid_14H_SetColor(index, rValue, gValue, bValue);
}

void myQQuickView::setScrollPinSwap(bool isSwap)
{
    currentProfile().setValue(QStringLiteral("keydefine_V7/scrollswap"), isSwap);
    if (!m_hid)
        return;
    // Sensor type, report rate and option2 are written back as read: after a failed read they
    // would be overwritten with zeros, so nothing is sent then.
    uchar type = 0, option1 = 0, option2 = 0, rate = 0;
    m_hid->hid_83H_GetFunctionOption(type, option1, option2);
    if (!m_hid->lastGetSucceeded())
        return;
    m_hid->hid_81H_GetReportRate(rate);
    if (!m_hid->lastGetSucceeded())
        return;
    m_hid->hid_03H_SetFunctionOption(type, rate, DeviceBytes::scrollSwapOption(option1, isSwap),
                                     option2);
}

void myQQuickView::ui_0BH_SetCurrentDPIStage(uchar dpiStage)
{
    currentProfile().setValue(QStringLiteral("sensor/stage_V7"), int(dpiStage));
    if (m_hid)
        m_hid->hid_0BH_SetCurrentDPIStage(dpiStage);
}

void myQQuickView::ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2,
                                          QVariantList configs)
{
    currentProfile().setValue(QStringLiteral("color_V7/ledEffect"), configs);
    if (m_hid)
        m_hid->hid_0DH_SetRGBLedEffect(effect, option1, option2);
}

void myQQuickView::ui_10H_SetLED8StageColor(uchar type, QVariantList src24)
{
    currentProfile().setValue(key("color_V7/type", type), src24);
    auto bytes = DeviceBytes::stageColors(type, src24);
    if (m_hid)
        m_hid->hid_10H_SetLED8StageColor(type, bytes.data());
}

void myQQuickView::ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex)
{
    currentProfile().setValue(QStringLiteral("sensor/dpi_V7"), valueForIndex);
    auto bytes = DeviceBytes::fromList<8>(src8);
    if (m_hid)
        m_hid->hid_11H_SetDPISet(dpiStage, bytes.data());
}

void myQQuickView::ui_12H_SetKeyMatrix(QVariantList src64)
{
    const std::array<QVariantList, 3> selections = {getSelGundata(0), getSelGundata(1),
                                                    getSelGundata(2)};
    for (int n = 0; n < 16; ++n)
        currentProfile().setValue(key("keydefine_V7/", n), src64.mid(4 * n, 4));
    auto k = DeviceBytes::keyLayers(src64, selections);
    if (!m_hid)
        return;
    // Four Set commands in a row: the transport runs them one after another, in this order.
    m_hid->hid_12H_SetKeyMatrix(k.base.data(), 1);
    if (!k.weaponLayers)
        return;
    for (int l = 0; l < 3; ++l)
        m_hid->hid_12H_SetKeyMatrix(k.layers[size_t(l)].data(), uchar(l + 2));
}

// Getters. Outputs start at zero, so a command that cannot run returns zeros.

QString myQQuickView::ui_80H_GetFWVersion()
{
    QString version;
    if (m_hid)
        m_hid->hid_80H_GetFWVersion(version);
    return version;
}

QVariant myQQuickView::ui_81H_GetReportRate()
{
    uchar rate = 0;
    if (m_hid && m_hid->currentDevice() == DeviceKind::Keyboard)
        m_hid->hid_81H_GetReportRate(rate);
    else if (m_hid && m_hid->currentDevice() == DeviceKind::Mouse)
        rate = uchar(currentProfile().value(QStringLiteral("sensor/reportRate_V7"), 0).toUInt());
    return int(rate);
}

QVariant myQQuickView::ui_82H_GetCurrentProfile()
{
    uchar profile = 0;
    if (m_hid)
        m_hid->hid_82H_GetCurrentProfile(profile);
    return int(profile);
}

QVariantList myQQuickView::ui_83H_GetKeyboardoption()
{
    uchar b[4] = {};
    if (m_hid)
        m_hid->hid_83H_GetKeyboardoption(b[0], b[1], b[2], b[3]);
    return DeviceBytes::toList(b, 4);
}

QVariantList myQQuickView::ui_84H_GetButtonSensitivity()
{
    uchar s[4] = {};
    if (m_hid)
        m_hid->hid_84H_GetButtonSensitivity(s[0], s[1], s[2], s[3]);
    return DeviceBytes::toList(s, 4);
}

QVariantList myQQuickView::ui_88H_GetLEDType()
{
    return currentProfile().value(QStringLiteral("color/ledType"), 0).toList();
}

QVariant myQQuickView::ui_89H_GetKeyboardMode()
{
    uchar mode = 0;
    if (m_hid)
        m_hid->hid_89H_GetKeyboardMode(mode);
    return int(mode);
}

QVariantList myQQuickView::ui_8DH_GetKeyMatrix()
{
    std::array<uchar, 512> bytes{};
    if (m_hid)
        m_hid->hid_8DH_GetKeyMatrix(bytes.data());
    return DeviceBytes::toList(bytes.data(), bytes.size());
}

QVariantList myQQuickView::ui_8EH_GetKeyOnOff()
{
    std::array<uchar, 21> bytes{};
    if (m_hid)
        m_hid->hid_8EH_GetKeyOnOff(bytes.data());
    return DeviceBytes::toList(bytes.data(), bytes.size());
}

QVariantList myQQuickView::ui_91H_GetMacroKey(uchar macroId)
{
    std::array<uchar, 192> bytes{};
    if (m_hid)
        m_hid->hid_91H_GetMacroKey(macroId, bytes.data());
    return DeviceBytes::toList(bytes.data(), bytes.size());
}

QVariantList myQQuickView::ui_92H_GetUserPicture(uchar index)
{
    return currentProfile().value(key("userPicture/", index), 0).toList();
}

QVariantList myQQuickView::ui_94H_GetColor(uchar index)
{
    return currentProfile().value(key("color/", index), 0).toList();
}

QVariant myQQuickView::getSensorType()
{
    uchar type = 0, option1 = 0, option2 = 0;
    if (m_hid)
        m_hid->hid_83H_GetFunctionOption(type, option1, option2);
    return int(type);
}

bool myQQuickView::chkIsLogoLedWork()
{
    uchar option1 = 0, option2 = 0, option3 = 0;
    if (!m_hid || !m_hid->hid_87H_GetLEDInstructFunction(0, option1, option2, option3))
        return false;
    return option1 == 0;
}

bool myQQuickView::getMsgAns_FoolProofing()
{
    const QString text = QStringLiteral("%1").arg(messageString(5));
    const QString title = tr("%1").arg(messageString(4));
    return Dialogs::instance().question(title, text, false);
}

bool myQQuickView::getScrollPinSwap()
{
    return currentProfile().value(QStringLiteral("keydefine_V7/scrollswap"), false).toBool();
}

QVariant myQQuickView::ui_8BH_GetCurrentDPIStage()
{
    return int(uchar(currentProfile().value(QStringLiteral("sensor/stage_V7"), 0).toUInt()));
}

QVariantList myQQuickView::ui_8DH_GetRGBLedEffect()
{
    return toUInts(currentProfile().value(QStringLiteral("color_V7/ledEffect"), 0).toList());
}

QVariantList myQQuickView::ui_90H_GetLED8StageColor(uchar type)
{
    return toUInts(currentProfile().value(key("color_V7/type", type), 0).toList());
}

uchar myQQuickView::ui_91H_SyncDPI()
{
    uchar stages = 0;
    std::array<uchar, 8> bytes{};
    if (m_hid && m_hid->hid_91H_GetDPISet(stages, bytes.data()))
        return stages;
    return 8;
}

QVariantList myQQuickView::ui_91H_GetDPISet()
{
    return currentProfile().value(QStringLiteral("sensor/dpi_V7")).toList();
}

QVariantList myQQuickView::ui_92H_GetKeyMatrix()
{
    std::array<uchar, 64> bytes{};
    if (m_hid)
        m_hid->hid_92H_GetKeyMatrix(bytes.data());
    return DeviceBytes::toList(bytes.data(), bytes.size());
}

QVariantList myQQuickView::ui_93H_GetMacroKey(uchar macroId)
{
    std::array<uchar, 128> bytes{};
    if (m_hid)
        m_hid->hid_93H_GetMacroKey(macroId, bytes.data());
    return DeviceBytes::toList(bytes.data(), bytes.size());
}
