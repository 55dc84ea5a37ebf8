#include "input/LibevdevDevice.h"

#include "input/EvdevScanCodes.h"

#include <libevdev/libevdev.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

std::unique_ptr<EvdevDevice> LibevdevDevice::open(const QString &path)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    libevdev *dev = nullptr;
    if (libevdev_new_from_fd(fd, &dev) < 0) {
        ::close(fd);
        return nullptr;
    }
    std::unique_ptr<LibevdevDevice> d(new LibevdevDevice(fd, dev));
    if (!d->m_keys && !d->m_buttons)
        return nullptr;
    return d;
}

LibevdevDevice::LibevdevDevice(int fd, libevdev *dev) : m_fd(fd), m_dev(dev)
{
    if (libevdev_has_event_type(dev, EV_KEY)) {
        for (uint code = 1; code < 256 && !m_keys; ++code)
            m_keys = EvdevScanCodes::fromEvdev(code).scan != 0 &&
                     libevdev_has_event_code(dev, EV_KEY, code);
        m_buttons = libevdev_has_event_code(dev, EV_KEY, BTN_LEFT) ||
                    libevdev_has_event_code(dev, EV_KEY, BTN_RIGHT) ||
                    libevdev_has_event_code(dev, EV_KEY, BTN_MIDDLE);
    }
}

LibevdevDevice::~LibevdevDevice()
{
    libevdev_free(m_dev);
    ::close(m_fd);
}

EvdevDevice::Read LibevdevDevice::next(input_event &event)
{
    for (;;) {
        const int rc = libevdev_next_event(
            m_dev, m_syncing ? LIBEVDEV_READ_FLAG_SYNC : LIBEVDEV_READ_FLAG_NORMAL, &event);
        if (rc == LIBEVDEV_READ_STATUS_SUCCESS)
            return Read::Event;
        if (rc == LIBEVDEV_READ_STATUS_SYNC) {
            // The kernel dropped events: libevdev replays the differences, which carry the
            // releases we would otherwise miss.
            if (!m_syncing) {
                m_syncing = true;
                continue;
            }
            return Read::Event;
        }
        if (rc == -EAGAIN) {
            if (m_syncing) {
                m_syncing = false;
                continue;
            }
            return Read::Empty;
        }
        return Read::Gone;
    }
}
