#include "bridge/myQQuickView.h"

#include "bridge/audio/MediaSoundPlayers.h"
#include "device/Hid_Thread.h"

#include <QDir>
#include <QQuickItem>

myQQuickView::myQQuickView(QWidget *parent) : QQuickWidget(parent)
{
    setClearColor(Qt::transparent);
    m_keyNames.build();
    setSoundPlayers(std::make_unique<MediaSoundPlayers>());
    m_apConfig = std::make_unique<QSettings>(QStringLiteral("./modules/setting/apConfig.bin"),
                                             QSettings::IniFormat);
    for (int n = 1; n <= 10; ++n)
        m_profiles.push_back(std::make_unique<QSettings>(
            QStringLiteral("./modules/setting/p%1.bin").arg(n), QSettings::IniFormat));
}

myQQuickView::~myQQuickView() = default;

void myQQuickView::invokeRoot(const char *function, Qt::ConnectionType type,
                              const QVariantList &args)
{
    QObject *root = rootObject();
    if (!root)
        return;
    switch (args.size()) {
    case 0:
        QMetaObject::invokeMethod(root, function, type);
        break;
    case 1:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0]));
        break;
    case 2:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0]),
                                  Q_ARG(QVariant, args[1]));
        break;
    default:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args.value(0)),
                                  Q_ARG(QVariant, args.value(1)), Q_ARG(QVariant, args.value(2)),
                                  Q_ARG(QVariant, args.value(3)));
        break;
    }
}

void myQQuickView::initUI()
{
    invokeRoot("initUI", Qt::QueuedConnection);
}

void myQQuickView::runUI()
{
    invokeRoot("run", Qt::QueuedConnection);
}

void myQQuickView::detectKeyboard(bool isDown, uchar usbCode)
{
    invokeRoot("detectKeyboard", Qt::QueuedConnection, {QVariant(isDown), QVariant(int(usbCode))});
}

void myQQuickView::detectMouse(bool isDown, uint button, uint x, uint y)
{
    invokeRoot("detectMouse", Qt::QueuedConnection,
               {QVariant(isDown), QVariant(button), QVariant(x), QVariant(y)});
}

bool myQQuickView::getIsSkinShow()
{
    return QDir(QStringLiteral("./modules/img"))
               .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted)
               .size() > 1;
}

void myQQuickView::syncFW()
{
    if (!m_hid || m_hid->currentDevice() != 0)
        return;
    uchar buffer[512] = {};
    for (int n = 0; n < 5; ++n) {
        m_hid->hid_92H_GetUserPicture(uchar(n), buffer);
        QVariantList picture;
        picture.reserve(512);
        for (uchar b : buffer)
            picture.append(int(b));
        currentProfile().setValue(QStringLiteral("userPicture/") + QString::number(n), picture);
    }
}
