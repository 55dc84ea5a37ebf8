#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// Reports input event nodes that appear or go away. Silent without a udev daemon.
class InputDeviceMonitor : public QObject
{
    Q_OBJECT
public:
    explicit InputDeviceMonitor(QObject *parent = nullptr);
    ~InputDeviceMonitor() override;

    bool isActive() const { return m_monitor != nullptr; }

signals:
    void added(const QString &devnode);
    void removed(const QString &devnode);

private:
    void drain();

    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
