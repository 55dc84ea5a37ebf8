#include "device/HidapiBackend.h"

#include <hidapi/hidapi.h>

#include <cerrno>
#include <unistd.h>

namespace {

class HidapiHandle final : public HidHandle
{
public:
    explicit HidapiHandle(hid_device *dev) : m_dev(dev) {}
    ~HidapiHandle() override { hid_close(m_dev); }
    hid_device *get() const { return m_dev; }

private:
    hid_device *m_dev;
};

hid_device *dev(HidHandle &h)
{
    return static_cast<HidapiHandle &>(h).get();
}

} // namespace

HidapiBackend::HidapiBackend()
{
    hid_init();
}

HidapiBackend::~HidapiBackend()
{
    hid_exit();
}

QList<HidInterfaceInfo> HidapiBackend::enumerate(uint16_t vid, uint16_t pid)
{
    QList<HidInterfaceInfo> found;
    hid_device_info *list = hid_enumerate(vid, pid);
    for (hid_device_info *it = list; it; it = it->next)
        found.append({QByteArray(it->path), it->usage_page, it->usage});
    hid_free_enumeration(list);
    return found;
}

std::unique_ptr<HidHandle> HidapiBackend::open(const QByteArray &path)
{
    hid_device *d = hid_open_path(path.constData());
    if (!d)
        return nullptr;
    return std::make_unique<HidapiHandle>(d);
}

HidOpenFailure HidapiBackend::whyOpenFailed(const QByteArray &path)
{
    // hidapi does not hand errno back; the node's access bits answer the same question.
    if (::access(path.constData(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM))
        return HidOpenFailure::Denied;
    return HidOpenFailure::Unknown;
}

int HidapiBackend::setNonblocking(HidHandle &h, bool nonblock)
{
    return hid_set_nonblocking(dev(h), nonblock ? 1 : 0);
}

int HidapiBackend::sendFeatureReport(HidHandle &h, const uint8_t *data, size_t len)
{
    return hid_send_feature_report(dev(h), data, len);
}

int HidapiBackend::getFeatureReport(HidHandle &h, uint8_t *data, size_t len)
{
    return hid_get_feature_report(dev(h), data, len);
}

int HidapiBackend::write(HidHandle &h, const uint8_t *data, size_t len)
{
    return hid_write(dev(h), data, len);
}

int HidapiBackend::readTimeout(HidHandle &h, uint8_t *data, size_t len, int milliseconds)
{
    return hid_read_timeout(dev(h), data, len, milliseconds);
}
