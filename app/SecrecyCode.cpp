#include "app/SecrecyCode.h"

#include "device/DeviceKind.h"
#include "platform/DataPaths.h"

#include <QSettings>

QString storedSecrecyCode(uint did)
{
    if (did != DeviceKind::Keyboard && did != DeviceKind::Mouse)
        return {};
    const QSettings apConfig(DataPaths::apConfig(), QSettings::IniFormat);
    return apConfig
        .value(QStringLiteral("common/sCode") + QString::number(did), QStringLiteral("573914"))
        .toString();
}
