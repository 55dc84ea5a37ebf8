#include "app/DeviceCheck.h"
#include "app/Widget.h"
#include "platform/Dialogs.h"
#include "sim/SimBackend.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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

class TestDeviceCheck : public QObject
{
    Q_OBJECT
private slots:
    void shippedDescriptionReadsBothDevices();
    void onlyMouseIsLookedUp();
    void mouseWithoutEventInterfaceGetsNoPaths();
    void laterInterfacesWin();
    void hexIdsInEitherCaseAndMissingFields();
    void fewerNamesThanDevicesGiveEmptyNames();
    void checkRunsHandshakeOnTheEmulatedMouse();
    void listenerRunsFromTheCheckAndAgainAfterRemoval();
    void passingOpenFailureHealsWithoutReplug();
    void refusedNodeIsNamedInTheMessage_data();
    void refusedNodeIsNamedInTheMessage();
    void burstOfChangesGivesOneCheckAfterTheLast();
};

void TestDeviceCheck::shippedDescriptionReadsBothDevices()
{
    QSettings devInfo(QStringLiteral(":/DevInfo.ini"), QSettings::IniFormat);
    QVERIFY(devInfo.value(QStringLiteral("common/isEncode")).toBool());
    const auto d = DeviceCheck::readDescriptors(devInfo, kNames);
    QCOMPARE(d.size(), 2);
    QCOMPARE(d[0].kind, 0);
    QCOMPARE(d[0].pid, uint16_t(0x8008));
    QCOMPARE(d[0].usagePage, uint16_t(0xff01));
    QCOMPARE(d[0].usagePage2, uint16_t(0xff02));
    QCOMPARE(d[0].reportLength, 64u);
    QCOMPARE(d[1].kind, 1);
    QCOMPARE(d[1].vid, uint16_t(0x04d9));
    QCOMPARE(d[1].pid, uint16_t(0xa09f));
    QCOMPARE(d[1].usage, uint16_t(0xff00));
    QCOMPARE(d[1].usage2, uint16_t(0xff01));
    QCOMPARE(d[1].reportLength, 32u);
    QCOMPARE(d[1].productName, QStringLiteral("Mouse"));
}

void TestDeviceCheck::onlyMouseIsLookedUp()
{
    QSettings devInfo(QStringLiteral(":/DevInfo.ini"), QSettings::IniFormat);
    ListBackend backend;
    backend.interfaces = {{"/dev/hidraw1", 0xff00, 0xff00}, {"/dev/hidraw2", 0xff01, 0xff01}};
    const DeviceTable table =
        DeviceCheck::buildTable(DeviceCheck::readDescriptors(devInfo, kNames), backend);
    QCOMPARE(table.size(), 2);
    QVERIFY(table[0].cmdPath.isEmpty() && table[0].eventPath.isEmpty());
    QCOMPARE(table[1].cmdPath, QStringLiteral("/dev/hidraw1"));
    QCOMPARE(table[1].eventPath, QStringLiteral("/dev/hidraw2"));
    QCOMPARE(table[1].reportLength, 32);
    QCOMPARE(backend.asked.size(), 1);
    QCOMPARE(backend.asked[0], (QPair<uint16_t, uint16_t>(0x04d9, 0xa09f)));
}

void TestDeviceCheck::mouseWithoutEventInterfaceGetsNoPaths()
{
    QSettings devInfo(QStringLiteral(":/DevInfo.ini"), QSettings::IniFormat);
    ListBackend backend;
    // Usage page right, usage wrong: a pair matches only when both numbers match.
    backend.interfaces = {{"/dev/hidraw1", 0xff00, 0xff00}, {"/dev/hidraw2", 0xff01, 0x0001}};
    const DeviceTable table =
        DeviceCheck::buildTable(DeviceCheck::readDescriptors(devInfo, kNames), backend);
    QVERIFY(table[1].cmdPath.isEmpty());
    QVERIFY(table[1].eventPath.isEmpty());
}

