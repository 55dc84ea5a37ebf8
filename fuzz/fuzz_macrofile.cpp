// A macro file holding arbitrary bytes, read as the scene reads it and then encoded.
#include "FuzzHarness.h"

#include "bridge/myQQuickView.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (FuzzHarness::refusedByStores(data, size))
        return 0;
    myQQuickView &view = FuzzHarness::view();
    const QString name = QStringLiteral("Macro. 001");
    FuzzHarness::writeFile(QStringLiteral("modules/macro/") + name + QStringLiteral(".bin"), data,
                           size);
    view.getMacroIniNames();
    const QStringList lines = view.loadMacroIni(name);
    view.loadMacroIniConfig(name);
    view.macroIncode(lines);
    return 0;
}
