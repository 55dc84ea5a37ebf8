#include "bridge/myQQuickView.h"

#include "bridge/audio/MediaSoundPlayers.h"
#include "platform/DataPaths.h"

#include <QDir>
#include <QQuickItem>

myQQuickView::myQQuickView(QWidget *parent)
    : QQuickWidget(parent), m_input([this] { return rootObject(); })
{
    setClearColor(Qt::transparent);
    m_keyNames.build();
    setSoundPlayers(std::make_unique<MediaSoundPlayers>());
}

myQQuickView::~myQQuickView() = default;

// The scene.

void myQQuickView::invokeRoot(const char *function)
{
    if (QObject *root = rootObject())
        QMetaObject::invokeMethod(root, function, Qt::QueuedConnection);
}

void myQQuickView::initUI()
{
    invokeRoot("initUI");
}

void myQQuickView::runUI()
{
    invokeRoot("run");
}

void myQQuickView::detectKeyboard(bool isDown, uchar usbCode)
{
    m_input.pushKey(isDown, usbCode);
}

void myQQuickView::detectMouse(bool isDown, uint button, uint x, uint y)
{
    m_input.pushButton(isDown, button, x, y);
}

bool myQQuickView::getIsSkinShow()
{
    return QDir(DataPaths::images())
               .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted)
               .size() > 1;
}

void myQQuickView::syncFW()
{
    m_keyboard.syncPictures();
}

// Profile store.

void myQQuickView::saveApConfig(QVariantList apConfigs)
{
    m_profiles.saveApConfig(apConfigs);
}

QVariantList myQQuickView::loadApConfig()
{
    return m_profiles.loadApConfig();
}

QVariantList myQQuickView::loadDeviceApConfig()
{
    return m_profiles.loadDeviceApConfig();
}

void myQQuickView::resetApconfig()
{
    m_profiles.resetApConfig();
}

QVariantList myQQuickView::loadDefaultProfile(uchar uiPageId)
{
    return m_profiles.loadDefaultProfile(uiPageId);
}

void myQQuickView::loadProfile(int profile)
{
    m_profiles.importProfile(profile);
}

void myQQuickView::saveProfile(int profile)
{
    m_profiles.exportProfile(profile);
}

void myQQuickView::resetProfile(int profile)
{
    m_profiles.resetProfile(profile);
}

// Commands both devices answer.

void myQQuickView::ui_01H_SetReportRate(uchar rate)
{
    m_shared.setReportRate(rate);
}

void myQQuickView::ui_02H_SetCurrentProfile(int profile)
{
    m_shared.setCurrentProfile(profile);
}

QString myQQuickView::ui_80H_GetFWVersion()
{
    return m_shared.firmwareVersion();
}

QVariant myQQuickView::ui_81H_GetReportRate()
{
    return m_shared.reportRate();
}

QVariant myQQuickView::ui_82H_GetCurrentProfile()
{
    return m_shared.deviceProfile();
}

QVariantList myQQuickView::getKeydefine(QVariant matrixId)
{
    return m_shared.keyDefine(matrixId);
}

// Keyboard.

void myQQuickView::ui_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    m_keyboard.setOption(byte1, byte2, byte3, byte4);
}

void myQQuickView::ui_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                               uchar index)
{
    m_keyboard.setButtonSensitivity(sens1, sens2, sens3, sens4, index);
}

void myQQuickView::ui_07H_SetControlIndicatorLight(uchar effect, uchar frequenty)
{
    m_keyboard.setIndicatorLight(effect, frequenty);
}

void myQQuickView::ui_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light,
                                     uchar color, uchar direction)
{
    m_keyboard.setLedType(option, effect, speed, light, color, direction);
}

void myQQuickView::ui_09H_SetKeyboardMode(uchar mode)
{
    m_keyboard.setMode(mode);
}

void myQQuickView::ui_0DH_SetKeyMatrix(QVariantList src512)
{
    m_keyboard.setKeyMatrix(src512);
}

