#include "device/HidTrace.h"
#include "device/Hid_Thread.h"
#include "sim/SimBackend.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

namespace {

struct TraceLine
{
    QString op;
    int did;
    QString role;
    QByteArray bytes; // or the path
    bool err;
};

} // namespace

class TestTransport : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void traceLineFormat();
    void dataPhaseInWholeReports();
    void acknowledgeShortensThePause();
    void busyTransportDropsSetAndSendsNothing();
    void unplugEmptiesPathUntilNextCheck();
    void stalledDeviceFailsGetAndReleasesTransport();
    void demoModeRefusesEveryTransfer();
    void setTransfersRunBesideTheListenerOnOneCore();
    void clearingAStallWakesAWaitingReader();
    void traceSwitchesWhileTransfersRun();

private:
    QList<TraceLine> trace();
    QList<TraceLine> ops(const QString &op);
    void waitIdle();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_tracePath;
    std::unique_ptr<SimBackend> m_sim;
    std::unique_ptr<Hid_Thread> m_hid;
};

void TestTransport::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_tracePath = m_dir->filePath(QStringLiteral("hid.trace"));
    QVERIFY(HidTrace::instance().open(m_tracePath.toLocal8Bit()));
    m_sim = std::make_unique<SimBackend>(
        QStringList{QStringLiteral("mouse"), QStringLiteral("keyboard")});
    m_sim->mouse()->setScrambling(false);
    m_sim->keyboard()->setScrambling(false);
    m_hid = std::make_unique<Hid_Thread>();
    m_hid->setBackend(m_sim.get());
    m_hid->replaceDeviceTable(SimBackend::deviceTable());
}

void TestTransport::cleanup()
{
    waitIdle();
    m_hid.reset();
    m_sim.reset();
    HidTrace::instance().open(QByteArray());
}

void TestTransport::waitIdle()
{
    QDeadlineTimer deadline(10000);
    while (m_hid && !m_hid->isIdle() && !deadline.hasExpired())
        QTest::qWait(5);
}

QList<TraceLine> TestTransport::trace()
{
    QFile f(m_tracePath);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<TraceLine> lines;
    static const QRegularExpression re(QStringLiteral(
        "^(\\d+\\.\\d{6}) (\\S+) (\\d+) (cmd|event)((?: [0-9a-f]{2})*|(?: \\S+))?( ERR)?$"));
    for (const QByteArray &raw : f.readAll().split('\n')) {
        if (raw.isEmpty())
            continue;
        const auto m = re.match(QString::fromUtf8(raw));
        if (!m.hasMatch()) {
            qWarning() << "bad trace line" << raw;
            return {};
        }
        const QString rest = m.captured(5).trimmed();
        const bool hex =
            m.captured(2) != QLatin1String("open") && m.captured(2) != QLatin1String("open-failed");
        lines.append({m.captured(2), m.captured(3).toInt(), m.captured(4),
                      hex ? QByteArray::fromHex(rest.toLatin1()) : rest.toLatin1(),
                      !m.captured(6).isEmpty()});
    }
    return lines;
}

QList<TraceLine> TestTransport::ops(const QString &op)
{
    QList<TraceLine> out;
    for (const TraceLine &l : trace())
        if (l.op == op)
            out.append(l);
    return out;
}

void TestTransport::traceLineFormat()
{
    uchar rate = 0x44;
    m_hid->hid_81H_GetReportRate(rate);
    QCOMPARE(rate, uchar(0x02));
    const auto lines = trace();
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0].op, QStringLiteral("open"));
    QCOMPARE(lines[0].bytes, QByteArray("sim:mouse:cmd"));
    QCOMPARE(lines[0].did, 1);
    QCOMPARE(lines[0].role, QStringLiteral("cmd"));
    QCOMPARE(lines[1].op, QStringLiteral("feature-out"));
    QCOMPARE(lines[1].bytes.toHex(' '), QByteArray("00 81 00 00 00 00 00 00 7e"));
    QCOMPARE(lines[2].op, QStringLiteral("feature-in"));
    QCOMPARE(lines[2].bytes.size(), 9);
    QCOMPARE(lines[3].op, QStringLiteral("close"));
}

