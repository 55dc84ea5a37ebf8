#pragma once

#include <QString>

#include <memory>

struct input_event;

// One opened /dev/input/event* node.
class EvdevDevice
{
public:
    enum class Read { Event, Empty, Gone };

    virtual ~EvdevDevice() = default;

    virtual int fd() const = 0;
    // Has keyboard keys (any key with a set-1 code).
    virtual bool hasKeys() const = 0;
    // Has a left, right or middle button.
    virtual bool hasButtons() const = 0;
    // The next pending event, without blocking.
    virtual Read next(input_event &event) = 0;
};

// Opens event nodes; null when the node cannot be read or has neither keys nor buttons.
class EvdevDeviceOpener
{
public:
    virtual ~EvdevDeviceOpener() = default;
    virtual std::unique_ptr<EvdevDevice> open(const QString &path) = 0;
};
