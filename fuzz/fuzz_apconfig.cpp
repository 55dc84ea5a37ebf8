// The application settings file (apConfig.bin) holding arbitrary bytes.
#include "FuzzHarness.h"

#include "bridge/myQQuickView.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (FuzzHarness::refusedByStores(data, size))
        return 0;
    myQQuickView &view = FuzzHarness::view();
    FuzzHarness::writeFile(QStringLiteral("modules/setting/apConfig.bin"), data, size);
    view.apConfigHandle().sync();
    view.loadApConfig();
    view.loadDeviceApConfig();
    return 0;
}
