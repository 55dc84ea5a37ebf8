#pragma once

#include "device/HidBackend.h"

// Real devices through hidapi's hidraw library.
class HidapiBackend final : public HidBackend
{
public:
    HidapiBackend();
    ~HidapiBackend() override;

    QList<HidInterfaceInfo> enumerate(uint16_t vid, uint16_t pid) override;
    std::unique_ptr<HidHandle> open(const QByteArray &path) override;
    HidOpenFailure whyOpenFailed(const QByteArray &path) override;
    int setNonblocking(HidHandle &h, bool nonblock) override;
    int sendFeatureReport(HidHandle &h, const uint8_t *data, size_t len) override;
    int getFeatureReport(HidHandle &h, uint8_t *data, size_t len) override;
    int write(HidHandle &h, const uint8_t *data, size_t len) override;
    int readTimeout(HidHandle &h, uint8_t *data, size_t len, int milliseconds) override;
};
