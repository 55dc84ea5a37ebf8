// The keyboard command set, checked on the wire against the emulated keyboard: exact reports
// with 64-byte data phases, answer positions, failure results, busy transport, round trips.
#include "support/CommandWire.h"
#include "support/SimRig.h"

#include <QElapsedTimer>
#include <QTest>

#include <memory>

using namespace CommandWire;

class tst_KeyboardCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void setReports_data();
    void setReports();
    void getReports_data();
    void getReports();
    void failedExchange_data();
    void failedExchange();
    void busySetIsDropped();
    void roundTripScrambled_data();
    void roundTripScrambled();

private:
    std::unique_ptr<SimRig> m_rig;
};

void tst_KeyboardCommands::initTestCase()
{
    m_rig = std::make_unique<SimRig>();
    // Switching from the mouse starts the listener, so a pause ends after 64 ms when the
    // acknowledge came.
    QVERIFY(m_rig->select(SimRig::Keyboard));
    QVERIFY(m_rig->hid().isListening());
}

void tst_KeyboardCommands::init()
{
    m_rig->setScrambling(false);
    m_rig->keyboard().resetFactory();
    m_rig->recorder().clear();
}

void tst_KeyboardCommands::cleanup()
{
    m_rig->keyboard().setFault(EmulatedDevice::Fault::Stalled, false);
    QVERIFY(m_rig->waitIdle());
}

void tst_KeyboardCommands::setReports_data()
{
    QTest::addColumn<SetCall>("call");
    QTest::addColumn<QByteArray>("data");   // the caller's array
    QTest::addColumn<QByteArray>("report"); // the feature report
    QTest::addColumn<int>("reports");       // output reports of 65 bytes
    QTest::addColumn<bool>("ack");
    QTest::addColumn<bool>("sleep"); // 8 ms on the caller's thread

    const auto row = [](const char *name, SetCall call, QByteArray data, const char *report,
                        int reports, bool ack, bool sleep) {
        QTest::newRow(name) << call << data << hex(report) << reports << ack << sleep;
    };
    row(
        "03H options", [](Hid_Thread &h, uchar *) { h.hid_03H_SetKeyboardoption(1, 2, 3, 4); }, {},
        "00 03 01 02 03 04 00 00 f2", 0, false, true);
    row(
        "04H sensitivity",
        [](Hid_Thread &h, uchar *) { h.hid_04H_SetButtonSensitivity(1, 2, 3, 4, 5); }, {},
        "00 04 01 02 03 04 05 00 ec", 0, true, false);
    row(
        "07H indicator", [](Hid_Thread &h, uchar *) { h.hid_07H_SetControlIndicatorLight(2, 3); },
        {}, "00 07 02 03 00 00 00 00 f3", 0, false, true);
    row(
        "08H LED type", [](Hid_Thread &h, uchar *) { h.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6); }, {},
        "00 08 01 02 03 04 05 06 e2", 0, true, false);
    row(
        "09H mode", [](Hid_Thread &h, uchar *) { h.hid_09H_SetKeyboardMode(3); }, {},
        "00 09 03 00 00 00 00 00 f3", 0, true, false);
    row(
        "0DH key matrix", [](Hid_Thread &h, uchar *a) { h.hid_0DH_SetKeyMatrix(a); }, pattern(512),
        "00 0d 00 00 08 00 00 00 ea", 8, true, false);
    row(
        "0EH key on/off", [](Hid_Thread &h, uchar *a) { h.hid_0EH_SetKeyOnOff(a); }, pattern(21),
        "00 0e 00 00 15 00 00 00 dc", 1, true, false);
    row(
        "11H macro 5", [](Hid_Thread &h, uchar *a) { h.hid_11H_SetMacroKey(5, a); }, pattern(192),
        "00 11 00 05 03 00 00 00 e6", 3, true, false);
    row(
        "12H picture 2", [](Hid_Thread &h, uchar *a) { h.hid_12H_SetUserPicture(2, 7, a); },
        pattern(512), "00 12 00 02 08 07 00 00 dc", 8, true, false);
    row(
        "13H recovery", [](Hid_Thread &h, uchar *) { h.hid_13H_SetRecoveryData(); }, {},
        "00 13 ff 00 00 00 00 00 ed", 0, false, true);
    row(
        "14H colour", [](Hid_Thread &h, uchar *) { h.hid_14H_SetColor(2, 0x10, 0x20, 0x30); }, {},
        "00 14 00 02 10 20 30 00 89", 0, false, true);
}

