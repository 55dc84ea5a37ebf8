#include "app/DeviceMonitor.h"

#include <QSocketNotifier>

#include <libudev.h>

DeviceMonitor::DeviceMonitor(QObject *parent) : QObject(parent)
{
    m_udev = udev_new();
    if (!m_udev)
        return;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor)
        return;
    if (udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0 ||
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
    bool any = false;
    while (udev_device *dev = udev_monitor_receive_device(m_monitor)) {
        udev_device_unref(dev);
        any = true;
    }
    if (any)
        emit changed();
}
