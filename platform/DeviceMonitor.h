#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// Reports every device of one udev subsystem that appears, changes or goes away. Silent
// without a udev daemon.
class DeviceMonitor : public QObject
{
    Q_OBJECT
public:
    explicit DeviceMonitor(const char *subsystem = "hidraw", QObject *parent = nullptr);
    ~DeviceMonitor() override;

    bool isActive() const { return m_monitor != nullptr; }

signals:
    // action is udev's: "add", "remove", "change" and so on; devnode may be empty.
    void changed(const QString &action, const QString &devnode);

private:
    void drain();

    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
