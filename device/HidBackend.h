#pragma once

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>
#include <memory>

// One HID interface found by enumeration.
struct HidInterfaceInfo
{
    QByteArray path;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

// Why an open failed, as far as a backend can tell.
enum class HidOpenFailure { Unknown, Denied };

// An open interface. Destroying it closes it.
class HidHandle
{
public:
    virtual ~HidHandle() = default;
};

// The hidapi operations the transport needs, so real and emulated devices share one code path.
// Return values follow hidapi: byte counts, 0 for a read that timed out, -1 for failure.
class HidBackend
{
public:
    virtual ~HidBackend() = default;

    virtual QList<HidInterfaceInfo> enumerate(uint16_t vid, uint16_t pid) = 0;
    virtual std::unique_ptr<HidHandle> open(const QByteArray &path) = 0;
    // Asked right after open(path) failed, so a user can be told about missing permissions.
    virtual HidOpenFailure whyOpenFailed(const QByteArray &) { return HidOpenFailure::Unknown; }
    virtual int setNonblocking(HidHandle &h, bool nonblock) = 0;
    virtual int sendFeatureReport(HidHandle &h, const uint8_t *data, size_t len) = 0;
    virtual int getFeatureReport(HidHandle &h, uint8_t *data, size_t len) = 0;
    virtual int write(HidHandle &h, const uint8_t *data, size_t len) = 0;
    virtual int readTimeout(HidHandle &h, uint8_t *data, size_t len, int milliseconds) = 0;
};