void tst_KeyboardCommands::setReports()
{
    QFETCH(SetCall, call);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, report);
    QFETCH(int, reports);
    QFETCH(bool, ack);
    QFETCH(bool, sleep);
    checkSetReports(*m_rig, SimRig::Keyboard, call, data, report, reports, ack, sleep);
}

void tst_KeyboardCommands::getReports_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<GetCall>("call");
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<int>("inputReports");
    QTest::addColumn<QByteArray>("expected");

    const auto row = [](const char *name, Setup setup, GetCall call, const char *report, int inputs,
                        QByteArray expected) {
        QTest::newRow(name) << setup << call << hex(report) << inputs << expected;
    };
    const auto programs = [](QList<QPair<QByteArray, QByteArray>> sets) {
        return Setup([sets](SimRig &rig) {
            for (const auto &s : sets)
                program(rig, SimRig::Keyboard, s.first, s.second);
        });
    };
    row(
        "83H", programs({{hex("03 01 02 03 04"), {}}}),
        [](Hid_Thread &h) {
            uchar b1 = 0xEE, b2 = 0xEE, b3 = 0xEE, b4 = 0xEE;
            h.hid_83H_GetKeyboardoption(b1, b2, b3, b4);
            return values({b1, b2, b3, b4});
        },
        "00 83 00 00 00 00 00 00 7c", 0, values({1, 2, 3, 4}));
    row(
        "84H without the index", programs({{hex("04 05 06 07 08 09"), {}}}),
        [](Hid_Thread &h) {
            uchar s1 = 0xEE, s2 = 0xEE, s3 = 0xEE, s4 = 0xEE;
            h.hid_84H_GetButtonSensitivity(s1, s2, s3, s4);
            return values({s1, s2, s3, s4});
        },
        "00 84 00 00 00 00 00 00 7b", 0, values({5, 6, 7, 8}));
    row(
        "88H without the option", programs({{hex("08 01 02 03 04 05 06"), {}}}),
        [](Hid_Thread &h) {
            uchar effect = 0xEE, speed = 0xEE, light = 0xEE, color = 0xEE, direction = 0xEE;
            h.hid_88H_GetLEDType(effect, speed, light, color, direction);
            return values({effect, speed, light, color, direction});
        },
        "00 88 00 00 00 00 00 00 77", 0, values({2, 3, 4, 5, 6}));
    row(
        "89H", programs({{hex("09 07"), {}}}),
        [](Hid_Thread &h) {
            uchar mode = 0xEE;
            h.hid_89H_GetKeyboardMode(mode);
            return values({mode});
        },
        "00 89 00 00 00 00 00 00 76", 0, values({7}));
    row(
        "94H index 2", programs({{hex("14 00 02 aa bb cc"), {}}, {hex("14 00 03 11 22 33"), {}}}),
        [](Hid_Thread &h) {
            uchar r = 0xEE, g = 0xEE, b = 0xEE;
            h.hid_94H_GetColor(2, r, g, b);
            return values({r, g, b});
        },
        "00 94 00 02 00 00 00 00 69", 0, values({0xaa, 0xbb, 0xcc}));
    row(
        "8DH", programs({{hex("0d 00 00 08"), pattern(512, 1)}}),
        [](Hid_Thread &h) { return filled(512, [&](uchar *a) { h.hid_8DH_GetKeyMatrix(a); }); },
        "00 8d 00 00 00 00 00 00 72", 8, pattern(512, 1));
    row(
        "8EH", programs({{hex("0e 00 00 15"), pattern(21, 2)}}),
        [](Hid_Thread &h) { return filled(21, [&](uchar *a) { h.hid_8EH_GetKeyOnOff(a); }); },
        "00 8e 00 00 00 00 00 00 71", 1, pattern(21, 2));
    row(
        "91H macro 5",
        programs({{hex("11 00 05 03"), pattern(192, 5)}, {hex("11 00 06 03"), pattern(192, 6)}}),
        [](Hid_Thread &h) { return filled(192, [&](uchar *a) { h.hid_91H_GetMacroKey(5, a); }); },
        "00 91 00 05 00 00 00 00 69", 3, pattern(192, 5));
    row(
        "92H picture 3",
        programs({{hex("12 00 03 08"), pattern(512, 3)}, {hex("12 00 01 08"), pattern(512, 4)}}),
        [](Hid_Thread &h) {
            return filled(512, [&](uchar *a) { h.hid_92H_GetUserPicture(3, a); });
        },
        "00 92 00 03 00 00 00 00 6a", 8, pattern(512, 3));
}

