#include "support/CommandWire.h"

#include <algorithm>

namespace CommandWire {

QByteArray pattern(int length, int seed)
{
    QByteArray out(length, '\0');
    for (int i = 0; i < length; ++i)
        out[i] = char((i * 37 + seed * 101 + 11) & 0xFF);
    return out;
}

QByteArray values(std::initializer_list<int> list)
{
    QByteArray out;
    for (int v : list)
        out.append(char(v));
    return out;
}

QByteArray filled(int length, const std::function<void(uchar *)> &get)
{
    QByteArray a(length, char(0xEE));
    get(bytes(a));
    return a;
}

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

QList<QByteArray> outputReports(const QByteArray &data, int reportLength)
{
    QList<QByteArray> reports;
    const int chunk = std::min(int(data.size()), reportLength);
    for (int offset = 0; chunk > 0 && offset < data.size(); offset += chunk) {
        QByteArray report(1, '\0');
        report += data.mid(offset, chunk);
        report.resize(reportLength + 1, '\0');
        reports.append(report);
    }
    return reports;
}

void program(SimRig &rig, SimRig::Device device, const QByteArray &block7, const QByteArray &data)
{
    QByteArray report(1, '\0');
    report += block7.left(7);
    report.resize(8, '\0');
    unsigned sum = 0;
    for (int i = 1; i < 8; ++i)
        sum += uint8_t(report[i]);
    report.append(char(0xFF - (sum & 0xFF)));

    SimBackend &sim = rig.sim();
    const QByteArray path = device == SimRig::Keyboard ? "sim:keyboard:cmd" : "sim:mouse:cmd";
    auto handle = sim.open(path);
    if (!handle)
        return;
    sim.sendFeatureReport(*handle, reinterpret_cast<const uint8_t *>(report.constData()),
                          size_t(report.size()));
    const int reportLength = rig.device(device).reportLength();
    for (const QByteArray &out : outputReports(data, reportLength))
        sim.write(*handle, reinterpret_cast<const uint8_t *>(out.constData()), size_t(out.size()));
}

Pauses pauses(const QList<HidCall> &calls)
{
    QList<HidCall> cmd;
    for (const HidCall &c : calls)
        if (c.iface == HidCall::Iface::Command)
            cmd.append(c);
    Pauses p;
    const auto msBetween = [](const HidCall &a, const HidCall &b) {
        return double(b.atNs - a.atNs) / 1e6;
    };
    for (qsizetype i = 0; i + 1 < cmd.size(); ++i) {
        if (cmd[i].op == QLatin1String("feature-out") && p.afterBlock < 0)
            p.afterBlock = msBetween(cmd[i], cmd[i + 1]);
        if (cmd[i].op == QLatin1String("out") && cmd[i + 1].op == QLatin1String("close"))
            p.afterData = msBetween(cmd[i], cmd[i + 1]);
    }
    return p;
}

bool shortAsPrescribed(const Pauses &p, bool ack, bool dataPhase)
{
    if (!ack)
        return p.afterBlock < 60;
    return p.afterBlock < 100 && (!dataPhase || p.afterData < 100);
}

} // namespace CommandWire
