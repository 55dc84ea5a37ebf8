#include "bridge/StaleLock.h"

#include <QFileInfo>
#include <QLockFile>

namespace StaleLock {

void clear(const QString &iniPath)
{
    const QString lockPath = iniPath + QStringLiteral(".lock");
    if (!QFileInfo::exists(lockPath))
        return;
    QLockFile lock(lockPath);
    // Any age counts: a holder that is alive keeps its flock on the file, and Qt never removes
    // a lock it cannot flock, so only a dead holder's lock goes.
    lock.setStaleLockTime(1);
    if (lock.tryLock(0))
        lock.unlock();
}

} // namespace StaleLock