void myQQuickView::ui_0EH_SetKeyOnOff(QVariantList src21)
{
    m_keyboard.setKeyOnOff(src21);
}

void myQQuickView::ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src512)
{
    m_keyboard.setUserPicture(index, option, src512);
}

void myQQuickView::ui_13H_SetRecoveryData()
{
    m_keyboard.setRecoveryData();
}

void myQQuickView::ui_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue)
{
    m_keyboard.setColor(index, rValue, gValue, bValue);
}

QVariantList myQQuickView::ui_83H_GetKeyboardoption()
{
    return m_keyboard.option();
}

QVariantList myQQuickView::ui_84H_GetButtonSensitivity()
{
    return m_keyboard.buttonSensitivity();
}

QVariantList myQQuickView::ui_88H_GetLEDType()
{
    return m_keyboard.ledType();
}

QVariant myQQuickView::ui_89H_GetKeyboardMode()
{
    return m_keyboard.mode();
}

QVariantList myQQuickView::ui_8DH_GetKeyMatrix()
{
    return m_keyboard.keyMatrix();
}

QVariantList myQQuickView::ui_8EH_GetKeyOnOff()
{
    return m_keyboard.keyOnOff();
}

QVariantList myQQuickView::ui_91H_GetMacroKey(uchar macroId)
{
    return m_keyboard.macroKey(macroId);
}

QVariantList myQQuickView::ui_92H_GetUserPicture(uchar index)
{
    return m_keyboard.userPicture(index);
}

QVariantList myQQuickView::ui_94H_GetColor(uchar index)
{
    return m_keyboard.color(index);
}

// Mouse.

void myQQuickView::setScrollPinSwap(bool isSwap)
{
    m_mouse.setScrollSwap(isSwap);
}

void myQQuickView::ui_0BH_SetCurrentDPIStage(uchar dpiStage)
{
    m_mouse.setDpiStage(dpiStage);
}

void myQQuickView::ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2,
                                          QVariantList configs)
{
    m_mouse.setRgbLedEffect(effect, option1, option2, configs);
}

void myQQuickView::ui_10H_SetLED8StageColor(uchar type, QVariantList src24)
{
    m_mouse.setStageColors(type, src24);
}

void myQQuickView::ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex)
{
    m_mouse.setDpiSet(dpiStage, src8, valueForIndex);
}

void myQQuickView::ui_12H_SetKeyMatrix(QVariantList src64)
{
    m_mouse.setKeyMatrix(src64);
}

QVariant myQQuickView::getSensorType()
{
    return m_mouse.sensorType();
}

bool myQQuickView::chkIsLogoLedWork()
{
    return m_mouse.isLogoLedWorking();
}

bool myQQuickView::getMsgAns_FoolProofing()
{
    return m_mouse.confirmLastLeftButton();
}

bool myQQuickView::getScrollPinSwap()
{
    return m_mouse.scrollSwap();
}

QVariant myQQuickView::ui_8BH_GetCurrentDPIStage()
{
    return m_mouse.dpiStage();
}

QVariantList myQQuickView::ui_8DH_GetRGBLedEffect()
{
    return m_mouse.rgbLedEffect();
}

QVariantList myQQuickView::ui_90H_GetLED8StageColor(uchar type)
{
    return m_mouse.stageColors(type);
}

uchar myQQuickView::ui_91H_SyncDPI()
{
    return m_mouse.syncDpi();
}

QVariantList myQQuickView::ui_91H_GetDPISet()
{
    return m_mouse.dpiSet();
}

QVariantList myQQuickView::ui_92H_GetKeyMatrix()
{
    return m_mouse.keyMatrix();
}

QVariantList myQQuickView::ui_93H_GetMacroKey(uchar macroId)
{
    return m_mouse.macroKey(macroId);
}

// Macro store.

QVariant myQQuickView::createMacroIni()
{
    return m_macros.create();
}

QVariant myQQuickView::deleteMacroIni(QVariant name)
{
    return m_macros.remove(name);
}

QStringList myQQuickView::getMacroIniNames()
{
    return m_macros.names();
}