void tst_KeyboardCommands::getReports()
{
    QFETCH(Setup, setup);
    QFETCH(GetCall, call);
    QFETCH(QByteArray, report);
    QFETCH(int, inputReports);
    QFETCH(QByteArray, expected);
    checkGetReports(*m_rig, setup, call, report, inputReports, expected);
}

void tst_KeyboardCommands::failedExchange_data()
{
    QTest::addColumn<GetCall>("call");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("83H unchanged") << GetCall([](Hid_Thread &h) {
        uchar b1 = 1, b2 = 2, b3 = 3, b4 = 4;
        h.hid_83H_GetKeyboardoption(b1, b2, b3, b4);
        return values({b1, b2, b3, b4});
    }) << values({1, 2, 3, 4});
    QTest::newRow("84H unchanged") << GetCall([](Hid_Thread &h) {
        uchar s1 = 1, s2 = 2, s3 = 3, s4 = 4;
        h.hid_84H_GetButtonSensitivity(s1, s2, s3, s4);
        return values({s1, s2, s3, s4});
    }) << values({1, 2, 3, 4});
    QTest::newRow("88H unchanged") << GetCall([](Hid_Thread &h) {
        uchar effect = 1, speed = 2, light = 3, color = 4, direction = 5;
        h.hid_88H_GetLEDType(effect, speed, light, color, direction);
        return values({effect, speed, light, color, direction});
    }) << values({1, 2, 3, 4, 5});
    QTest::newRow("89H unchanged") << GetCall([](Hid_Thread &h) {
        uchar mode = 6;
        h.hid_89H_GetKeyboardMode(mode);
        return values({mode});
    }) << values({6});
    QTest::newRow("94H unchanged") << GetCall([](Hid_Thread &h) {
        uchar r = 1, g = 2, b = 3;
        h.hid_94H_GetColor(2, r, g, b);
        return values({r, g, b});
    }) << values({1, 2, 3});
    QTest::newRow("8DH unchanged") << GetCall([](Hid_Thread &h) {
        return filled(512, [&](uchar *a) { h.hid_8DH_GetKeyMatrix(a); });
    }) << QByteArray(512, char(0xEE));
    QTest::newRow("8EH unchanged") << GetCall([](Hid_Thread &h) {
        return filled(21, [&](uchar *a) { h.hid_8EH_GetKeyOnOff(a); });
    }) << QByteArray(21, char(0xEE));
    QTest::newRow("91H unchanged") << GetCall([](Hid_Thread &h) {
        return filled(192, [&](uchar *a) { h.hid_91H_GetMacroKey(1, a); });
    }) << QByteArray(192, char(0xEE));
    QTest::newRow("92H unchanged") << GetCall([](Hid_Thread &h) {
        return filled(512, [&](uchar *a) { h.hid_92H_GetUserPicture(1, a); });
    }) << QByteArray(512, char(0xEE));
}

