#pragma once

#include "bridge/KeyNameMap.h"
#include "bridge/MacroControl.h"
#include "bridge/ProfileStore.h"
#include "bridge/RecoilControl.h"
#include "bridge/SceneInputQueue.h"
#include "bridge/TransportRef.h"
#include "bridge/audio/SoundEffects.h"
#include "bridge/desktop/PointerControl.h"
#include "bridge/i18n/Languages.h"
#include "bridge/settings/KeyboardSettings.h"
#include "bridge/settings/MouseSettings.h"
#include "bridge/settings/SharedSettings.h"

#include <QQuickWidget>
#include <QSettings>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <memory>

class Hid_Thread;

// The QML scene and everything it calls, published to QML as "ui_View". Each slot hands the
// call to the object that owns its concern; this class only wires them together.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT
public:
    explicit myQQuickView(QWidget *parent = nullptr);
    ~myQQuickView() override;

    void setTransport(Hid_Thread *hid) { m_transport.set(hid); }
    Hid_Thread *transport() const { return m_transport.get(); }

    // Key and button events into the scene's root item, queued in order.
    void detectKeyboard(bool isDown, uchar usbCode);
    void detectMouse(bool isDown, uint button, uint x, uint y);

    QSettings &apConfigHandle() { return m_profiles.apConfig(); }
    // The Profile File at the Current Profile Index.
    QSettings &currentProfile() { return m_profiles.current(); }
    int currentProfileIndex() const { return m_profiles.currentIndex(); }
    // Message String i of the language last loaded by getGlobalStrings; empty before that.
    QString messageString(int i) const { return m_languages.messageString(i); }
    const KeyNameMap &keyNames() const { return m_keyNames; }
    // Replaces the five sound players (tests install a recording fake).
    void setSoundPlayers(std::unique_ptr<SoundPlayers> players)
    {
        m_sound.setPlayers(std::move(players));
    }
    // Replaces the desktop's pointer settings (tests install a fake).
    void setPointerSettings(std::unique_ptr<PointerSettings> settings)
    {
        m_pointer.setSettings(std::move(settings));
    }

public slots:
    // Start sequence.
    void syncFW();
    void initUI();
    void runUI();
    bool getIsSkinShow();

    // Profile store.
    void saveApConfig(QVariantList apConfigs);
    QVariantList loadApConfig();
    QVariantList loadDeviceApConfig();
    void resetApconfig();
    QVariantList loadDefaultProfile(uchar uiPageId);
    void loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);

    // Device-setting bridge.
    void ui_01H_SetReportRate(uchar rate);
    void ui_02H_SetCurrentProfile(int profile);
    void ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void ui_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                     uchar index);
    void ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty);
    void ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                           uchar direction);
    void ui_09H_SetKeyboardMode(uchar mode);
    void ui_0DH_SetKeyMatrix(QVariantList src512);
    void ui_0EH_SetKeyOnOff(QVariantList src21);
    void ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src512);
    void ui_13H_SetRecoveryData();
    void ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue);
    void setScrollPinSwap(bool isSwap);
    void ui_0BH_SetCurrentDPIStage(uchar dpiStage);
    void ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2, QVariantList configs);
    void ui_10H_SetLED8StageColor(uchar type, QVariantList src24);
    void ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex);
    void ui_12H_SetKeyMatrix(QVariantList src64);
    QString ui_80H_GetFWVersion();
    QVariant ui_81H_GetReportRate();
    QVariant ui_82H_GetCurrentProfile();
    QVariantList ui_83H_GetKeyboardoption();
    QVariantList ui_84H_GetButtonSensitivity();
    QVariantList ui_88H_GetLEDType();
    QVariant ui_89H_GetKeyboardMode();
    QVariantList ui_8DH_GetKeyMatrix();
    QVariantList ui_8EH_GetKeyOnOff();
    QVariantList ui_91H_GetMacroKey(uchar macroId);
    QVariantList ui_92H_GetUserPicture(uchar index);
    QVariantList ui_94H_GetColor(uchar index);
    QVariant getSensorType();
    bool chkIsLogoLedWork();
    bool getMsgAns_FoolProofing();
    bool getScrollPinSwap();
    QVariant ui_8BH_GetCurrentDPIStage();
    QVariantList ui_8DH_GetRGBLedEffect();
    QVariantList ui_90H_GetLED8StageColor(uchar type);
    uchar ui_91H_SyncDPI();
    QVariantList ui_91H_GetDPISet();
    QVariantList ui_92H_GetKeyMatrix();
    QVariantList ui_93H_GetMacroKey(uchar macroId);

    // Macro store.
    QVariant createMacroIni();
    QVariant deleteMacroIni(QVariant name);
    QStringList getMacroIniNames();
    void renameMacroIniFile(QVariant oldName, QVariant newName);
    QStringList loadMacroIni(QVariant name);
    QVariant saveMacroIni(QVariant name, QStringList macros);
    QVariantList loadMacroIniConfig(QVariant name);
    void setMacroIniConfig(QVariant name, QVariantList config);
    QVariant loadMacroIniFromFile();
    void saveMacroIniToFile(QVariant name);
    QList<uchar> macroIncode(QStringList macros);
    void ui_11H_SetMacroKey(QVariant macroId, QVariant name);
    void ui_13H_SetMacroKey(QVariant macroId, QVariant name);

    // Recoil data.
    QVariantList getGundata(QVariant gameNo);
    void saveGundata(QVariant gameNo, QVariantList gunData);
    QVariantList getSelGundata(QVariant selGun);
    void saveSelGundata(QVariant selGun, QVariantList gunData);
    void v7_0CH_SetPressGun(uchar xOffset, uchar yOffset, uchar times, uchar enable,
                            uchar cursorBack, uchar fireKey);

    // Languages and UI strings.
    QVariantMap chkLanguages();
    QStringList getGlobalStrings(QString langCode);
    QStringList getProductLayoutStrings_V7(QString langCode);
    QString getCustomFilePath();

    // Key names.
    QVariantList getKeydefine(QVariant matrixId);

    // Audio feedback.
    void setEnableAudio(bool isEnable);
    void playMedia_Index(uchar index);
    void playMedia_Background();
    void clearAllMedia();

    // Pointer settings.
    void setCursorSpeed(uint cursorSpeed);
    uint getCursorSpeed();
    void setVerticalScrollLines(uint lines);
    uint getVerticalScrollLines();
    void setDoubleClickSpeed(uint speed);
    uint getDoubleClickSpeed();
    void setAcceleration(bool acceleration);
    bool getAcceleration();

private:
    // Queues a call of a root function without arguments.
    void invokeRoot(const char *function);

    // Declared in the order they depend on each other.
    TransportRef m_transport;
    SceneInputQueue m_input;
    KeyNameMap m_keyNames;
    Languages m_languages;
    ProfileStore m_profiles{m_languages};
    SharedSettings m_shared{m_profiles, m_transport};
    KeyboardSettings m_keyboard{m_profiles, m_transport};
    MouseSettings m_mouse{m_profiles, m_transport, m_languages};
    MacroControl m_macros{m_transport, m_keyNames, m_languages};
    RecoilControl m_recoil{m_transport, m_keyboard};
    SoundEffects m_sound;
    PointerControl m_pointer{m_profiles};
};
