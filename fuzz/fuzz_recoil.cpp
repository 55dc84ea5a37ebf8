// The recoil files (gunData<game>.bin, selGunData.bin) holding arbitrary bytes.
#include "FuzzHarness.h"

#include "bridge/myQQuickView.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (FuzzHarness::refusedByStores(data, size))
        return 0;
    myQQuickView &view = FuzzHarness::view();
    FuzzHarness::writeFile(QStringLiteral("modules/gun/gunData0.bin"), data, size);
    FuzzHarness::writeFile(QStringLiteral("modules/gun/selGunData.bin"), data, size);
    view.getGundata(0);
    view.getGundata(QStringLiteral("0"));
    for (int key = 0; key < 4; ++key)
        view.getSelGundata(key);
    return 0;
}
