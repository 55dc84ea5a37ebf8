#include "app/DeviceCheck.h"
#include "app/Widget.h"
#include "platform/Dialogs.h"
#include "sim/SimBackend.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

using Interfaces = QList<HidInterfaceInfo>;
Q_DECLARE_METATYPE(Interfaces)

namespace {

// Enumerates a fixed list of interfaces, for the device lookup.
class ListBackend final : public HidBackend
{
public:
    QList<HidInterfaceInfo> interfaces;
    QList<QPair<uint16_t, uint16_t>> asked;
    HidOpenFailure why = HidOpenFailure::Unknown; // every open fails, for this reason

    QList<HidInterfaceInfo> enumerate(uint16_t vid, uint16_t pid) override
    {
        asked.append({vid, pid});
        return interfaces;
    }
    std::unique_ptr<HidHandle> open(const QByteArray &) override { return nullptr; }
    HidOpenFailure whyOpenFailed(const QByteArray &) override { return why; }
    int setNonblocking(HidHandle &, bool) override { return -1; }
    int sendFeatureReport(HidHandle &, const uint8_t *, size_t) override { return -1; }
    int getFeatureReport(HidHandle &, uint8_t *, size_t) override { return -1; }
    int write(HidHandle &, const uint8_t *, size_t) override { return -1; }
    int readTimeout(HidHandle &, uint8_t *, size_t, int) override { return -1; }
};

const QStringList kNames = {QStringLiteral("Keyboard"), QStringLiteral("Mouse")};

} // namespace

// New transports use the backend a case names; every box is recorded.
class TestDeviceCheck : public QObject
{
    Q_OBJECT
    ScriptedDialogs *m_boxes = nullptr;

private slots:
    void init()
    {
        auto dialogs = std::make_unique<ScriptedDialogs>(false);
        m_boxes = dialogs.get();
        Dialogs::setInstance(std::move(dialogs));
    }
    void cleanup() { Hid_Thread::setDefaultBackend(nullptr); }