void TestTransport::dataPhaseInWholeReports()
{
    // 24 bytes over 32-byte reports: one report, the data then 8 zeros.
    uchar colours[24];
    for (int i = 0; i < 24; ++i)
        colours[i] = uchar(i + 1);
    m_hid->hid_10H_SetLED8StageColor(0, colours);
    waitIdle();
    auto out = ops(QStringLiteral("out"));
    QCOMPARE(out.size(), 1);
    QCOMPARE(out[0].bytes.size(), 33);
    QCOMPARE(out[0].bytes.at(0), '\0');
    QCOMPARE(out[0].bytes.mid(1, 24), QByteArray(reinterpret_cast<char *>(colours), 24));
    QCOMPARE(out[0].bytes.mid(25), QByteArray(8, '\0'));
    QCOMPARE(m_sim->mouse()->storedData(0x10, 0),
             QByteArray(reinterpret_cast<char *>(colours), 24));

    // 512 bytes over 32-byte reports: 16 reports of 33 bytes, in order.
    QVERIFY(HidTrace::instance().open(QByteArray()));
    QFile::remove(m_tracePath);
    QVERIFY(HidTrace::instance().open(m_tracePath.toLocal8Bit()));
    m_hid->swichCurDevice(1); // keeps the mouse; its handshake is part of the trace
    uchar matrix[512];
    for (int i = 0; i < 512; ++i)
        matrix[i] = uchar(i * 7);
    m_hid->hid_0DH_SetKeyMatrix(matrix);
    waitIdle();
    out = ops(QStringLiteral("out"));
    QCOMPARE(out.size(), 16);
    QByteArray joined;
    for (const TraceLine &l : out) {
        QCOMPARE(l.bytes.size(), 33);
        QCOMPARE(l.bytes.at(0), '\0');
        joined += l.bytes.mid(1);
    }
    QCOMPARE(joined, QByteArray(reinterpret_cast<char *>(matrix), 512));
}

void TestTransport::acknowledgeShortensThePause()
{
    m_hid->startListening(1);
    QTRY_VERIFY(!ops(QStringLiteral("open")).isEmpty()); // the listener has the event interface
    // Time a whole Set transfer: the command block, then the acknowledge pause.
    const auto timeSet = [this] {
        QElapsedTimer t;
        t.start();
        m_hid->hid_0BH_SetCurrentDPIStage(2);
        while (!m_hid->isIdle())
            QThread::msleep(1);
        return t.elapsed();
    };
    // Without an acknowledge the pause is two slices of 64 ms, so a transfer that ends sooner
    // ended at the acknowledge; a loaded machine only delays, so try until one does.
    qint64 withAck = 1 << 30;
    for (int i = 0; i < 50 && withAck >= 128; ++i)
        withAck = std::min(withAck, timeSet());
    m_sim->mouse()->setFault(EmulatedDevice::Fault::NoAck, true);
    const qint64 withoutAck = timeSet();
    m_hid->stopListening();
    QVERIFY2(withAck >= 64 && withAck < 128, qPrintable(QString::number(withAck)));
    QVERIFY2(withoutAck >= 128, qPrintable(QString::number(withoutAck)));
}

void TestTransport::busyTransportDropsSetAndSendsNothing()
{
    QVERIFY(m_hid->waitIdle());
    QTest::ignoreMessage(QtDebugMsg, "cmd Failed 0B");
    m_hid->hid_0BH_SetCurrentDPIStage(3);
    QVERIFY(trace().isEmpty());
    QVERIFY(!m_hid->isIdle()); // a failed wait leaves the flag alone

    uchar stage = 9, effect = 9, o1 = 9, o2 = 9;
    QTest::ignoreMessage(QtDebugMsg, "cmd Failed");
    m_hid->hid_8DH_GetRGBLedEffect(effect, o1, o2);
    QCOMPARE(effect, uchar(9));
    QVERIFY(trace().isEmpty());
    Q_UNUSED(stage);
    // Only a transfer gives the flag back.
    m_hid->replaceDeviceTable({});
    QVERIFY(!m_hid->recvCmd(0));
    QVERIFY(m_hid->isIdle());
}

void TestTransport::unplugEmptiesPathUntilNextCheck()
{
    m_sim->unplug(QStringLiteral("mouse"));
    uchar rate = 0x44;
    m_hid->hid_81H_GetReportRate(rate);
    QCOMPARE(rate, uchar(0x44));
    QCOMPARE(ops(QStringLiteral("open-failed")).size(), 1);
    QVERIFY(m_hid->deviceTable()[1].cmdPath.isEmpty());
    QVERIFY(m_hid->isIdle());

    // Back again, but the path stays empty: later commands fail without touching the device.
    m_sim->plug(QStringLiteral("mouse"));
    m_hid->hid_81H_GetReportRate(rate);
    QCOMPARE(rate, uchar(0x44));
    QCOMPARE(ops(QStringLiteral("open-failed")).size(), 1);
    QCOMPARE(ops(QStringLiteral("open")).size(), 0);

    m_hid->replaceDeviceTable(SimBackend::deviceTable());
    m_hid->hid_81H_GetReportRate(rate);
    QCOMPARE(rate, uchar(0x02));
}