void tst_KeyboardCommands::failedExchange()
{
    QFETCH(GetCall, call);
    QFETCH(QByteArray, expected);
    // Give the device values that differ from every expected result.
    program(*m_rig, SimRig::Keyboard, hex("03 09 09 09 09"));
    program(*m_rig, SimRig::Keyboard, hex("04 09 09 09 09"));
    program(*m_rig, SimRig::Keyboard, hex("08 09 09 09 09 09 09"));
    program(*m_rig, SimRig::Keyboard, hex("09 09"));
    program(*m_rig, SimRig::Keyboard, hex("14 00 02 09 09 09"));
    checkFailedExchange(*m_rig, SimRig::Keyboard, call, expected);
}

void tst_KeyboardCommands::busySetIsDropped()
{
    QVERIFY(m_rig->takeTransport());
    QTest::ignoreMessage(QtDebugMsg, "cmd Failed 0D");
    QByteArray matrix = pattern(512);
    m_rig->hid().hid_0DH_SetKeyMatrix(bytes(matrix));
    m_rig->releaseTransport();
    QVERIFY(m_rig->waitIdle());
    QCOMPARE(m_rig->recorder().featureOuts().size(), 0);
    QCOMPARE(m_rig->recorder().outputs().size(), 0);
    QVERIFY(m_rig->keyboard().storedData(0x0D).isEmpty());
}

