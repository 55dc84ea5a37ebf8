#include "sim/SimBackend.h"

#include "device/DeviceKind.h"

namespace {

class SimHandle final : public HidHandle
{
public:
    SimHandle(EmulatedDevice &device, bool event) : device(device), event(event)
    {
        if (event)
            device.eventOpened();
    }
    ~SimHandle() override
    {
        if (event)
            device.eventClosed();
    }

    EmulatedDevice &device;
    const bool event;
};

SimHandle &sim(HidHandle &h)
{
    return static_cast<SimHandle &>(h);
}

QByteArray pathOf(const EmulatedDevice &d, bool event)
{
    return QByteArray("sim:") + d.name() + (event ? ":event" : ":cmd");
}

} // namespace

SimBackend::SimBackend(const QStringList &kinds)
{
    for (const QString &kind : kinds) {
        const QString k = kind.trimmed();
        if (device(k))
            continue;
        if (k == QLatin1String("mouse"))
            m_devices.push_back(std::make_unique<EmulatedDevice>(1));
        else if (k == QLatin1String("keyboard"))
            m_devices.push_back(std::make_unique<EmulatedDevice>(0));
    }
}

SimBackend::~SimBackend() = default;

DeviceTable SimBackend::deviceTable()
{
    DeviceTable table;
    for (int kind : {DeviceKind::Keyboard, DeviceKind::Mouse}) {
        const EmulatedDevice d(kind);
        table.append({kind == DeviceKind::Keyboard ? QStringLiteral("V7 Gaming Keyboard")
                                                   : QStringLiteral("V7 Gaming Mouse"),
                      kind, QString::fromLatin1(pathOf(d, false)),
                      QString::fromLatin1(pathOf(d, true)), d.reportLength()});
    }
    return table;
}

EmulatedDevice *SimBackend::device(const QString &kind) const
{
    for (const auto &d : m_devices)
        if (kind == QLatin1String(d->name()))
            return d.get();
    return nullptr;
}

void SimBackend::plug(const QString &kind)
{
    if (EmulatedDevice *d = device(kind)) {
        d->setFault(EmulatedDevice::Fault::Unplugged, false);
        emit deviceChanged();
    }
}

void SimBackend::unplug(const QString &kind)
{
    if (EmulatedDevice *d = device(kind)) {
        d->setFault(EmulatedDevice::Fault::Unplugged, true);
        emit deviceChanged();
    }
}

QList<HidInterfaceInfo> SimBackend::enumerate(uint16_t vid, uint16_t pid)
{
    QList<HidInterfaceInfo> found;
    for (const auto &d : m_devices) {
        if (d->fault(EmulatedDevice::Fault::Unplugged) || d->vid() != vid || d->pid() != pid)
            continue;
        for (bool event : {false, true})
            found.append({pathOf(*d, event), d->usagePage(event), d->usage(event)});
    }
    return found;
}

std::unique_ptr<HidHandle> SimBackend::open(const QByteArray &path)
{
    for (const auto &d : m_devices) {
        if (d->fault(EmulatedDevice::Fault::Unplugged))
            continue;
        for (bool event : {false, true})
            if (path == pathOf(*d, event))
                return std::make_unique<SimHandle>(*d, event);
    }
    return nullptr;
}

int SimBackend::setNonblocking(HidHandle &, bool)
{
    return 0;
}

int SimBackend::sendFeatureReport(HidHandle &h, const uint8_t *data, size_t len)
{
    return sim(h).event ? -1 : sim(h).device.featureOut(data, len);
}

int SimBackend::getFeatureReport(HidHandle &h, uint8_t *data, size_t len)
{
    return sim(h).event ? -1 : sim(h).device.featureIn(data, len);
}

int SimBackend::write(HidHandle &h, const uint8_t *data, size_t len)
{
    return sim(h).event ? -1 : sim(h).device.dataOut(data, len);
}

int SimBackend::readTimeout(HidHandle &h, uint8_t *data, size_t len, int milliseconds)
{
    // A blocking read still ends: an emulated device that stalls must not hang a test.
    const int ms = milliseconds < 0 ? 60000 : milliseconds;
    SimHandle &s = sim(h);
    return s.event ? s.device.eventIn(data, len, ms) : s.device.dataIn(data, len, ms);
}
