#include "app/DataDir.h"

#include "app/StoreScreen.h"

#include "bridge/FileReplace.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef V7_SHARE_FROM_BIN
#define V7_SHARE_FROM_BIN "../share/v7config/modules"
#endif

QString DataDir::defaultFolder(const QString &exeDir)
{
    const QFileInfo beside(exeDir + QStringLiteral("/modules"));
    if (beside.isDir() && beside.isWritable())
        return QDir::cleanPath(exeDir);
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1Char('/') + QCoreApplication::applicationName();
}

QString DataDir::shippedModules(const QString &exeDir)
{
    const QString installed =
        QDir::cleanPath(exeDir + QLatin1Char('/') + QStringLiteral(V7_SHARE_FROM_BIN));
    if (QFileInfo(installed).isDir())
        return installed;
    return QDir::cleanPath(exeDir + QStringLiteral("/modules"));
}

bool DataDir::seed(const QString &shipped, const QString &folder)
{
    const QDir from(shipped);
    const QDir to(folder + QStringLiteral("/modules"));
    bool ok = true;
    QDirIterator it(from.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = from.relativeFilePath(source);
        // A build folder's copy of the scene is compiled in anyway.
        if (relative.startsWith(QLatin1String("qml/")))
            continue;
        const QString target = to.filePath(relative);
        if (QFileInfo::exists(target))
            continue;
        // Through a temporary file, so an interrupted start never leaves a half file to keep.
        if (!QDir().mkpath(QFileInfo(target).path()) || !FileReplace::copyOver(source, target))
            ok = false;
    }
    return ok;
}

bool DataDir::enter(const QString &folder, const QString &exeDir)
{
    if (!QDir().mkpath(folder))
        return false;
    // Before seeding, so a shipped file set aside is copied in again.
    StoreScreen::setAsideUnsafe(folder + QStringLiteral("/modules"));
    const QString shipped = shippedModules(exeDir);
    const QString own = QFileInfo(folder + QStringLiteral("/modules")).canonicalFilePath();
    if (own.isEmpty() || own != QFileInfo(shipped).canonicalFilePath()) {
        if (!seed(shipped, folder))
            qWarning("Some files could not be copied from %s", qUtf8Printable(shipped));
    }
    if (!QDir::setCurrent(folder))
        return false;
    qDebug("Data folder: %s", qUtf8Printable(QDir::currentPath()));
    return true;
}
