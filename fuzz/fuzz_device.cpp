// A hostile device: every answer block and every data-phase report of the Get commands comes
// from the input, through the transport and the scene's bridge.
#include "FuzzHarness.h"

#include "bridge/myQQuickView.h"
#include "device/HidBackend.h"
#include "device/Hid_Thread.h"
#include "sim/SimBackend.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <vector>

namespace {

class HostileBackend final : public HidBackend
{
public:
    FuzzedDataProvider *input = nullptr;

    QList<HidInterfaceInfo> enumerate(uint16_t, uint16_t) override { return {}; }
    std::unique_ptr<HidHandle> open(const QByteArray &) override
    {
        return std::make_unique<HidHandle>();
    }
    int setNonblocking(HidHandle &, bool) override { return 0; }
    int sendFeatureReport(HidHandle &, const uint8_t *, size_t len) override { return int(len); }
    int getFeatureReport(HidHandle &, uint8_t *data, size_t len) override
    {
        return answer(data, len);
    }
    int write(HidHandle &, const uint8_t *, size_t len) override { return int(len); }
    int readTimeout(HidHandle &, uint8_t *data, size_t len, int) override
    {
        return answer(data, len);
    }

private:
    // A device may fail, time out, or send fewer bytes than asked for.
    int answer(uint8_t *data, size_t len)
    {
        if (input->remaining_bytes() == 0)
            return -1;
        const uint8_t mode = input->ConsumeIntegral<uint8_t>();
        if (mode == 0xFF)
            return -1;
        if (mode == 0xFE)
            return 0;
        const std::vector<uint8_t> bytes = input->ConsumeBytes<uint8_t>(len);
        std::copy(bytes.begin(), bytes.end(), data);
        return int(bytes.size());
    }
};

// Buffers of exactly the documented size, so any write past them is caught.
void get(size_t size, const auto &command)
{
    std::vector<uchar> buffer(size);
    command(buffer.data());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static HostileBackend backend;
    static Hid_Thread *hid = [] {
        auto *h = new Hid_Thread;
        h->setBackend(&backend);
        FuzzHarness::view().setTransport(h);
        return h;
    }();
    myQQuickView &view = FuzzHarness::view();

    FuzzedDataProvider input(data, size);
    backend.input = &input;
    DeviceTable table = SimBackend::deviceTable();
    // The commands run on device 1; either kind's report length can be behind it.
    if (input.ConsumeBool())
        table[1] = table[0];
    hid->replaceDeviceTable(table);
    hid->setEncode(input.ConsumeBool());

    while (input.remaining_bytes() > 0) {
        const uchar arg = input.ConsumeIntegral<uchar>();
        uchar a = 0, b = 0, c = 0, d = 0, e = 0;
        QString version;
        switch (input.ConsumeIntegralInRange(0, 31)) {
        case 0:
            hid->hid_00H_GetSecrecyCode(a, b, c, d);
            break;
        case 1:
            hid->hid_80H_GetFWVersion(version);
            break;
        case 2:
            hid->hid_81H_GetReportRate(a);
            break;
        case 3:
            hid->hid_82H_GetCurrentProfile(a);
            break;
        case 4:
            hid->hid_83H_GetFunctionOption(a, b, c);
            break;
        case 5:
            hid->hid_87H_GetLEDInstructFunction(arg, a, b, c);
            break;
        case 6:
            hid->hid_8BH_GetCurrentDPIStage(a);
            break;
        case 7:
            hid->hid_8DH_GetRGBLedEffect(a, b, c);
            break;
        case 8:
            get(arg == 2 ? 4 : 24, [&](uchar *p) { hid->hid_90H_GetLED8StageColor(arg, p); });
            break;
        case 9:
            get(8, [&](uchar *p) { hid->hid_91H_GetDPISet(a, p); });
            break;
        case 10:
            get(64, [&](uchar *p) { hid->hid_92H_GetKeyMatrix(p); });
            break;
        case 11:
            get(128, [&](uchar *p) { hid->hid_93H_GetMacroKey(arg, p); });
            break;
        case 12:
            hid->hid_83H_GetKeyboardoption(a, b, c, d);
            break;
        case 13:
            hid->hid_84H_GetButtonSensitivity(a, b, c, d);
            break;
        case 14:
            hid->hid_88H_GetLEDType(a, b, c, d, e);
            break;
        case 15:
            hid->hid_89H_GetKeyboardMode(a);
            break;
        case 16:
            get(512, [&](uchar *p) { hid->hid_8DH_GetKeyMatrix(p); });
            break;
        case 17:
            get(21, [&](uchar *p) { hid->hid_8EH_GetKeyOnOff(p); });
            break;
        case 18:
            get(192, [&](uchar *p) { hid->hid_91H_GetMacroKey(arg, p); });
            break;
        case 19:
            get(512, [&](uchar *p) { hid->hid_92H_GetUserPicture(arg, p); });
            break;
        case 20:
            hid->hid_94H_GetColor(arg, a, b, c);
            break;
        case 21:
            view.ui_80H_GetFWVersion();
            break;
        case 22:
            view.ui_82H_GetCurrentProfile();
            break;
        case 23:
            view.ui_83H_GetKeyboardoption();
            break;
        case 24:
            view.ui_84H_GetButtonSensitivity();
            break;
        case 25:
            view.ui_89H_GetKeyboardMode();
            break;
        case 26:
            view.ui_8DH_GetKeyMatrix();
            break;
        case 27:
            view.ui_8EH_GetKeyOnOff();
            break;
        case 28:
            view.ui_91H_GetMacroKey(arg);
            break;
        case 29:
            view.ui_92H_GetKeyMatrix();
            view.ui_93H_GetMacroKey(arg);
            break;
        case 30:
            view.getSensorType();
            view.chkIsLogoLedWork();
            break;
        default:
            view.ui_91H_SyncDPI();
            break;
        }
    }
    return 0;
}
