#pragma once

#include <QVariant>
#include <QVariantList>

class Languages;
class ProfileStore;
class TransportRef;

// The mouse's commands. Setters keep the value in the current profile, then send it; getters
// ask the mouse or return what the profile keeps.
class MouseSettings
{
public:
    MouseSettings(ProfileStore &profiles, const TransportRef &transport,
                  const Languages &languages);

    void setDpiStage(uchar dpiStage);
    void setRgbLedEffect(uchar effect, uchar option1, uchar option2, const QVariantList &configs);
    void setStageColors(uchar type, const QVariantList &src24);
    void setDpiSet(uchar dpiStage, const QVariantList &src8, const QVariantList &valueForIndex);
    // The button table, with the weapon layers built from the Fire Key Selections.
    void setKeyMatrix(const QVariantList &src64);
    void setScrollSwap(bool isSwap);

    QVariant dpiStage() const;
    QVariantList rgbLedEffect() const;
    QVariantList stageColors(uchar type) const;
    // The number of DPI stages the mouse reports; 8 when it cannot be asked.
    uchar syncDpi() const;
    QVariantList dpiSet() const;
    QVariantList keyMatrix() const;
    QVariantList macroKey(uchar macroId) const;
    QVariant sensorType() const;
    bool isLogoLedWorking() const;
    bool scrollSwap() const;
    // Asks the user whether the last button that clicks left may take another function.
    bool confirmLastLeftButton() const;

private:
    ProfileStore &m_profiles;
    const TransportRef &m_transport;
    const Languages &m_languages;
};
