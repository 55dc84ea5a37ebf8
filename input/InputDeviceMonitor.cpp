#include "input/InputDeviceMonitor.h"

#include <QSocketNotifier>

#include <libudev.h>

#include <cstring>

InputDeviceMonitor::InputDeviceMonitor(QObject *parent) : QObject(parent)
{
    m_udev = udev_new();
    if (!m_udev)
        return;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor)
        return;
    if (udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "input", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
        return;
    }
    m_notifier =
        std::make_unique<QSocketNotifier>(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &InputDeviceMonitor::drain);
}

InputDeviceMonitor::~InputDeviceMonitor()
{
    m_notifier.reset();
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

void InputDeviceMonitor::drain()
{
    while (udev_device *dev = udev_monitor_receive_device(m_monitor)) {
        const char *node = udev_device_get_devnode(dev);
        const char *action = udev_device_get_action(dev);
        // Only the event nodes: the parent input device and mouse/js nodes come too.
        if (node && action && std::strncmp(node, "/dev/input/event", 16) == 0) {
            const QString path = QString::fromLocal8Bit(node);
            // A change may have made the node readable; adding an open node does nothing.
            if (std::strcmp(action, "add") == 0 || std::strcmp(action, "change") == 0)
                emit added(path);
            else if (std::strcmp(action, "remove") == 0)
                emit removed(path);
        }
        udev_device_unref(dev);
    }
}
