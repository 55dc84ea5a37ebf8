#include "support/CommandWire.h"

#include <QElapsedTimer>
#include <QTest>

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

void checkSetReports(SimRig &rig, SimRig::Device device, const SetCall &call,
                     const QByteArray &data, const QByteArray &report, int reports, bool ack,
                     bool sleep)
{
    const int reportLength = rig.device(device).reportLength();
    const QList<QByteArray> expectedOut = outputReports(data, reportLength);
    QCOMPARE(expectedOut.size(), reports);
    // Lower bounds of pauses and sleeps always hold; the upper ones (an acknowledged pause ends
    // early, a command without pause or sleep has none) may not on a loaded machine, so a case
    // gets three tries before it fails on them.
    for (int attempt = 1;; ++attempt) {
        rig.recorder().clear();
        QByteArray caller = data;
        QElapsedTimer inSlot;
        inSlot.start();
        call(rig.hid(), bytes(caller));
        const double slotMs = inSlot.nsecsElapsed() / 1e6;
        caller.fill(char(0xEE)); // the command must have taken its copy already
        QVERIFY(rig.waitIdle());

        QCOMPARE(rig.recorder().featureOuts(), QList<QByteArray>{report});
        const QList<QByteArray> out = rig.recorder().outputs();
        QCOMPARE(out, expectedOut);
        for (const QByteArray &r : out)
            QCOMPARE(r.size(), reportLength + 1);
        const Pauses p = pauses(rig.recorder().calls());
        if (ack) {
            QVERIFY2(p.afterBlock >= 60, qPrintable(QString::number(p.afterBlock)));
            if (reports > 0)
                QVERIFY2(p.afterData >= 60, qPrintable(QString::number(p.afterData)));
        }
        if (sleep)
            QVERIFY2(slotMs >= 7.9, qPrintable(QString::number(slotMs)));
        if (shortAsPrescribed(p, ack, reports > 0) && (sleep || slotMs < 7.9))
            break;
        if (attempt == 3)
            QFAIL(qPrintable(
                QStringLiteral("too long: pause after block %1 ms, after data %2 ms, slot %3 ms")
                    .arg(p.afterBlock)
                    .arg(p.afterData)
                    .arg(slotMs)));
    }
}

void checkGetReports(SimRig &rig, const Setup &setup, const GetCall &call, const QByteArray &report,
                     int inputReports, const QByteArray &expected)
{
    setup(rig);
    rig.recorder().clear();
    QCOMPARE(call(rig.hid()), expected);
    QCOMPARE(rig.recorder().featureOuts(), QList<QByteArray>{report});
    QCOMPARE(rig.recorder().count(QStringLiteral("feature-in"), HidCall::Iface::Command), 1);
    QCOMPARE(rig.recorder().inputs().size(), inputReports);
    QCOMPARE(rig.recorder().outputs().size(), 0);
    QVERIFY(rig.hid().isIdle());
}

void checkFailedExchange(SimRig &rig, SimRig::Device device, const GetCall &call,
                         const QByteArray &expected)
{
    rig.device(device).setFault(EmulatedDevice::Fault::Stalled, true);
    QCOMPARE(call(rig.hid()), expected);
    QCOMPARE(rig.recorder().featureOuts().size(), 1);
    QVERIFY(rig.hid().isIdle());
}

void checkRoundTrip(SimRig &rig, SimRig::Device device, const SetCall &set, const GetCall &get,
                    const QByteArray &expected, QByteArray data)
{
    rig.setScrambling(true);
    QVERIFY(rig.select(device));
    rig.recorder().clear();
    rig.device(device).clearReceived();
    set(rig.hid(), data.isEmpty() ? nullptr : bytes(data));
    QCOMPARE(get(rig.hid()), expected);
    const QList<QByteArray> sent = rig.recorder().featureOuts();
    const QList<EmulatedDevice::Block> understood = rig.device(device).received();
    QCOMPARE(sent.size(), understood.size());
    for (qsizetype i = 0; i < sent.size(); ++i)
        QVERIFY(sent[i].mid(1) !=
                QByteArray(reinterpret_cast<const char *>(understood[i].data()), 8));
}

} // namespace CommandWire
