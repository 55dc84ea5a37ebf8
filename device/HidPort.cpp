#include "device/HidPort.h"

std::unique_ptr<HidPort> HidPort::open(HidBackend &backend, unsigned did, Role role,
                                       const QByteArray &path)
{
    auto handle = backend.open(path);
    if (!handle) {
        HidTrace::instance().path("open-failed", did, role, path);
        return nullptr;
    }
    HidTrace::instance().path("open", did, role, path);
    backend.setNonblocking(*handle, false);
    return std::unique_ptr<HidPort>(new HidPort(backend, std::move(handle), did, role));
}

HidPort::HidPort(HidBackend &backend, std::unique_ptr<HidHandle> handle, unsigned did, Role role)
    : m_backend(backend), m_handle(std::move(handle)), m_did(did), m_role(role)
{
}

HidPort::~HidPort()
{
    m_handle.reset();
    HidTrace::instance().bytes("close", m_did, m_role, nullptr, 0, true);
}

int HidPort::sendFeatureReport(const uint8_t *data, size_t len)
{
    const int rc = m_backend.sendFeatureReport(*m_handle, data, len);
    HidTrace::instance().bytes("feature-out", m_did, m_role, data, len, rc >= 0);
    return rc;
}

int HidPort::getFeatureReport(uint8_t *data, size_t len)
{
    const int rc = m_backend.getFeatureReport(*m_handle, data, len);
    HidTrace::instance().bytes("feature-in", m_did, m_role, data, len, rc >= 0);
    return rc;
}

int HidPort::write(const uint8_t *data, size_t len)
{
    const int rc = m_backend.write(*m_handle, data, len);
    HidTrace::instance().bytes("out", m_did, m_role, data, len, rc >= 0);
    return rc;
}

int HidPort::readTimeout(uint8_t *data, size_t len, int milliseconds)
{
    const int rc = m_backend.readTimeout(*m_handle, data, len, milliseconds);
    if (m_role == Role::Event) {
        if (rc > 0)
            HidTrace::instance().bytes("event-in", m_did, m_role, data, size_t(rc), true);
    } else {
        // A data-phase read that times out fails the exchange like an error.
        HidTrace::instance().bytes("in", m_did, m_role, data, rc > 0 ? size_t(rc) : 0, rc > 0);
    }
    return rc;
}
