// The macro encoder fed arbitrary script lines, for both device kinds.
#include "FuzzHarness.h"

#include "bridge/KeyNameMap.h"
#include "bridge/MacroEncoder.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const KeyNameMap keys = [] {
        KeyNameMap k;
        k.build();
        return k;
    }();
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size))
            .split(QLatin1Char('\n'));
    for (int kind = 0; kind < 2; ++kind)
        MacroEncoder(keys, kind).encode(lines);
    return 0;
}
