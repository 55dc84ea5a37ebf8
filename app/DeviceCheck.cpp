#include "app/DeviceCheck.h"

#include "device/HidBackend.h"

#include <QSettings>

namespace {

uint16_t hex16(QSettings &s, const QString &key)
{
    return uint16_t(s.value(key).toString().toUInt(nullptr, 16));
}

} // namespace

QList<DeviceCheck::Descriptor> DeviceCheck::readDescriptors(QSettings &devInfo,
                                                            const QStringList &productNames)
{
    QList<Descriptor> list;
    for (int n = 0; n < devInfo.value(QStringLiteral("common/total"), 0).toInt(); ++n) {
        const QString p = QString::number(n) + QLatin1Char('/');
        Descriptor d;
        bool ok = false;
        const int kind = devInfo.value(p + QLatin1String("type")).toString().toInt(&ok, 16);
        d.kind = ok ? kind : -1;
        d.vid = hex16(devInfo, p + QLatin1String("vid"));
        d.pid = hex16(devInfo, p + QLatin1String("pid"));
        d.usagePage = hex16(devInfo, p + QLatin1String("usagePage"));
        d.usage = hex16(devInfo, p + QLatin1String("usage"));
        d.usagePage2 = hex16(devInfo, p + QLatin1String("usagePage2"));
        d.usage2 = hex16(devInfo, p + QLatin1String("usage2"));
        // Fewer names than devices: the missing ones are empty.
        d.productName = productNames.value(n);
        d.reportLength = devInfo.value(p + QLatin1String("reportLength")).toString().toUInt();
        list.append(d);
    }
    return list;
}

DeviceTable DeviceCheck::buildTable(const QList<Descriptor> &descriptors, HidBackend &backend)
{
    DeviceTable table;
    for (qsizetype n = 0; n < descriptors.size(); ++n) {
        const Descriptor &d = descriptors[n];
        DeviceEntry entry{d.productName, d.kind, QString(), QString(), int(d.reportLength)};
        if (n == 1) {
            QString cmd, event;
            for (const HidInterfaceInfo &i : backend.enumerate(d.vid, d.pid)) {
                if (i.usagePage == d.usagePage && i.usage == d.usage)
                    cmd = QString::fromLocal8Bit(i.path);
                if (i.usagePage == d.usagePage2 && i.usage == d.usage2)
                    event = QString::fromLocal8Bit(i.path);
                if (!cmd.isEmpty() && !event.isEmpty()) {
                    entry.cmdPath = cmd;
                    entry.eventPath = event;
                }
            }
        }
        table.append(entry);
    }
    return table;
}
