#pragma once

#include "device/HidBackend.h"
#include "device/HidTrace.h"

#include <memory>

// One open interface of one device, with every call written to the HID trace.
class HidPort
{
public:
    using Role = HidTrace::Role;

    // Opens path in blocking mode; null when the backend cannot open it.
    static std::unique_ptr<HidPort> open(HidBackend &backend, unsigned did, Role role,
                                         const QByteArray &path);
    ~HidPort();

    int sendFeatureReport(const uint8_t *data, size_t len);
    int getFeatureReport(uint8_t *data, size_t len);
    int write(const uint8_t *data, size_t len);
    int readTimeout(uint8_t *data, size_t len, int milliseconds);

private:
    HidPort(HidBackend &backend, std::unique_ptr<HidHandle> handle, unsigned did, Role role);

    HidBackend &m_backend;
    std::unique_ptr<HidHandle> m_handle;
    unsigned m_did;
    Role m_role;
};
