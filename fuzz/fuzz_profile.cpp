// A profile (p1.bin) and the factory profile (pD.bin) holding arbitrary bytes.
#include "FuzzHarness.h"

#include "bridge/myQQuickView.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (FuzzHarness::refusedByStores(data, size))
        return 0;
    myQQuickView &view = FuzzHarness::view();
    FuzzHarness::writeFile(QStringLiteral("modules/setting/pD.bin"), data, size);
    for (uchar page = 0; page < 5; ++page)
        view.loadDefaultProfile(page);

    FuzzHarness::writeFile(QStringLiteral("modules/setting/p1.bin"), data, size);
    view.currentProfile().sync();
    view.ui_81H_GetReportRate();
    view.ui_88H_GetLEDType();
    for (uchar i = 0; i < 6; ++i) {
        view.ui_92H_GetUserPicture(i);
        view.ui_94H_GetColor(i);
    }
    view.getScrollPinSwap();
    view.ui_8BH_GetCurrentDPIStage();
    view.ui_8DH_GetRGBLedEffect();
    for (uchar type = 0; type < 4; ++type)
        view.ui_90H_GetLED8StageColor(type);
    view.ui_91H_GetDPISet();
    return 0;
}
