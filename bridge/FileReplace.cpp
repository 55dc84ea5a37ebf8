#include "bridge/FileReplace.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace FileReplace {

bool copyOver(const QString &source, const QString &target)
{
    const QFileInfo from(source);
    if (!from.isFile())
        return false;
    const QFileInfo to(target);
    if (from.canonicalFilePath() == to.canonicalFilePath())
        return true;
    // A rename would put a plain file in place of a folder, FIFO or device.
    if (to.exists() && !to.isFile())
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[16384];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) {
            out.cancelWriting();
            break;
        }
        if (n == 0)
            break;
        if (out.write(buffer, n) != n) {
            out.cancelWriting();
            break;
        }
    }
    return out.commit();
}

} // namespace FileReplace