    // Only the mouse (position 1, the shipped ids) is looked up; a pair matches only when usage
    // page and usage both do, the later of two matches wins, and without an event interface
    // there is no mouse at all.
    void interfacesOfTheMouse_data()
    {
        QTest::addColumn<Interfaces>("interfaces");
        QTest::addColumn<QString>("cmd");
        QTest::addColumn<QString>("event");
        const HidInterfaceInfo cmd1{"/dev/hidraw1", 0xff00, 0xff00};
        const HidInterfaceInfo event2{"/dev/hidraw2", 0xff01, 0xff01};
        QTest::newRow("both") << Interfaces{cmd1, event2} << "/dev/hidraw1"
                              << "/dev/hidraw2";
        QTest::newRow("usage wrong")
            << Interfaces{cmd1, {"/dev/hidraw2", 0xff01, 0x0001}} << QString() << QString();
        QTest::newRow("later wins")
            << Interfaces{cmd1, event2, cmd1, {"/dev/hidraw5", 0xff00, 0xff00}} << "/dev/hidraw5"
            << "/dev/hidraw2";
    }
    void interfacesOfTheMouse()
    {
        QFETCH(Interfaces, interfaces);
        QFETCH(QString, cmd);
        QFETCH(QString, event);
        QSettings devInfo(QStringLiteral(":/DevInfo.ini"), QSettings::IniFormat);
        ListBackend backend;
        backend.interfaces = interfaces;
        const DeviceTable table =
            DeviceCheck::buildTable(DeviceCheck::readDescriptors(devInfo, kNames), backend);
        QCOMPARE(table.size(), 2);
        QVERIFY(table[0].cmdPath.isEmpty() && table[0].eventPath.isEmpty());
        QCOMPARE(table[1].cmdPath, cmd);
        QCOMPARE(table[1].eventPath, event);
        QCOMPARE(table[1].reportLength, 32);
        QCOMPARE(table[1].productName, QStringLiteral("Mouse"));
        QCOMPARE(backend.asked, (QList<QPair<uint16_t, uint16_t>>{{0x04d9, 0xa09f}}));
    }
    // On the emulated mouse: the check finds it, passes the handshake and starts the listener; the
    // listener ends when the mouse goes and runs again after the next check; a check without the
    // mouse tells the user and asks to close.
    void checkRunsTheHandshakeAndTheListener()
    {
        SimBackend sim({QStringLiteral("mouse")});
        Hid_Thread::setDefaultBackend(&sim);
        Widget w;
        QVERIFY(!w.transport().isListening());
        w.checkDevice();
        QVERIFY(w.transport().isVerified());
        QVERIFY(w.transport().isEncode());
        QVERIFY(w.transport().isListening());
        const DeviceTable t = w.transport().deviceTable();
        QCOMPARE(t[1].cmdPath, QStringLiteral("sim:mouse:cmd"));
        QCOMPARE(t[1].eventPath, QStringLiteral("sim:mouse:event"));

        sim.mouse()->setFault(EmulatedDevice::Fault::Unplugged, true);
        QTRY_VERIFY_WITH_TIMEOUT(!w.transport().isListening(), 10000);
        sim.mouse()->setFault(EmulatedDevice::Fault::Unplugged, false);
        w.checkDevice();
        QVERIFY(w.transport().isVerified());
        QVERIFY(w.transport().isListening());

        QSignalSpy close(&w.transport(), &Hid_Thread::closeRequested);
        sim.unplug(QStringLiteral("mouse"));
        w.checkDevice();
        QVERIFY(!w.transport().isVerified());
        QCOMPARE(close.size(), 1);
        QCOMPARE(m_boxes->shown(),
                 QList<QStringList>({{w.windowTitle(), "Can not detect V7 Gaming Mouse !"}}));
    }
    // One transfer meets the mouse away and it is back at once: without a device change, the
    // failed open alone leads to a new check, and the mouse answers again.
    void passingOpenFailureHealsWithoutReplug()
    {
        SimBackend sim({QStringLiteral("mouse")});
        Hid_Thread::setDefaultBackend(&sim);
        Widget w;
        w.checkDevice();
        QVERIFY(w.transport().isVerified());
        QString version;
        sim.mouse()->setFault(EmulatedDevice::Fault::Unplugged, true);
        w.transport().hid_80H_GetFWVersion(version);
        QVERIFY(!w.transport().lastGetSucceeded());
        sim.mouse()->setFault(EmulatedDevice::Fault::Unplugged, false);
        QTRY_VERIFY_WITH_TIMEOUT(
            (w.transport().hid_80H_GetFWVersion(version), w.transport().lastGetSucceeded()), 20000);
        QVERIFY(m_boxes->shown().isEmpty());
    }
    void refusedNodeIsNamedInTheMessage_data()
    {
        QTest::addColumn<bool>("denied");
        QTest::addColumn<int>("lines");
        QTest::newRow("permission denied") << true << 3;
        QTest::newRow("other failure") << false << 1;
    }
    void refusedNodeIsNamedInTheMessage()
    {
        QFETCH(bool, denied);
        QFETCH(int, lines);
        ListBackend backend;
        backend.interfaces = {{"/dev/hidraw7", 0xff00, 0xff00}, {"/dev/hidraw8", 0xff01, 0xff01}};
        backend.why = denied ? HidOpenFailure::Denied : HidOpenFailure::Unknown;
        Hid_Thread::setDefaultBackend(&backend);
        Widget w;
        w.checkDevice();
        QVERIFY(!w.transport().isVerified());
        QCOMPARE(m_boxes->shown().size(), 1);
        const QStringList text = m_boxes->shown()[0][1].split(QLatin1Char('\n'));
        QCOMPARE(text.size(), lines);
        QCOMPARE(text[0], QStringLiteral("Can not detect V7 Gaming Mouse !"));
        if (lines > 1) {
            // The command interface is the one the handshake opens.
            QVERIFY2(text[1].startsWith(QLatin1String("/dev/hidraw7 ")), qPrintable(text[1]));
            QVERIFY2(text[2].contains(QLatin1String("70-v7config.rules")), qPrintable(text[2]));
        }
    }
    void burstOfChangesGivesOneCheckAfterTheLast()
    {
        Widget w;
        QTimer &timer = w.deviceCheckTimer();
        QSignalSpy checks(&timer, &QTimer::timeout);
        // The burst lasts longer than the wait: only a wait started again by every change keeps the
        // check from running inside it.
        for (int i = 0; i < 16; ++i) {
            QTest::qWait(150);
            w.deviceChanged();
            QVERIFY(timer.isActive());
        }
        QCOMPARE(checks.size(), 0);
        QVERIFY(checks.wait(30000));
        // Single-shot: nothing else is pending.
        QVERIFY(!timer.isActive());
        QCOMPARE(checks.size(), 1);
    }
};

QTEST_MAIN(TestDeviceCheck)
#include "tst_devicecheck.moc"
