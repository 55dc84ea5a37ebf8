#include "app/Widget.h"

#include "app/DeviceCheck.h"
#include "app/UserEvent.h"
#include "device/HidBackend.h"

#include <QCoreApplication>
#include <QSettings>

Widget::Widget(QWidget *parent) : QWidget(parent), m_transport(this)
{
    setObjectName(QStringLiteral("Widget"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setStyleSheet(QStringLiteral("background:transparent;"));
    resize(1000, 600);
    QSettings apConfig(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
    setWindowTitle(apConfig.value(QStringLiteral("common/name")).toString());

    m_checkTimer.setInterval(2048);
    m_checkTimer.setSingleShot(true);
    connect(&m_checkTimer, &QTimer::timeout, this, &Widget::checkDevice);
    // Queued, so the close runs from the event loop even when the check ran before it.
    connect(&m_transport, &Hid_Thread::closeRequested, this, &Widget::closeAfterFailedCheck,
            Qt::QueuedConnection);
}

Widget::~Widget()
{
    m_transport.stopListening();
}

void Widget::deviceChanged()
{
    m_checkTimer.start();
}

void Widget::checkDevice()
{
    QSettings devInfo(QStringLiteral(":/DevInfo.ini"), QSettings::IniFormat);
    QSettings apConfig(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
    const QStringList names = apConfig.value(QStringLiteral("common/product_name")).toStringList();
    const auto descriptors = DeviceCheck::readDescriptors(devInfo, names);
    DeviceTable table;
    if (HidBackend *backend = m_transport.backend())
        table = DeviceCheck::buildTable(descriptors, *backend);
    m_transport.replaceDeviceTable(table);
    m_transport.setEncode(devInfo.value(QStringLiteral("common/isEncode"), false).toBool());
    m_transport.swichCurDevice(m_transport.currentDevice());
}

void Widget::startUi()
{
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::kStartUi));
}

void Widget::customEvent(QEvent *event)
{
    if (event->type() == QEvent::User &&
        static_cast<UserEvent *>(event)->code == UserEvent::kStartUi)
        emit uiStarted();
}

void Widget::closeAfterFailedCheck()
{
    close();
    // Also ends a run whose window was never shown, which closing alone would not.
    QCoreApplication::exit(1);
}
