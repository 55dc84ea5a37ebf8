#include "app/StoreScreen.h"

#include "bridge/FileReplace.h"
#include "bridge/IniGuard.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {

// The folders of the stores, with the names of their files.
const struct
{
    const char *folder;
    const char *pattern;
} kStores[] = {{"setting", "*.bin"}, {"macro", "*.bin"}, {"gun", "*.bin"}, {"i18n", "*.ini"}};

} // namespace

QStringList StoreScreen::setAsideUnsafe(const QString &modulesDir)
{
    QStringList refused;
    for (const auto &store : kStores) {
        const QDir dir(modulesDir + QLatin1Char('/') + QLatin1String(store.folder));
        const QStringList names =
            dir.entryList({QLatin1String(store.pattern)}, QDir::Files | QDir::Readable);
        for (const QString &name : names) {
            const QString path = dir.filePath(name);
            if (IniGuard::fileIsSafe(path))
                continue;
            const QString aside = path + QStringLiteral(".refused");
            QFile::remove(aside);
            // Kept for the user to look at; a file that cannot be moved is emptied instead, so
            // no store ever parses it.
            if (!QFile::rename(path, aside)) {
                QFile file(path);
                if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                    continue;
            }
            refused.append(path);
            qWarning("Set aside %s: it holds values this program never writes",
                     qUtf8Printable(path));
        }
    }
    const QDir setting(modulesDir + QStringLiteral("/setting"));
    const QString apConfig = setting.filePath(QStringLiteral("apConfig.bin"));
    const QString factory = setting.filePath(QStringLiteral("apConfigD.bin"));
    if (refused.contains(apConfig) && IniGuard::fileIsSafe(factory))
        FileReplace::copyOver(factory, apConfig);
    return refused;
}
