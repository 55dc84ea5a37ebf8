// A language file holding arbitrary bytes.
#include "FuzzHarness.h"

#include "bridge/myQQuickView.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (FuzzHarness::refusedByStores(data, size))
        return 0;
    myQQuickView &view = FuzzHarness::view();
    const QString code = QStringLiteral("025044");
    FuzzHarness::writeFile(QStringLiteral("modules/i18n/lang_") + code + QStringLiteral(".ini"),
                           data, size);
    view.chkLanguages();
    view.getGlobalStrings(code);
    view.getProductLayoutStrings_V7(code);
    for (int i = 0; i < 16; ++i)
        view.messageString(i);
    return 0;
}
