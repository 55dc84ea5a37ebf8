#include "app/Widget.h"

#include "app/DeviceCheck.h"
#include "app/SecrecyCode.h"
#include "app/UserEvent.h"
#include "bridge/Ui_Controler.h"
#include "bridge/myQQuickView.h"
#include "device/HidBackend.h"
#include "platform/DataPaths.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QSettings>

Widget::Widget(QWidget *parent)
    : QWidget(parent), m_transport(storedSecrecyCode, [this](const QString &text) {
          Dialogs::instance().warning(windowTitle(), text);
      })
{
    // The controller makes this the frameless window holding the scene, and titles it.
    m_controller = new Ui_Controler(this, &m_transport);
    if (myQQuickView *v = view())
        v->setTransport(&m_transport);

    m_checkTimer.setInterval(2048);
    m_checkTimer.setSingleShot(true);
    connect(&m_checkTimer, &QTimer::timeout, this, &Widget::checkDevice);
    // Queued, so the close runs from the event loop even when the check ran before it.
    connect(&m_transport, &Hid_Thread::closeRequested, this, &Widget::closeAfterFailedCheck,
            Qt::QueuedConnection);
    // A failed open may be a passing fault: the check re-reads the device table then, instead
    // of leaving the device cut off until it is plugged in again. A check already waiting is not
    // put off, so a stream of failing transfers cannot delay it for ever.
    connect(
        &m_transport, &Hid_Thread::pathLost, this,
        [this] {
            if (!m_checkTimer.isActive())
                m_checkTimer.start();
        },
        Qt::QueuedConnection);
}

Widget::~Widget()
{
    m_transport.stopListening();
    // The scene goes before the transport that it publishes as "hid".
    delete view();
    // A child, so it also goes with this window when no event loop runs after us.
    if (m_controller)
        m_controller->deleteLater();
}

myQQuickView *Widget::view() const
{
    return m_controller ? m_controller->view() : nullptr;
}

void Widget::deviceChanged()
{
    m_checkTimer.start();
}

void Widget::checkDevice()
{
    QSettings devInfo(QStringLiteral(":/DevInfo.ini"), QSettings::IniFormat);
    QSettings apConfig(DataPaths::apConfig(), QSettings::IniFormat);
    const QStringList names = apConfig.value(QStringLiteral("common/product_name")).toStringList();
    const auto descriptors = DeviceCheck::readDescriptors(devInfo, names);
    DeviceTable table;
    if (HidBackend *backend = m_transport.backend())
        table = DeviceCheck::buildTable(descriptors, *backend);
    m_transport.replaceDeviceTable(table);
    m_transport.setEncode(devInfo.value(QStringLiteral("common/isEncode"), false).toBool());
    m_transport.swichCurDevice(m_transport.currentDevice());
    // As designed the listener starts only on a switch to another device, so it never ran and
    // every acknowledged pause lasted 128 ms; this also restarts it after "Device removed".
    if (m_transport.isVerified() && !m_transport.isDemo())
        m_transport.listenIfStopped();
    if (myQQuickView *v = view())
        v->syncFW();
}

void Widget::startUi()
{
    if (myQQuickView *v = view())
        v->initUI();
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::kStartUi));
}

void Widget::customEvent(QEvent *event)
{
    if (event->type() == QEvent::User &&
        static_cast<UserEvent *>(event)->code == UserEvent::kStartUi) {
        if (myQQuickView *v = view())
            v->runUI();
        emit uiStarted();
    }
}

void Widget::closeAfterFailedCheck()
{
    close();
    // Also ends a run whose window was never shown, which closing alone would not.
    QCoreApplication::exit(1);
}