void myQQuickView::renameMacroIniFile(QVariant oldName, QVariant newName)
{
    m_macros.rename(oldName, newName);
}

QStringList myQQuickView::loadMacroIni(QVariant name)
{
    return m_macros.script(name);
}

QVariant myQQuickView::saveMacroIni(QVariant name, QStringList macros)
{
    return m_macros.saveScript(name, macros);
}

QVariantList myQQuickView::loadMacroIniConfig(QVariant name)
{
    return m_macros.config(name);
}

void myQQuickView::setMacroIniConfig(QVariant name, QVariantList config)
{
    m_macros.setConfig(name, config);
}

QVariant myQQuickView::loadMacroIniFromFile()
{
    return m_macros.importFile();
}

void myQQuickView::saveMacroIniToFile(QVariant name)
{
    m_macros.exportFile(name);
}

QList<uchar> myQQuickView::macroIncode(QStringList macros)
{
    return m_macros.encode(macros);
}

void myQQuickView::ui_11H_SetMacroKey(QVariant macroId, QVariant name)
{
    m_macros.sendToKeyboard(macroId, name);
}

void myQQuickView::ui_13H_SetMacroKey(QVariant macroId, QVariant name)
{
    m_macros.sendToMouse(macroId, name);
}

// Recoil data.

QVariantList myQQuickView::getGundata(QVariant gameNo)
{
    return m_recoil.gunData(gameNo);
}

void myQQuickView::saveGundata(QVariant gameNo, QVariantList gunData)
{
    m_recoil.saveGunData(gameNo, gunData);
}

QVariantList myQQuickView::getSelGundata(QVariant selGun)
{
    return m_recoil.selection(selGun);
}

void myQQuickView::saveSelGundata(QVariant selGun, QVariantList gunData)
{
    m_recoil.saveSelection(selGun, gunData);
}

void myQQuickView::v7_0CH_SetPressGun(uchar xOffset, uchar yOffset, uchar times, uchar enable,
                                      uchar cursorBack, uchar fireKey)
{
    m_recoil.setPressGun(xOffset, yOffset, times, enable, cursorBack, fireKey);
}

// Languages and UI strings.

QVariantMap myQQuickView::chkLanguages()
{
    return m_languages.catalog();
}

QStringList myQQuickView::getGlobalStrings(QString langCode)
{
    return m_languages.globalStrings(langCode);
}

QStringList myQQuickView::getProductLayoutStrings_V7(QString langCode)
{
    return m_languages.productLayoutStrings(langCode);
}

QString myQQuickView::getCustomFilePath()
{
    return m_languages.customFilePath();
}

// Audio feedback.

void myQQuickView::setEnableAudio(bool isEnable)
{
    m_sound.setEnabled(isEnable);
}

void myQQuickView::playMedia_Index(uchar index)
{
    m_sound.play(index);
}

void myQQuickView::playMedia_Background()
{
    m_sound.playBackground();
}

void myQQuickView::clearAllMedia()
{
    m_sound.clearAll();
}

// Pointer settings.

void myQQuickView::setCursorSpeed(uint cursorSpeed)
{
    m_pointer.setCursorSpeed(cursorSpeed);
}

uint myQQuickView::getCursorSpeed()
{
    return m_pointer.cursorSpeed();
}

void myQQuickView::setVerticalScrollLines(uint lines)
{
    m_pointer.setVerticalScrollLines(lines);
}

uint myQQuickView::getVerticalScrollLines()
{
    return m_pointer.verticalScrollLines();
}

void myQQuickView::setDoubleClickSpeed(uint speed)
{
    m_pointer.setDoubleClickSpeed(speed);
}

uint myQQuickView::getDoubleClickSpeed()
{
    return m_pointer.doubleClickSpeed();
}

void myQQuickView::setAcceleration(bool acceleration)
{
    m_pointer.setAcceleration(acceleration);
}

bool myQQuickView::getAcceleration()
{
    return m_pointer.acceleration();
}
