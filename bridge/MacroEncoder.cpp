#include "bridge/MacroEncoder.h"

#include "bridge/KeyNameMap.h"
#include "device/DeviceKind.h"

#include <algorithm>

namespace {

const QString kDown = QStringLiteral("    [Down]");
const QString kUp = QStringLiteral("      [Up]");
const QString kDelay = QStringLiteral("   [Delay]");

// Pause counts that do not fit the 16-bit field saturate instead of wrapping into a short pause.
uint steps16(qint64 steps)
{
    return uint(std::min<qint64>(steps, 0xFFFF));
}

void appendWord(QList<uchar> &stream, uint value)
{
    stream << uchar((value / 256) % 256) << uchar(value % 256);
}

} // namespace

QList<uchar> MacroEncoder::encode(const QStringList &lines) const
{
    QList<uchar> stream{0x00, 0x01};
    // The last key unit, while it carries no pause yet. A short pause folds only into such a
    // unit: folding into the header or a pause unit (after a skipped line) would corrupt it.
    qsizetype foldable = -1;

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.size() < kCommandWidth)
            continue;
        const QString command = line.right(kCommandWidth);
        const QString value = line.left(line.size() - kCommandWidth);

        if (command == kDown || command == kUp) {
            const uchar code = m_keys.code(value);
            if (code == 0)
                continue;
            foldable = stream.size();
            stream << uchar(command == kDown ? 0x01 : 0x81) << code;
            continue;
        }
        if (command != kDelay)
            continue;

        bool ok = false;
        const qint64 d = value.toLongLong(&ok);
        // A pause below zero is as meaningless as one that is not a number.
        if (!ok || d <= 0)
            continue;

        if (m_kind == DeviceKind::Keyboard) {
            stream << 0x7F << 0x00;
            appendWord(stream, steps16(d / 10));
        } else if (m_kind == DeviceKind::Mouse) {
            const bool afterPause = i > 0 && lines[i - 1].right(kCommandWidth) == kDelay;
            const qint64 n = (std::max<qint64>(d, 20) + 10) / 20;
            if (d <= 1270 && !afterPause && foldable >= 0) {
                const int u = int((std::max<qint64>(d, 10) + 5) / 10);
                stream[foldable] = uchar((stream[foldable] & 0x80) | u);
            } else if (d > 1270 && d <= 5100) {
                stream << uchar(n) << 0x01;
            } else {
                stream << 0x00 << 0x01;
                appendWord(stream, steps16(n));
            }
            foldable = -1;
        }
    }
    stream << 0x00 << 0x00;
    return stream;
}
