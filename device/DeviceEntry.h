#pragma once

#include <QList>
#include <QString>

// One device of the description, with the interfaces found for it. An empty path means the
// interface is not present.
struct DeviceEntry
{
    QString productName;
    int kind = -1; // 0 keyboard, 1 mouse
    QString cmdPath;
    QString eventPath;
    int reportLength = 0;
};

using DeviceTable = QList<DeviceEntry>;
