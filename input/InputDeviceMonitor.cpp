#include "input/InputDeviceMonitor.h"

InputDeviceMonitor::InputDeviceMonitor(QObject *parent) : QObject(parent), m_monitor("input")
{
    connect(&m_monitor, &DeviceMonitor::changed, this, &InputDeviceMonitor::onChanged);
}

void InputDeviceMonitor::onChanged(const QString &action, const QString &devnode)
{
    // Only the event nodes: the parent input device and mouse/js nodes come too.
    if (!devnode.startsWith(QLatin1String("/dev/input/event")))
        return;
    // A change may have made the node readable; adding an open node does nothing.
    if (action == QLatin1String("add") || action == QLatin1String("change"))
        emit added(devnode);
    else if (action == QLatin1String("remove"))
        emit removed(devnode);
}
