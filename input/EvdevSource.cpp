#include "input/EvdevSource.h"

#include "input/EvdevDevice.h"
#include "input/EvdevTranslator.h"

#include <QDir>
#include <QSocketNotifier>

#include <linux/input.h>

EvdevSource::EvdevSource(EvdevTranslator &translator, std::unique_ptr<EvdevDeviceOpener> opener,
                         QObject *parent)
    : QObject(parent), m_translator(translator), m_opener(std::move(opener))
{
}

EvdevSource::~EvdevSource() = default;

void EvdevSource::scan(const QString &dir)
{
    const QDir d(dir);
    const QStringList names =
        d.entryList({QStringLiteral("event*")}, QDir::System | QDir::Files, QDir::Name);
    for (const QString &name : names)
        addDevice(d.filePath(name));
}

bool EvdevSource::addDevice(const QString &path)
{
    if (m_devices.count(path) || !m_opener)
        return false;
    std::unique_ptr<EvdevDevice> device = m_opener->open(path);
    if (!device)
        return false;
    Entry entry;
    entry.notifier = std::make_unique<QSocketNotifier>(device->fd(), QSocketNotifier::Read);
    connect(entry.notifier.get(), &QSocketNotifier::activated, this, [this, path] { drain(path); });
    entry.device = std::move(device);
    m_devices.emplace(path, std::move(entry));
    emit devicesChanged();
    return true;
}

void EvdevSource::removeDevice(const QString &path)
{
    const auto it = m_devices.find(path);
    if (it == m_devices.end())
        return;
    it->second.notifier->setEnabled(false);
    // A notifier cannot be deleted inside its own signal: that one goes from the event loop.
    if (path == m_draining)
        it->second.notifier.release()->deleteLater();
    m_devices.erase(it);
    emit devicesChanged();
}

void EvdevSource::clear()
{
    while (!m_devices.empty())
        removeDevice(m_devices.begin()->first);
}

bool EvdevSource::hasKeyboard() const
{
    for (const auto &[path, entry] : m_devices)
        if (entry.device->hasKeys())
            return true;
    return false;
}

bool EvdevSource::hasMouse() const
{
    for (const auto &[path, entry] : m_devices)
        if (entry.device->hasButtons())
            return true;
    return false;
}

void EvdevSource::drain(const QString &path)
{
    const auto it = m_devices.find(path);
    if (it == m_devices.end())
        return;
    EvdevDevice &device = *it->second.device;
    input_event event{};
    for (;;) {
        switch (device.next(event)) {
        case EvdevDevice::Read::Event:
            m_translator.handle(event);
            break;
        case EvdevDevice::Read::Empty:
            return;
        case EvdevDevice::Read::Gone:
            m_draining = path;
            removeDevice(path);
            m_draining.clear();
            return;
        }
    }
}
