#include "bridge/settings/SharedSettings.h"

#include "bridge/ProfileStore.h"
#include "bridge/TransportRef.h"
#include "device/DeviceKind.h"
#include "device/Hid_Thread.h"

SharedSettings::SharedSettings(ProfileStore &profiles, const TransportRef &transport)
    : m_profiles(profiles), m_transport(transport)
{
}

void SharedSettings::setReportRate(uchar rate)
{
    Hid_Thread *hid = m_transport.get();
    if (hid && hid->currentDevice() == DeviceKind::Mouse)
        m_profiles.current().setValue(QStringLiteral("sensor/reportRate_V7"), int(rate));
    if (hid)
        hid->hid_01H_SetReportRate(rate);
}

void SharedSettings::setCurrentProfile(int profile)
{
    if (!m_profiles.select(profile))
        return;
    Hid_Thread *hid = m_transport.get();
    if (hid && hid->currentDevice() == DeviceKind::Keyboard)
        hid->hid_02H_SetCurrentProfile(uchar(profile & 0xFF));
}

// Outputs start at zero, so a command that cannot run returns zeros.

QString SharedSettings::firmwareVersion() const
{
    QString version;
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_80H_GetFWVersion(version);
    return version;
}

QVariant SharedSettings::reportRate() const
{
    Hid_Thread *hid = m_transport.get();
    uchar rate = 0;
    if (hid && hid->currentDevice() == DeviceKind::Keyboard)
        hid->hid_81H_GetReportRate(rate);
    else if (hid && hid->currentDevice() == DeviceKind::Mouse)
        rate =
            uchar(m_profiles.current().value(QStringLiteral("sensor/reportRate_V7"), 0).toUInt());
    return int(rate);
}

QVariant SharedSettings::deviceProfile() const
{
    uchar profile = 0;
    if (Hid_Thread *hid = m_transport.get())
        hid->hid_82H_GetCurrentProfile(profile);
    return int(profile);
}

QVariantList SharedSettings::keyDefine(const QVariant &matrixId) const
{
    Hid_Thread *hid = m_transport.get();
    if (!hid)
        return {};
    const QString id = QString::number(matrixId.toInt());
    switch (hid->currentDevice()) {
    case DeviceKind::Keyboard:
        return m_profiles.current().value(QStringLiteral("keydefine/") + id).toList();
    case DeviceKind::Mouse:
        return m_profiles.current().value(QStringLiteral("keydefine_V7/") + id).toList();
    default:
        return {};
    }
}
