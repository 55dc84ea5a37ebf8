#pragma once

#include <QObject>
#include <QString>

#include <map>
#include <memory>

class EvdevDevice;
class EvdevDeviceOpener;
class EvdevTranslator;
class QSocketNotifier;

// Reads every event node that has keys or buttons, on the GUI thread, and feeds the translator.
class EvdevSource : public QObject
{
    Q_OBJECT
public:
    EvdevSource(EvdevTranslator &translator, std::unique_ptr<EvdevDeviceOpener> opener,
                QObject *parent = nullptr);
    ~EvdevSource() override;

    // Opens every "event*" node in dir that can be read.
    void scan(const QString &dir);
    // True when the node was opened and is now read.
    bool addDevice(const QString &path);
    void removeDevice(const QString &path);
    void clear();

    int deviceCount() const { return int(m_devices.size()); }
    bool hasKeyboard() const;
    bool hasMouse() const;

signals:
    // A device was added or went away.
    void devicesChanged();

private:
    struct Entry
    {
        std::unique_ptr<EvdevDevice> device;
        std::unique_ptr<QSocketNotifier> notifier;
    };

    void drain(const QString &path);

    EvdevTranslator &m_translator;
    std::unique_ptr<EvdevDeviceOpener> m_opener;
    std::map<QString, Entry> m_devices;
    QString m_draining; // the node whose notifier is being handled
};
