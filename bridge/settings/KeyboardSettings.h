#pragma once

#include <QVariant>
#include <QVariantList>

class ProfileStore;
class TransportRef;

// The keyboard's commands. Setters keep the value in the current profile where it has one,
// then send it; getters ask the keyboard or return what the profile keeps.
class KeyboardSettings
{
public:
    KeyboardSettings(ProfileStore &profiles, const TransportRef &transport);

    void setOption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void setButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4, uchar index);
    void setIndicatorLight(uchar effect, uchar frequenty);
    void setLedType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                    uchar direction);
    void setMode(uchar mode);
    void setKeyMatrix(const QVariantList &src512);
    void setKeyOnOff(const QVariantList &src21);
    // Option 255 only stores the picture.
    void setUserPicture(uchar index, uchar option, const QVariantList &src512);
    void setRecoveryData();
    void setColor(uchar index, uchar rValue, uchar gValue, uchar bValue);

    QVariantList option() const;
    QVariantList buttonSensitivity() const;
    QVariantList ledType() const;
    QVariant mode() const;
    QVariantList keyMatrix() const;
    QVariantList keyOnOff() const;
    QVariantList macroKey(uchar macroId) const;
    QVariantList userPicture(uchar index) const;
    QVariantList color(uchar index) const;

    // Copies the keyboard's five user pictures into the current profile.
    void syncPictures();

private:
    ProfileStore &m_profiles;
    const TransportRef &m_transport;
};
