#include "bridge/desktop/PointerSettings.h"

#include "bridge/desktop/GnomePointerSettings.h"
#include "bridge/desktop/KdePointerSettings.h"

#include <QString>
#include <QStringList>

std::unique_ptr<PointerSettings> PointerSettings::forDesktop()
{
    // A colon-separated list such as "ubuntu:GNOME".
    const QStringList desktops =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &desktop : desktops) {
        if (desktop.compare(QLatin1String("KDE"), Qt::CaseInsensitive) == 0)
            return std::make_unique<KdePointerSettings>();
        if (desktop.compare(QLatin1String("GNOME"), Qt::CaseInsensitive) == 0)
            return std::make_unique<GnomePointerSettings>();
    }
    return std::make_unique<NoPointerSettings>();
}
