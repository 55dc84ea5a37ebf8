#include "bridge/UserFile.h"

#include "bridge/IniGuard.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace UserFile {

QString startFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

bool isIniWithGroup(const QString &path, const QStringList &groups)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable() || info.size() > kMaxImportBytes ||
        !IniGuard::fileIsSafe(path))
        return false;
    const QSettings ini(path, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return false;
    for (const QString &group : ini.childGroups())
        if (groups.contains(group))
            return true;
    return false;
}

} // namespace UserFile
