#include "bridge/myQQuickView.h"

#include "device/Hid_Thread.h"

QVariantList myQQuickView::getKeydefine(QVariant matrixId)
{
    if (!transport())
        return {};
    const QString id = QString::number(matrixId.toInt());
    switch (transport()->currentDevice()) {
    case 0:
        return currentProfile().value(QStringLiteral("keydefine/") + id).toList();
    case 1:
        return currentProfile().value(QStringLiteral("keydefine_V7/") + id).toList();
    default:
        return {};
    }
}
