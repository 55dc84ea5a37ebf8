#pragma once

#include "device/DeviceKind.h"
#include <QList>
#include <QString>

// One device of the description, with the interfaces found for it. An empty path means the
// interface is not present.
struct DeviceEntry
{
    QString productName;
    int kind = -1; // a DeviceKind, -1 when unknown
    QString cmdPath;
    QString eventPath;
    int reportLength = 0;
};

using DeviceTable = QList<DeviceEntry>;
