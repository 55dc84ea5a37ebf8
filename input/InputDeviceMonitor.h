#pragma once

#include "platform/DeviceMonitor.h"

#include <QObject>
#include <QString>

// Reports input event nodes that appear or go away. Silent without a udev daemon.
class InputDeviceMonitor : public QObject
{
    Q_OBJECT
public:
    explicit InputDeviceMonitor(QObject *parent = nullptr);

    bool isActive() const { return m_monitor.isActive(); }

signals:
    void added(const QString &devnode);
    void removed(const QString &devnode);

private:
    void onChanged(const QString &action, const QString &devnode);

    DeviceMonitor m_monitor;
};
