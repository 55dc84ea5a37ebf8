#pragma once

#include "bridge/audio/SoundPlayers.h"
#include "bridge/desktop/PointerSettings.h"

#include "bridge/KeyNameMap.h"

#include <QQuickWidget>
#include <QSettings>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <memory>
#include <vector>

class Hid_Thread;

// The QML scene and everything it calls: the storage and device-setting slots published to QML
// as "ui_View". One class; its sources are split by concern (myQQuickView*.cpp).
class myQQuickView : public QQuickWidget
{
    Q_OBJECT
public:
    explicit myQQuickView(QWidget *parent = nullptr);
    ~myQQuickView() override;

    void setTransport(Hid_Thread *hid) { m_hid = hid; }
    Hid_Thread *transport() const { return m_hid; }

    // Calls into the scene's root item, queued.
    void detectKeyboard(bool isDown, uchar usbCode);
    void detectMouse(bool isDown, uint button, uint x, uint y);

    QSettings &apConfigHandle() { return *m_apConfig; }
    // The Profile File at the Current Profile Index.
    QSettings &currentProfile() { return *m_profiles[size_t(m_currentProfile)]; }
    int currentProfileIndex() const { return m_currentProfile; }

public slots:
    // Start sequence.
    void syncFW();
    void initUI();
    void runUI();
    bool getIsSkinShow();

    // Profile store.

    // Device-setting bridge.

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
    void invokeRoot(const char *function, Qt::ConnectionType type, const QVariantList &args = {});

    Hid_Thread *m_hid = nullptr;
    std::unique_ptr<QSettings> m_apConfig;
    std::vector<std::unique_ptr<QSettings>> m_profiles;
    int m_currentProfile = 0;

    // Members of the concerns below are added by their sources.

    // Macro store members.

    // Languages and UI strings members.
public:
    // Message String i of the language last loaded by getGlobalStrings; empty before that.
    QString messageString(int i) const;

private:
    QStringList m_messageStrings;

    // Key names members.
public:
    const KeyNameMap &keyNames() const { return m_keyNames; }

private:
    KeyNameMap m_keyNames;

    // Audio feedback members.
public:
    // Replaces the five sound players (tests install a recording fake).
    void setSoundPlayers(std::unique_ptr<SoundPlayers> players);

private:
    bool m_audioEnabled = true;
    std::unique_ptr<SoundPlayers> m_sound;

    // Pointer settings members.
public:
    // Replaces the desktop's pointer settings (tests install a fake).
    void setPointerSettings(std::unique_ptr<PointerSettings> settings);

private:
    // Chosen from the running desktop on first use.
    PointerSettings &pointerSettings();
    std::unique_ptr<PointerSettings> m_pointerSettings;
};
