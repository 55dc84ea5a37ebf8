#include "bridge/myQQuickView.h"

#include "bridge/StaleLock.h"
#include "bridge/audio/MediaSoundPlayers.h"
#include "device/DeviceKind.h"
#include "device/Hid_Thread.h"
#include "platform/DataPaths.h"

#include <QDir>
#include <QQuickItem>

myQQuickView::myQQuickView(QWidget *parent)
    : QQuickWidget(parent), m_input([this] { return rootObject(); })
{
    setClearColor(Qt::transparent);
    m_keyNames.build();
    setSoundPlayers(std::make_unique<MediaSoundPlayers>());
    const QString apConfig = DataPaths::apConfig();
    StaleLock::clear(apConfig);
    m_apConfig = std::make_unique<QSettings>(apConfig, QSettings::IniFormat);
    for (int n = 1; n <= 10; ++n) {
        const QString profile = DataPaths::profile(n);
        StaleLock::clear(profile);
        m_profiles.push_back(std::make_unique<QSettings>(profile, QSettings::IniFormat));
    }
}

myQQuickView::~myQQuickView() = default;

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
    if (!m_hid || m_hid->currentDevice() != DeviceKind::Keyboard)
        return;
    uchar buffer[512] = {};
    for (int n = 0; n < 5; ++n) {
        m_hid->hid_92H_GetUserPicture(uchar(n), buffer);
        // A failed read would store the previous picture's bytes under this one.
        if (!m_hid->lastGetSucceeded())
            continue;
        QVariantList picture;
        picture.reserve(512);
        for (uchar b : buffer)
            picture.append(int(b));
        currentProfile().setValue(QStringLiteral("userPicture/") + QString::number(n), picture);
    }
}
