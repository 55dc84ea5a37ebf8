// The transport and its handshake: a busy or vanished device, the thread pool on a small
// machine, the Secrecy Code exchange and demo mode, the scrambling steps, and the races of the
// emulator and the trace.
#include "device/HidTrace.h"
#include "device/Scrambler.h"
#include "platform/Dialogs.h"
#include "support/SimRig.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

// Each case runs in a folder of its own whose apConfig.bin holds the codes under test.
class tst_Transport : public QObject
{
    Q_OBJECT

    QString m_oldDir;
    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs *m_boxes = nullptr;

    void writeCode(const QString &code, uint did = 1)
    {
        QSettings s(QStringLiteral("modules/setting/apConfig.bin"), QSettings::IniFormat);
        s.setValue(QStringLiteral("common/sCode%1").arg(did), code);
    }

private slots:
    void init()
    {
        m_oldDir = QDir::currentPath();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("modules/setting")));
        QDir::setCurrent(m_dir->path());
        auto boxes = std::make_unique<ScriptedDialogs>(false);
        m_boxes = boxes.get();
        Dialogs::setInstance(std::move(boxes));
    }
    void cleanup()
    {
        QDir::setCurrent(m_oldDir);
        m_dir.reset();
    }

    // A taken transport drops Sets, fails Gets and the handshake, and touches no device.
    void busyTransportSendsNothing()
    {
        SimRig rig;
        QVERIFY(rig.takeTransport());
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 0B");
        rig.hid().hid_0BH_SetCurrentDPIStage(3);
        uchar effect = 9, o1 = 9, o2 = 9;
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed");
        rig.hid().hid_8DH_GetRGBLedEffect(effect, o1, o2);
        QCOMPARE(effect, uchar(9));
        // Busy is not a failed exchange: the version the caller had stays.
        QString version = QStringLiteral("kept");
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed");
        rig.hid().hid_80H_GetFWVersion(version);
        QCOMPARE(version, QStringLiteral("kept"));
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 00");
        QTest::ignoreMessage(QtDebugMsg, "Device Error");
        rig.hid().chkDeviceIsEnCode();
        QVERIFY(!rig.hid().isVerified());
        QVERIFY(!rig.hid().isIdle()); // a failed wait leaves the flag alone
        QVERIFY(rig.recorder().calls().isEmpty());
        rig.releaseTransport();
    }

    void unplugEmptiesThePathUntilTheNextCheck()
    {
        SimRig rig;
        rig.sim().unplug(QStringLiteral("mouse"));
        uchar rate = 0x44;
        rig.hid().hid_81H_GetReportRate(rate);
        QCOMPARE(rate, uchar(0x44));
        QVERIFY(rig.hid().deviceTable()[1].cmdPath.isEmpty());
        QVERIFY(rig.hid().isIdle());
        // Back again, but the path stays empty: later commands fail without touching the device.
        rig.sim().plug(QStringLiteral("mouse"));
        rig.hid().hid_81H_GetReportRate(rate);
        QCOMPARE(rate, uchar(0x44));
        QCOMPARE(rig.recorder().count(QStringLiteral("open-failed")), 1);
        QCOMPARE(rig.recorder().count(QStringLiteral("open")), 0);
        rig.hid().replaceDeviceTable(SimRig::deviceTable());
        rig.hid().hid_81H_GetReportRate(rate);
        QCOMPARE(rate, uchar(0x02));
    }

    // The listener keeps a pool thread; a one-thread pool would leave none for Set transfers.
    void setTransfersRunBesideTheListenerOnOneCore()
    {
        QThreadPool::globalInstance()->setMaxThreadCount(1);
        SimRig rig;
        rig.listen(SimRig::Mouse);
        rig.hid().hid_0BH_SetCurrentDPIStage(4);
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.mouse().parameters(0x0B).at(0), '\x04');
    }

    void failureWarnsAndAsksToClose_data()
    {
        QTest::addColumn<int>("fault"); // on the mouse, or none (-1)
        QTest::addColumn<uint>("device");
        QTest::addColumn<QString>("box");
        const QString mouse = QStringLiteral("Can not detect V7 Gaming Mouse !");
        QTest::newRow("wrong echo") << int(EmulatedDevice::Fault::WrongEcho) << 1u << mouse;
        QTest::newRow("unplugged") << int(EmulatedDevice::Fault::Unplugged) << 1u << mouse;
        QTest::newRow("stalled") << int(EmulatedDevice::Fault::Stalled) << 1u << mouse;
        // A device beyond the table reads no code, so its demo code does not count.
        QTest::newRow("no such device") << -1 << 2u << QStringLiteral("Can not detect  !");
    }
    void failureWarnsAndAsksToClose()
    {
        QFETCH(int, fault);
        QFETCH(uint, device);
        QFETCH(QString, box);
        SimRig rig;
        rig.setScrambling(true);
        if (fault >= 0)
            rig.mouse().setFault(EmulatedDevice::Fault(fault), true);
        writeCode(QStringLiteral("r-vostel"), 2);
        QSignalSpy close(&rig.hid(), &Hid_Thread::closeRequested);
        QTest::ignoreMessage(QtDebugMsg, "Device Error");
        rig.hid().swichCurDevice(device);
        QVERIFY(!rig.hid().isVerified());
        QVERIFY(!rig.hid().isDemo());
        QCOMPARE(close.size(), 1);
        QCOMPARE(m_boxes->shown(), QList<QStringList>({{QString(), box}}));
    }

    void demoCodeEntersDemoModeOnlyWhenTheDeviceFails()
    {
        writeCode(QStringLiteral("r-vostel"));
        {
            // A device that answers runs normally even with the demo code set. The demo code
            // is not 6 characters, so both sides scramble with the all-zero code.
            SimRig rig;
            rig.setScrambling(true);
            rig.mouse().setSecrecyCode(QByteArray());
            QVERIFY(rig.select(SimRig::Mouse));
            QVERIFY(!rig.hid().isDemo());
            QVERIFY(rig.hid().isEncode());
        }
        SimRig rig;
        rig.setScrambling(true);
        rig.mouse().setFault(EmulatedDevice::Fault::WrongEcho, true);
        QSignalSpy close(&rig.hid(), &Hid_Thread::closeRequested);
        rig.select(SimRig::Mouse);
        QVERIFY(rig.hid().isDemo());
        QVERIFY(rig.hid().isVerified());
        QVERIFY(!rig.hid().isEncode());
        QCOMPARE(close.size(), 0);
        QVERIFY(m_boxes->shown().isEmpty());

        // Every transfer is refused at once: nothing reaches the backend.
        rig.recorder().clear();
        uchar rate = 0x33;
        rig.hid().hid_81H_GetReportRate(rate);
        QCOMPARE(rate, uchar(0x33));
        uchar dpi[8] = {};
        rig.hid().hid_11H_SetDPISet(4, dpi);
        QVERIFY(rig.waitIdle());
        QString version = QStringLiteral("x");
        rig.hid().hid_80H_GetFWVersion(version);
        QCOMPARE(version, QStringLiteral("unknown"));
        QVERIFY(rig.recorder().calls().isEmpty());

        // Later checks keep demo mode.
        rig.mouse().setFault(EmulatedDevice::Fault::WrongEcho, false);
        rig.hid().chkDeviceIsEnCode();
        QVERIFY(rig.hid().isDemo());
        QVERIFY(rig.hid().isVerified());
    }

    // Without a setting the factory code is used on both sides; a code of the wrong length
    // keeps the previous one, a 6-character one replaces it.
    void secrecyCodeFromTheSettings()
    {
        SimRig rig;
        rig.setScrambling(true);
        QTest::ignoreMessage(QtDebugMsg, "Device Connect");
        QVERIFY(rig.select(SimRig::Mouse));
        QVERIFY(!rig.hid().isDemo());
        QVERIFY(m_boxes->shown().isEmpty());
        // The challenge went out scrambled: the plain 00H block is not on the wire.
        const auto out = rig.recorder().featureOuts();
        QCOMPARE(out.size(), 1);
        QVERIFY(out[0].at(1) != 0x00 || out[0].at(6) != 0x00 || out[0].at(7) != 0x00);
        QCOMPARE(rig.mouse().received().last()[0], uint8_t(0x00));

        writeCode(QStringLiteral("12345"));
        rig.hid().chkDeviceIsEnCode();
        QVERIFY(rig.hid().isVerified());
        writeCode(QStringLiteral("246810"));
        rig.mouse().setSecrecyCode("246810");
        rig.hid().chkDeviceIsEnCode();
        QVERIFY(rig.hid().isVerified());
        writeCode(QStringLiteral("1234567"));
        rig.hid().chkDeviceIsEnCode();
        QVERIFY(rig.hid().isVerified());
    }

    // Worked out by hand from the four steps with the factory code "573914"; the devices
    // decipher with the same steps, so only a known answer can tell the steps changed.
    void scramblerKnownAnswer()
    {
        uint8_t s[8] = {0, '5', '7', '3', '9', '1', '4', 0};
        uint8_t block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        Hid_Thread hid;
        hid.USBDataEncryption(block, s);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(block), 8).toHex(' '),
                 QByteArray("76 98 6e 77 ff 45 76 bf"));
        hid.USBDataDecipher(block, s);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(block), 8).toHex(' '),
                 QByteArray("01 02 03 04 05 06 07 08"));
        QRandomGenerator rng(7);
        for (int i = 0; i < 20000; ++i) {
            const quint64 original = rng.generate64(), code = rng.generate64();
            quint64 b = original;
            const auto *key = reinterpret_cast<const uint8_t *>(&code);
            Scrambler::encrypt(reinterpret_cast<uint8_t *>(&b), key);
            Scrambler::decrypt(reinterpret_cast<uint8_t *>(&b), key);
            QCOMPARE(b, original);
        }
    }

    void clearingAStallWakesAWaitingReader()
    {
        // A reader that checks between the fault's change and the wake-up must not sleep
        // through it: a lost wake-up shows as a read woken only by its timeout. Many rounds of
        // varying delay make the window likely.
        EmulatedDevice mouse(1);
        mouse.setScrambling(false);
        uint8_t get[9] = {0, 0x91, 0, 0, 0, 0, 0, 0, uint8_t(0xFF - 0x91)};
        constexpr int kRounds = 300000;
        constexpr int kTimeoutMs = 3000;
        std::atomic<int> round{0}, done{0}, lost{0};
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
                if (mouse.dataIn(report, sizeof report, kTimeoutMs) <= 0 ||
                    t.elapsed() >= kTimeoutMs)
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

    void traceSwitchesWhileTransfersRun()
    {
        // Tracing goes on and off while another thread traces; the race detector build checks
        // it, and no line may come out torn.
        const QByteArray path = m_dir->filePath(QStringLiteral("hid.trace")).toLocal8Bit();
        std::atomic<bool> stop{false}, started{false};
        QVERIFY(HidTrace::instance().open(path)); // the first line is written whole
        std::thread writer([&] {
            const uint8_t bytes[2] = {1, 2};
            while (!stop.load()) {
                HidTrace::instance().bytes("feature-in", 1, HidTrace::Role::Command, bytes, 2,
                                           true);
                started.store(true);
            }
        });
        while (!started.load())
            std::this_thread::yield();
        for (int i = 0; i < 200; ++i)
            QVERIFY(HidTrace::instance().open(i % 2 ? path : QByteArray()));
        stop.store(true);
        writer.join();
        HidTrace::instance().open(QByteArray());
        QFile f(QString::fromLocal8Bit(path));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QVERIFY(lines.size() > 1);
        for (const QByteArray &l : lines.mid(0, lines.size() - 1))
            QVERIFY2(l.endsWith(" feature-in 1 cmd 01 02"), l.constData());
    }
};

QTEST_MAIN(tst_Transport)
#include "tst_transport.moc"
