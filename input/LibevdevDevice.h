#pragma once

#include "input/EvdevDevice.h"

struct libevdev;

// An event node read through libevdev, non-blocking.
class LibevdevDevice final : public EvdevDevice
{
public:
    // Null when the node cannot be opened or is neither a keyboard nor has mouse buttons.
    static std::unique_ptr<EvdevDevice> open(const QString &path);
    ~LibevdevDevice() override;

    int fd() const override { return m_fd; }
    bool hasKeys() const override { return m_keys; }
    bool hasButtons() const override { return m_buttons; }
    Read next(input_event &event) override;

private:
    LibevdevDevice(int fd, libevdev *dev);

    int m_fd;
    libevdev *m_dev;
    bool m_keys = false;
    bool m_buttons = false;
    bool m_syncing = false;
};

class LibevdevOpener final : public EvdevDeviceOpener
{
public:
    std::unique_ptr<EvdevDevice> open(const QString &path) override
    {
        return LibevdevDevice::open(path);
    }
};