void TestTransport::stalledDeviceFailsGetAndReleasesTransport()
{
    m_sim->mouse()->setFault(EmulatedDevice::Fault::Stalled, true);
    uchar stages = 7;
    uchar dpi[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    // Ends at the read's own timeout; a hang would end the test at ctest's.
    QVERIFY(!m_hid->hid_91H_GetDPISet(stages, dpi));
    QCOMPARE(stages, uchar(7));
    QCOMPARE(dpi[7], uchar(8));
    QVERIFY(m_hid->isIdle());
    const auto in = ops(QStringLiteral("feature-in"));
    QCOMPARE(in.size(), 1);
    QVERIFY(in[0].err);
    QCOMPARE(ops(QStringLiteral("close")).size(), 1);
}

void TestTransport::demoModeRefusesEveryTransfer()
{
    // Demo mode comes from the handshake; see the handshake tests. Here: an empty table entry
    // refuses at once, the same path a demo run takes.
    m_hid->replaceDeviceTable({});
    uchar profile = 5;
    m_hid->hid_82H_GetCurrentProfile(profile);
    QCOMPARE(profile, uchar(5));
    m_hid->hid_01H_SetReportRate(1);
    waitIdle();
    QVERIFY(trace().isEmpty());
}

void TestTransport::setTransfersRunBesideTheListenerOnOneCore()
{
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    Hid_Thread hid;
    hid.setBackend(m_sim.get());
    hid.replaceDeviceTable(SimBackend::deviceTable());
    hid.startListening(1);
    hid.hid_0BH_SetCurrentDPIStage(4);
    QDeadlineTimer deadline(10000);
    while (!hid.isIdle() && !deadline.hasExpired())
        QTest::qWait(5);
    QVERIFY(hid.isIdle());
    QCOMPARE(m_sim->mouse()->parameters(0x0B).at(0), '\x04');
    hid.stopListening();
}

void TestTransport::clearingAStallWakesAWaitingReader()
{
    // A reader that checks between the fault's change and the wake-up must not sleep through
    // it: a lost wake-up shows as a read woken only by its timeout. Many rounds of varying
    // delay make the window likely.
    EmulatedDevice &mouse = *m_sim->mouse();
    uint8_t get[9] = {0, 0x91, 0, 0, 0, 0, 0, 0, 0};
    get[8] = uint8_t(0xFF - 0x91);
    constexpr int kRounds = 300000;
    constexpr int kTimeoutMs = 3000;
    std::atomic<int> round{0};
    std::atomic<int> done{0};
    std::atomic<int> lost{0};
    std::atomic<bool> stop{false};
    std::thread reader([&] {
        uint8_t report[33];
        for (int r = 1; r <= kRounds; ++r) {
            while (round.load() < r)
                if (stop.load())
                    return;
                else
                    std::this_thread::yield();
            QElapsedTimer t;
            t.start();
            if (mouse.dataIn(report, sizeof report, kTimeoutMs) <= 0 || t.elapsed() >= kTimeoutMs)
                lost.fetch_add(1);
            done.store(r);
        }
    });
    for (int r = 1; r <= kRounds && lost.load() == 0; ++r) {
        QCOMPARE(mouse.featureOut(get, sizeof get), int(sizeof get));
        mouse.setFault(EmulatedDevice::Fault::Stalled, true);
        round.store(r);
        for (int spin = r % 512; spin > 0; --spin)
            std::atomic_signal_fence(std::memory_order_seq_cst);
        mouse.setFault(EmulatedDevice::Fault::Stalled, false);
        while (done.load() < r)
            std::this_thread::yield();
    }
    stop.store(true);
    reader.join();
    QCOMPARE(lost.load(), 0);
}

void TestTransport::traceSwitchesWhileTransfersRun()
{
    // Tracing goes on and off while another thread traces; the race detector build checks it.
    std::atomic<bool> stop{false};
    std::atomic<bool> started{false};
    std::thread writer([&] {
        const uint8_t bytes[2] = {1, 2};
        while (!stop.load()) {
            HidTrace::instance().bytes("feature-in", 1, HidTrace::Role::Command, bytes, 2, true);
            started.store(true);
        }
    });
    while (!started.load())
        std::this_thread::yield();
    for (int i = 0; i < 200; ++i)
        QVERIFY(HidTrace::instance().open(i % 2 ? m_tracePath.toLocal8Bit() : QByteArray()));
    stop.store(true);
    writer.join();
    const auto lines = trace();
    QVERIFY(!lines.isEmpty());
    for (const TraceLine &l : lines)
        QCOMPARE(l.bytes, QByteArray("\x01\x02", 2));
}

QTEST_MAIN(TestTransport)
#include "tst_transport.moc"
