#include "platform/Dialogs.h"
#include "support/SimRig.h"

#include <QDir>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Each case runs in a folder of its own whose apConfig.bin holds the codes under test.
class TestHandshake : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void correctEchoVerifies();
    void failureWarnsAndAsksToClose_data();
    void failureWarnsAndAsksToClose();
    void demoCodeEntersDemoModeOnlyWhenTheDeviceFails();
    void codeOfWrongLengthKeepsThePreviousCode();
    void busyTransportFailsTheHandshake();
    void deviceIndexBeyondOneReadsNoCode();

private:
    void writeCode(const QString &code, uint did = 1);

    QString m_oldDir;
    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs *m_boxes = nullptr;
};

void TestHandshake::init()
{
    m_oldDir = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("modules/setting")));
    QDir::setCurrent(m_dir->path());
    auto boxes = std::make_unique<ScriptedDialogs>(false);
    m_boxes = boxes.get();
    Dialogs::setInstance(std::move(boxes));
}

void TestHandshake::cleanup()
{
    QDir::setCurrent(m_oldDir);
    m_dir.reset();
}

void TestHandshake::writeCode(const QString &code, uint did)
{
    QSettings s(QStringLiteral("modules/setting/apConfig.bin"), QSettings::IniFormat);
    s.setValue(QStringLiteral("common/sCode%1").arg(did), code);
    s.sync();
}

void TestHandshake::correctEchoVerifies()
{
    SimRig rig;
    rig.setScrambling(true);
    // No setting at all: the factory code is used on both sides.
    QTest::ignoreMessage(QtDebugMsg, "Device Connect");
    QVERIFY(rig.select(SimRig::Mouse));
    QVERIFY(rig.hid().isVerified());
    QVERIFY(!rig.hid().isDemo());
    QVERIFY(m_boxes->shown().isEmpty());
    // The challenge went out scrambled: the plain 00H block is not on the wire.
    const auto out = rig.recorder().featureOuts();
    QCOMPARE(out.size(), 1);
    QVERIFY(out[0].at(1) != 0x00 || out[0].at(6) != 0x00 || out[0].at(7) != 0x00);
    QCOMPARE(rig.mouse().received().last()[0], uint8_t(0x00));
}

void TestHandshake::failureWarnsAndAsksToClose_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("wrong echo") << "echo";
    QTest::newRow("unplugged") << "unplugged";
    QTest::newRow("stalled") << "stalled";
    QTest::newRow("other code") << "code";
}

void TestHandshake::failureWarnsAndAsksToClose()
{
    QFETCH(QString, fault);
    SimRig rig;
    rig.setScrambling(true);
    if (fault == QLatin1String("echo"))
        rig.mouse().setFault(EmulatedDevice::Fault::WrongEcho, true);
    else if (fault == QLatin1String("unplugged"))
        rig.mouse().setFault(EmulatedDevice::Fault::Unplugged, true);
    else if (fault == QLatin1String("stalled"))
        rig.mouse().setFault(EmulatedDevice::Fault::Stalled, true);
    else
        rig.mouse().setSecrecyCode("111111");
    QSignalSpy close(&rig.hid(), &Hid_Thread::closeRequested);
    QTest::ignoreMessage(QtDebugMsg, "Device Error");
    QVERIFY(!rig.select(SimRig::Mouse));
    QVERIFY(!rig.hid().isVerified());
    QVERIFY(!rig.hid().isDemo());
    QCOMPARE(close.size(), 1);
    QCOMPARE(m_boxes->shown().size(), 1);
    QCOMPARE(m_boxes->shown()[0][1], QStringLiteral("Can not detect V7 Gaming Mouse !"));
}

void TestHandshake::demoCodeEntersDemoModeOnlyWhenTheDeviceFails()
{
    writeCode(QStringLiteral("r-vostel"));
    {
        // A device that answers runs normally even with the demo code set. The demo code is
        // not 6 characters, so both sides scramble with the all-zero code.
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

void TestHandshake::codeOfWrongLengthKeepsThePreviousCode()
{
    SimRig rig;
    rig.setScrambling(true);
    // First check with a 5-character code: the code stays all zero.
    writeCode(QStringLiteral("12345"));
    rig.mouse().setSecrecyCode(QByteArray());
    QVERIFY(rig.select(SimRig::Mouse));
    // A 6-character code replaces it...
    writeCode(QStringLiteral("246810"));
    rig.mouse().setSecrecyCode("246810");
    rig.hid().chkDeviceIsEnCode();
    QVERIFY(rig.hid().isVerified());
    // ...and a 7-character one leaves it as it was.
    writeCode(QStringLiteral("1234567"));
    rig.hid().chkDeviceIsEnCode();
    QVERIFY(rig.hid().isVerified());
}

void TestHandshake::busyTransportFailsTheHandshake()
{
    SimRig rig;
    QVERIFY(rig.takeTransport());
    QTest::ignoreMessage(QtDebugMsg, "cmd Failed 00");
    QTest::ignoreMessage(QtDebugMsg, "Device Error");
    rig.hid().chkDeviceIsEnCode();
    QVERIFY(!rig.hid().isVerified());
    QVERIFY(rig.recorder().calls().isEmpty());
    rig.releaseTransport();
}

void TestHandshake::deviceIndexBeyondOneReadsNoCode()
{
    writeCode(QStringLiteral("r-vostel"), 2);
    SimRig rig;
    QSignalSpy close(&rig.hid(), &Hid_Thread::closeRequested);
    rig.hid().swichCurDevice(2);
    QVERIFY(!rig.hid().isVerified());
    QVERIFY(!rig.hid().isDemo());
    QCOMPARE(close.size(), 1);
    QVERIFY(m_boxes->shown()[0][1].startsWith(QStringLiteral("Can not detect ")));
}

QTEST_MAIN(TestHandshake)
#include "tst_handshake.moc"