void tst_KeyboardCommands::roundTripScrambled_data()
{
    QTest::addColumn<SetCall>("set");
    QTest::addColumn<GetCall>("get");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("01H/81H") << SetCall([](Hid_Thread &h, uchar *) {
        h.hid_01H_SetReportRate(0x04);
    }) << GetCall([](Hid_Thread &h) {
        uchar rate = 0;
        h.hid_81H_GetReportRate(rate);
        return values({rate});
    }) << values({0x04});
    QTest::newRow("02H/82H") << SetCall([](Hid_Thread &h, uchar *) {
        h.hid_02H_SetCurrentProfile(2);
    }) << GetCall([](Hid_Thread &h) {
        uchar profile = 0;
        h.hid_82H_GetCurrentProfile(profile);
        return values({profile});
    }) << values({2});
    QTest::newRow("03H/83H apart from the rate") << SetCall([](Hid_Thread &h, uchar *) {
        h.hid_03H_SetKeyboardoption(1, 2, 3, 4);
        h.hid_01H_SetReportRate(0x08);
    }) << GetCall([](Hid_Thread &h) {
        uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0, rate = 0;
        h.hid_83H_GetKeyboardoption(b1, b2, b3, b4);
        h.hid_81H_GetReportRate(rate);
        return values({b1, b2, b3, b4, rate});
    }) << values({1, 2, 3, 4, 0x08});
    QTest::newRow("04H/84H") << SetCall([](Hid_Thread &h, uchar *) {
        h.hid_04H_SetButtonSensitivity(5, 6, 7, 8, 2);
    }) << GetCall([](Hid_Thread &h) {
        uchar s1 = 0, s2 = 0, s3 = 0, s4 = 0;
        h.hid_84H_GetButtonSensitivity(s1, s2, s3, s4);
        return values({s1, s2, s3, s4});
    }) << values({5, 6, 7, 8});
    QTest::newRow("08H/88H") << SetCall([](Hid_Thread &h, uchar *) {
        h.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6);
    }) << GetCall([](Hid_Thread &h) {
        uchar effect = 0, speed = 0, light = 0, color = 0, direction = 0;
        h.hid_88H_GetLEDType(effect, speed, light, color, direction);
        return values({effect, speed, light, color, direction});
    }) << values({2, 3, 4, 5, 6});
    QTest::newRow("09H/89H") << SetCall([](Hid_Thread &h, uchar *) {
        h.hid_09H_SetKeyboardMode(3);
    }) << GetCall([](Hid_Thread &h) {
        uchar mode = 0;
        h.hid_89H_GetKeyboardMode(mode);
        return values({mode});
    }) << values({3});
    QTest::newRow("14H/94H per index") << SetCall([](Hid_Thread &h, uchar *) {
        h.hid_14H_SetColor(1, 0x11, 0x12, 0x13);
        h.hid_14H_SetColor(4, 0x41, 0x42, 0x43);
    }) << GetCall([](Hid_Thread &h) {
        uchar r1 = 0, g1 = 0, b1 = 0, r4 = 0, g4 = 0, b4 = 0;
        h.hid_94H_GetColor(1, r1, g1, b1);
        h.hid_94H_GetColor(4, r4, g4, b4);
        return values({r1, g1, b1, r4, g4, b4});
    }) << values({0x11, 0x12, 0x13, 0x41, 0x42, 0x43});
    QTest::newRow("0DH/8DH") << SetCall([](Hid_Thread &h, uchar *) {
        QByteArray matrix = pattern(512, 13);
        h.hid_0DH_SetKeyMatrix(bytes(matrix));
    }) << GetCall([](Hid_Thread &h) {
        return filled(512, [&](uchar *a) { h.hid_8DH_GetKeyMatrix(a); });
    }) << pattern(512, 13);
    QTest::newRow("0EH/8EH") << SetCall([](Hid_Thread &h, uchar *) {
        QByteArray onOff = pattern(21, 14);
        h.hid_0EH_SetKeyOnOff(bytes(onOff));
    }) << GetCall([](Hid_Thread &h) {
        return filled(21, [&](uchar *a) { h.hid_8EH_GetKeyOnOff(a); });
    }) << pattern(21, 14);
    QTest::newRow("11H/91H per macro") << SetCall([](Hid_Thread &h, uchar *) {
        QByteArray m0 = pattern(192, 20), m5 = pattern(192, 25);
        h.hid_11H_SetMacroKey(0, bytes(m0));
        h.hid_11H_SetMacroKey(5, bytes(m5));
    }) << GetCall([](Hid_Thread &h) {
        return filled(192, [&](uchar *a) { h.hid_91H_GetMacroKey(0, a); }) +
               filled(192, [&](uchar *a) { h.hid_91H_GetMacroKey(5, a); });
    }) << pattern(192, 20) + pattern(192, 25);
    QTest::newRow("12H/92H per picture") << SetCall([](Hid_Thread &h, uchar *) {
        QByteArray p0 = pattern(512, 30), p4 = pattern(512, 34);
        h.hid_12H_SetUserPicture(0, 1, bytes(p0));
        h.hid_12H_SetUserPicture(4, 1, bytes(p4));
    }) << GetCall([](Hid_Thread &h) {
        return filled(512, [&](uchar *a) { h.hid_92H_GetUserPicture(0, a); }) +
               filled(512, [&](uchar *a) { h.hid_92H_GetUserPicture(4, a); });
    }) << pattern(512, 30) + pattern(512, 34);
    QTest::newRow("13H recovery") << SetCall([](Hid_Thread &h, uchar *) {
        h.hid_09H_SetKeyboardMode(3);
        h.hid_13H_SetRecoveryData();
    }) << GetCall([](Hid_Thread &h) {
        uchar mode = 0xEE;
        h.hid_89H_GetKeyboardMode(mode);
        return values({mode});
    }) << values({0});
}

void tst_KeyboardCommands::roundTripScrambled()
{
    QFETCH(SetCall, set);
    QFETCH(GetCall, get);
    QFETCH(QByteArray, expected);
    checkRoundTrip(*m_rig, SimRig::Keyboard, set, get, expected);
}

QTEST_GUILESS_MAIN(tst_KeyboardCommands)
#include "tst_keyboardcommands.moc"
