#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

class ProfileStore;
class TransportRef;

// The commands both devices answer (01H, 02H, 80H to 82H), and the stored key matrix of
// whichever device is current. Where the devices differ, the current one decides.
class SharedSettings
{
public:
    SharedSettings(ProfileStore &profiles, const TransportRef &transport);

    // 01H; for the mouse the profile keeps the rate too, and answers for it.
    void setReportRate(uchar rate);
    // Makes the profile current; only the keyboard is told (02H).
    void setCurrentProfile(int profile);

    QString firmwareVersion() const;
    // 81H from the keyboard, the profile's value for the mouse.
    QVariant reportRate() const;
    QVariant deviceProfile() const;
    // One key of the profile's matrix for the current device; empty without a device.
    QVariantList keyDefine(const QVariant &matrixId) const;

private:
    ProfileStore &m_profiles;
    const TransportRef &m_transport;
};