void TestDeviceCheck::laterInterfacesWin()
{
    QSettings devInfo(QStringLiteral(":/DevInfo.ini"), QSettings::IniFormat);
    ListBackend backend;
    backend.interfaces = {{"/dev/hidraw1", 0xff00, 0xff00},
                          {"/dev/hidraw2", 0xff01, 0xff01},
                          {"/dev/hidraw1", 0xff00, 0xff00}, // listed once per collection
                          {"/dev/hidraw5", 0xff00, 0xff00}};
    const DeviceTable table =
        DeviceCheck::buildTable(DeviceCheck::readDescriptors(devInfo, kNames), backend);
    QCOMPARE(table[1].cmdPath, QStringLiteral("/dev/hidraw5"));
    QCOMPARE(table[1].eventPath, QStringLiteral("/dev/hidraw2"));
}

void TestDeviceCheck::hexIdsInEitherCaseAndMissingFields()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.ini"));
    {
        QSettings s(path, QSettings::IniFormat);
        s.setValue(QStringLiteral("common/total"), 3);
        s.setValue(QStringLiteral("0/pid"), QStringLiteral("A09F"));
        s.setValue(QStringLiteral("1/pid"), QStringLiteral("a09f"));
        s.setValue(QStringLiteral("1/type"), QStringLiteral("1"));
        s.setValue(QStringLiteral("1/usagePage"), QStringLiteral("FF00"));
    }
    QSettings s(path, QSettings::IniFormat);
    const auto d = DeviceCheck::readDescriptors(s, kNames);
    QCOMPARE(d.size(), 3);
    QCOMPARE(d[0].pid, d[1].pid);
    QCOMPARE(d[0].pid, uint16_t(0xa09f));
    QCOMPARE(d[1].usagePage, uint16_t(0xff00));
    QCOMPARE(d[0].kind, -1);
    QCOMPARE(d[2].vid, uint16_t(0));
    QCOMPARE(d[2].reportLength, 0u);
}

void TestDeviceCheck::fewerNamesThanDevicesGiveEmptyNames()
{
    QSettings devInfo(QStringLiteral(":/DevInfo.ini"), QSettings::IniFormat);
    const auto d = DeviceCheck::readDescriptors(devInfo, {QStringLiteral("Only")});
    QCOMPARE(d.size(), 2);
    QCOMPARE(d[0].productName, QStringLiteral("Only"));
    QVERIFY(d[1].productName.isEmpty());
}

void TestDeviceCheck::checkRunsHandshakeOnTheEmulatedMouse()
{
    SimBackend sim({QStringLiteral("mouse")});
    Hid_Thread::setDefaultBackend(&sim);
    auto dialogs = std::make_unique<ScriptedDialogs>(false);
    ScriptedDialogs *boxes = dialogs.get();
    Dialogs::setInstance(std::move(dialogs));
    {
        Widget w;
        w.transport().setBackend(&sim);
        w.checkDevice();
        QVERIFY(w.transport().isVerified());
        QVERIFY(w.transport().isEncode());
        const DeviceTable t = w.transport().deviceTable();
        QCOMPARE(t.size(), 2);
        QCOMPARE(t[1].cmdPath, QStringLiteral("sim:mouse:cmd"));
        QCOMPARE(t[1].eventPath, QStringLiteral("sim:mouse:event"));

        // Unplugged: the next check fails, tells the user and asks to close.
        QSignalSpy close(&w.transport(), &Hid_Thread::closeRequested);
        sim.unplug(QStringLiteral("mouse"));
        w.checkDevice();
        QVERIFY(!w.transport().isVerified());
        QCOMPARE(close.size(), 1);
        QCOMPARE(boxes->shown().size(), 1);
        QCOMPARE(boxes->shown()[0][1], QStringLiteral("Can not detect V7 Gaming Mouse !"));
        QCOMPARE(boxes->shown()[0][0], w.windowTitle());
    }
    Hid_Thread::setDefaultBackend(nullptr);
}

