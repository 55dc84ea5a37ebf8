#pragma once

#include "device/DeviceEntry.h"

#include <QStringList>

#include <cstdint>

class HidBackend;
class QSettings;

// Reading the embedded device description and finding its interfaces.
namespace DeviceCheck {

struct Descriptor
{
    int kind = -1;
    uint16_t vid = 0, pid = 0;
    uint16_t usagePage = 0, usage = 0, usagePage2 = 0, usage2 = 0;
    QString productName;
    unsigned reportLength = 0;
};

QList<Descriptor> readDescriptors(QSettings &devInfo, const QStringList &productNames);
// One entry per descriptor, in order; only position 1 is looked up among the interfaces.
DeviceTable buildTable(const QList<Descriptor> &descriptors, HidBackend &backend);

} // namespace DeviceCheck
