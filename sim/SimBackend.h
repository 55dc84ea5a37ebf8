#pragma once

#include "device/DeviceEntry.h"
#include "device/HidBackend.h"
#include "sim/EmulatedDevice.h"

#include <QObject>

#include <memory>
#include <vector>

// The HID backend of the emulated devices. Paths look like "sim:mouse:cmd".
class SimBackend final : public QObject, public HidBackend
{
    Q_OBJECT
public:
    // kinds: "mouse" and/or "keyboard"; unknown names are ignored.
    explicit SimBackend(const QStringList &kinds = {QStringLiteral("mouse")});
    ~SimBackend() override;

    // Null when that kind is not emulated.
    EmulatedDevice *device(const QString &kind) const;
    EmulatedDevice *mouse() const { return device(QStringLiteral("mouse")); }
    EmulatedDevice *keyboard() const { return device(QStringLiteral("keyboard")); }

    // The table a device check builds for both emulated devices: keyboard at 0, mouse at 1.
    static DeviceTable deviceTable();

    // Plugging and unplugging also raise a device change.
    void plug(const QString &kind);
    void unplug(const QString &kind);

    QList<HidInterfaceInfo> enumerate(uint16_t vid, uint16_t pid) override;
    std::unique_ptr<HidHandle> open(const QByteArray &path) override;
    int setNonblocking(HidHandle &h, bool nonblock) override;
    int sendFeatureReport(HidHandle &h, const uint8_t *data, size_t len) override;
    int getFeatureReport(HidHandle &h, uint8_t *data, size_t len) override;
    int write(HidHandle &h, const uint8_t *data, size_t len) override;
    int readTimeout(HidHandle &h, uint8_t *data, size_t len, int milliseconds) override;

signals:
    void deviceChanged();

private:
    std::vector<std::unique_ptr<EmulatedDevice>> m_devices;
};