void TestDeviceCheck::listenerRunsFromTheCheckAndAgainAfterRemoval()
{
    SimBackend sim({QStringLiteral("mouse")});
    Hid_Thread::setDefaultBackend(&sim);
    Dialogs::setInstance(std::make_unique<ScriptedDialogs>(false));
    {
        Widget w;
        QVERIFY(!w.transport().isListening());
        w.checkDevice();
        QVERIFY(w.transport().isVerified());
        QVERIFY(w.transport().isListening());
        // Unplugged between checks: the listener's next open fails and it ends.
        sim.mouse()->setFault(EmulatedDevice::Fault::Unplugged, true);
        QTRY_VERIFY_WITH_TIMEOUT(!w.transport().isListening(), 10000);
        sim.mouse()->setFault(EmulatedDevice::Fault::Unplugged, false);
        w.checkDevice();
        QVERIFY(w.transport().isVerified());
        QVERIFY(w.transport().isListening());
    }
    Hid_Thread::setDefaultBackend(nullptr);
}

void TestDeviceCheck::passingOpenFailureHealsWithoutReplug()
{
    SimBackend sim({QStringLiteral("mouse")});
    Hid_Thread::setDefaultBackend(&sim);
    auto dialogs = std::make_unique<ScriptedDialogs>(false);
    ScriptedDialogs *boxes = dialogs.get();
    Dialogs::setInstance(std::move(dialogs));
    {
        Widget w;
        w.checkDevice();
        QVERIFY(w.transport().isVerified());
        QString version;
        // One transfer meets the device away; it is back before anything else happens.
        sim.mouse()->setFault(EmulatedDevice::Fault::Unplugged, true);
        w.transport().hid_80H_GetFWVersion(version);
        QVERIFY(!w.transport().lastGetSucceeded());
        sim.mouse()->setFault(EmulatedDevice::Fault::Unplugged, false);
        // No device change arrives: the failed open alone must lead to a new check.
        QTRY_VERIFY_WITH_TIMEOUT(
            (w.transport().hid_80H_GetFWVersion(version), w.transport().lastGetSucceeded()), 20000);
        QVERIFY(w.transport().isVerified());
        QVERIFY(boxes->shown().isEmpty());
    }
    Hid_Thread::setDefaultBackend(nullptr);
}

void TestDeviceCheck::refusedNodeIsNamedInTheMessage_data()
{
    QTest::addColumn<bool>("denied");
    QTest::addColumn<int>("lines");
    QTest::newRow("permission denied") << true << 3;
    QTest::newRow("other failure") << false << 1;
}

void TestDeviceCheck::refusedNodeIsNamedInTheMessage()
{
    QFETCH(bool, denied);
    QFETCH(int, lines);
    ListBackend backend;
    backend.interfaces = {{"/dev/hidraw7", 0xff00, 0xff00}, {"/dev/hidraw8", 0xff01, 0xff01}};
    backend.why = denied ? HidOpenFailure::Denied : HidOpenFailure::Unknown;
    Hid_Thread::setDefaultBackend(&backend);
    auto dialogs = std::make_unique<ScriptedDialogs>(false);
    ScriptedDialogs *boxes = dialogs.get();
    Dialogs::setInstance(std::move(dialogs));
    {
        Widget w;
        w.checkDevice();
        QVERIFY(!w.transport().isVerified());
    }
    Hid_Thread::setDefaultBackend(nullptr);
    QCOMPARE(boxes->shown().size(), 1);
    const QStringList text = boxes->shown()[0][1].split(QLatin1Char('\n'));
    QCOMPARE(text.size(), lines);
    QCOMPARE(text[0], QStringLiteral("Can not detect V7 Gaming Mouse !"));
    if (lines > 1) {
        // The command interface is the one the handshake opens.
        QVERIFY2(text[1].startsWith(QLatin1String("/dev/hidraw7 ")), qPrintable(text[1]));
        QVERIFY2(text[2].contains(QLatin1String("70-v7config.rules")), qPrintable(text[2]));
    }
}

void TestDeviceCheck::burstOfChangesGivesOneCheckAfterTheLast()
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

QTEST_MAIN(TestDeviceCheck)
#include "tst_devicecheck.moc"
