#include "platform/DeviceMonitor.h"

#include <QSocketNotifier>

#include <libudev.h>

DeviceMonitor::DeviceMonitor(const char *subsystem, QObject *parent) : QObject(parent)
{
    m_udev = udev_new();
    if (!m_udev)
        return;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor)
        return;
    if (udev_monitor_filter_add_match_subsystem_devtype(m_monitor, subsystem, nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
        return;
    }
    m_notifier =
        std::make_unique<QSocketNotifier>(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &DeviceMonitor::drain);
}

DeviceMonitor::~DeviceMonitor()
{
    m_notifier.reset();
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

void DeviceMonitor::drain()
{
    while (udev_device *dev = udev_monitor_receive_device(m_monitor)) {
        const char *node = udev_device_get_devnode(dev);
        const char *action = udev_device_get_action(dev);
        const QString devnode = node ? QString::fromLocal8Bit(node) : QString();
        const QString what = action ? QString::fromLatin1(action) : QString();
        udev_device_unref(dev);
        emit changed(what, devnode);
    }
}
