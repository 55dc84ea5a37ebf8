// The mouse command set (and the commands both devices share), checked on the wire against the
// emulated mouse: exact reports, answer positions, failure results, busy transport, round trips.
#include "support/CommandWire.h"
#include "support/SimRig.h"

#include <QElapsedTimer>
#include <QTest>

#include <functional>
#include <memory>

using namespace CommandWire;

class tst_MouseCommands : public QObject
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
    void firmwareVersionText_data();
    void firmwareVersionText();
    void failedExchange_data();
    void failedExchange();
    void busyGetKeepsVersion();
    void factoryState();
    void roundTripScrambled_data();
    void roundTripScrambled();

private:
    std::unique_ptr<SimRig> m_rig;
};

void tst_MouseCommands::initTestCase()
{
    m_rig = std::make_unique<SimRig>();
    QVERIFY(m_rig->select(SimRig::Mouse));
    // With the listener, a pause ends after 64 ms when the acknowledge came.
    m_rig->listen(SimRig::Mouse);
}

void tst_MouseCommands::init()
{
    m_rig->setScrambling(false);
    m_rig->mouse().resetFactory();
    m_rig->recorder().clear();
}

void tst_MouseCommands::cleanup()
{
    m_rig->mouse().setFault(EmulatedDevice::Fault::Stalled, false);
    QVERIFY(m_rig->waitIdle());
}

void tst_MouseCommands::setReports_data()
{
    QTest::addColumn<SetCall>("call");
    QTest::addColumn<QByteArray>("data");   // the caller's array
    QTest::addColumn<QByteArray>("report"); // the feature report
    QTest::addColumn<int>("dataLength");    // bytes of the array that travel
    QTest::addColumn<int>("reports");       // output reports
    QTest::addColumn<bool>("ack");
    QTest::addColumn<bool>("sleep"); // 8 ms on the caller's thread

    const auto row = [](const char *name, SetCall call, QByteArray data, const char *report,
                        int dataLength, int reports, bool ack, bool sleep) {
        QTest::newRow(name) << call << data << hex(report) << dataLength << reports << ack << sleep;
    };
    row(
        "01H rate", [](Hid_Thread &h, uchar *) { h.hid_01H_SetReportRate(0x02); }, {},
        "00 01 02 00 00 00 00 00 fc", 0, 0, true, false);
    row(
        "02H profile", [](Hid_Thread &h, uchar *) { h.hid_02H_SetCurrentProfile(3); }, {},
        "00 02 03 00 00 00 00 00 fa", 0, 0, false, true);
    row(
        "03H options",
        [](Hid_Thread &h, uchar *) { h.hid_03H_SetFunctionOption(3, 0x02, 0x45, 0x07); }, {},
        "00 03 03 02 45 07 00 00 ab", 0, 0, true, true);
    row(
        "07H LED function",
        [](Hid_Thread &h, uchar *) { h.hid_07H_SetLEDInstructFunction(1, 0x11, 0x22, 0x33); }, {},
        "00 07 01 11 22 33 00 00 91", 0, 0, false, false);
    row(
        "0BH stage", [](Hid_Thread &h, uchar *) { h.hid_0BH_SetCurrentDPIStage(4); }, {},
        "00 0b 04 00 00 00 00 00 f0", 0, 0, true, false);
    row(
        "0DH effect", [](Hid_Thread &h, uchar *) { h.hid_0DH_SetRGBLedEffect(2, 5, 6); }, {},
        "00 0d 02 05 06 00 00 00 e5", 0, 0, true, false);
    for (int type : {0, 1, 2, 3}) {
        const bool ids = type == 2;
        const QByteArray report = ids ? "00 10 02 04 00 00 00 00 e9"
                                      : "00 10 0" + QByteArray::number(type) + " 18 00 00 00 00 " +
                                            QByteArray::number(0xd7 - type, 16);
        QTest::newRow(qPrintable(QStringLiteral("10H type %1").arg(type)))
            << SetCall([type](Hid_Thread &h, uchar *a) { h.hid_10H_SetLED8StageColor(type, a); })
            << pattern(24, type) << hex(report.constData()) << (ids ? 4 : 24) << 1 << true << false;
    }
    row(
        "11H DPI table", [](Hid_Thread &h, uchar *a) { h.hid_11H_SetDPISet(8, a); }, pattern(8),
        "00 11 08 08 00 00 00 00 de", 8, 1, true, false);
    row(
        "12H layer 3", [](Hid_Thread &h, uchar *a) { h.hid_12H_SetKeyMatrix(a, 3); }, pattern(64),
        "00 12 03 40 08 00 00 00 a2", 64, 2, true, false);
    row(
        "13H macro 5", [](Hid_Thread &h, uchar *a) { h.hid_13H_SetMacroKey(5, a); }, pattern(128),
        "00 13 05 80 00 00 00 00 67", 128, 4, true, false);
}

void tst_MouseCommands::setReports()
{
    QFETCH(SetCall, call);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, report);
    QFETCH(int, dataLength);
    QFETCH(int, reports);
    QFETCH(bool, ack);
    QFETCH(bool, sleep);
    checkSetReports(*m_rig, SimRig::Mouse, call, data.left(dataLength), report, reports, ack,
                    sleep);
}

void tst_MouseCommands::getReports_data()
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
                program(rig, SimRig::Mouse, s.first, s.second);
        });
    };
    row(
        "80H", programs({}),
        [](Hid_Thread &h) {
            QString v;
            h.hid_80H_GetFWVersion(v);
            return v.toLatin1();
        },
        "00 80 00 00 00 00 00 00 7f", 0, "1.05");
    row(
        "81H", programs({{hex("01 04"), {}}}),
        [](Hid_Thread &h) {
            uchar rate = 0xEE;
            h.hid_81H_GetReportRate(rate);
            return values({rate});
        },
        "00 81 00 00 00 00 00 00 7e", 0, values({4}));
    row(
        "82H", programs({{hex("02 05"), {}}}),
        [](Hid_Thread &h) {
            uchar profile = 0xEE;
            h.hid_82H_GetCurrentProfile(profile);
            return values({profile});
        },
        "00 82 00 00 00 00 00 00 7d", 0, values({5}));
    row(
        "83H type and options, not the rate", programs({{hex("03 02 08 45 07"), {}}}),
        [](Hid_Thread &h) {
            uchar type = 0xEE, o1 = 0xEE, o2 = 0xEE;
            h.hid_83H_GetFunctionOption(type, o1, o2);
            return values({type, o1, o2});
        },
        "00 83 00 00 00 00 00 00 7c", 0, values({2, 0x45, 0x07}));
    row(
        "87H type 1", programs({{hex("07 01 11 22 33"), {}}, {hex("07 02 44 55 66"), {}}}),
        [](Hid_Thread &h) {
            uchar o1 = 0xEE, o2 = 0xEE, o3 = 0xEE;
            const bool ok = h.hid_87H_GetLEDInstructFunction(1, o1, o2, o3);
            return values({ok, o1, o2, o3});
        },
        "00 87 01 00 00 00 00 00 77", 0, values({1, 0x11, 0x22, 0x33}));
    row(
        "8BH", programs({{hex("0b 03"), {}}}),
        [](Hid_Thread &h) {
            uchar stage = 0xEE;
            h.hid_8BH_GetCurrentDPIStage(stage);
            return values({stage});
        },
        "00 8b 00 00 00 00 00 00 74", 0, values({3}));
    row(
        "8DH", programs({{hex("0d 02 05 06"), {}}}),
        [](Hid_Thread &h) {
            uchar effect = 0xEE, o1 = 0xEE, o2 = 0xEE;
            h.hid_8DH_GetRGBLedEffect(effect, o1, o2);
            return values({effect, o1, o2});
        },
        "00 8d 00 00 00 00 00 00 72", 0, values({2, 5, 6}));
    row(
        "90H type 1", programs({{hex("10 01 18"), pattern(24, 1)}, {hex("10 00 18"), pattern(24)}}),
        [](Hid_Thread &h) {
            return filled(24, [&](uchar *a) { h.hid_90H_GetLED8StageColor(1, a); });
        },
        "00 90 01 00 00 00 00 00 6e", 1, pattern(24, 1));
    row(
        "90H type 2 fills 4 bytes", programs({{hex("10 02 04"), pattern(4, 2)}}),
        [](Hid_Thread &h) {
            return filled(24, [&](uchar *a) { h.hid_90H_GetLED8StageColor(2, a); });
        },
        "00 90 02 00 00 00 00 00 6d", 1, pattern(4, 2) + QByteArray(20, char(0xEE)));
    row(
        "91H", programs({{hex("11 06 08"), pattern(8, 3)}}),
        [](Hid_Thread &h) {
            uchar stages = 0xEE;
            QByteArray table(8, char(0xEE));
            const bool ok = h.hid_91H_GetDPISet(stages, bytes(table));
            return values({ok, stages}) + table;
        },
        "00 91 00 00 00 00 00 00 6e", 1, values({1, 6}) + pattern(8, 3));
    row(
        "92H reads layer 1",
        programs({{hex("12 01 40 08"), pattern(64, 1)}, {hex("12 03 40 08"), pattern(64, 3)}}),
        [](Hid_Thread &h) { return filled(64, [&](uchar *a) { h.hid_92H_GetKeyMatrix(a); }); },
        "00 92 01 00 00 00 00 00 6c", 2, pattern(64, 1));
    row(
        "93H macro 7",
        programs({{hex("13 07 80"), pattern(128, 7)}, {hex("13 08 80"), pattern(128, 8)}}),
        [](Hid_Thread &h) { return filled(128, [&](uchar *a) { h.hid_93H_GetMacroKey(7, a); }); },
        "00 93 07 00 00 00 00 00 65", 4, pattern(128, 7));
}

void tst_MouseCommands::getReports()
{
    QFETCH(Setup, setup);
    QFETCH(GetCall, call);
    QFETCH(QByteArray, report);
    QFETCH(int, inputReports);
    QFETCH(QByteArray, expected);
    checkGetReports(*m_rig, setup, call, report, inputReports, expected);
}

void tst_MouseCommands::firmwareVersionText_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<QString>("text");
    QTest::newRow("1.05") << 0x01 << 0x05 << "1.05";
    QTest::newRow("lower then upper case") << 0x1A << 0x0B << "1a.0B";
    QTest::newRow("zeros") << 0 << 0 << "0.00";
    QTest::newRow("full bytes") << 0xFF << 0xAB << "ff.AB";
}

void tst_MouseCommands::firmwareVersionText()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(QString, text);
    m_rig->mouse().setFirmwareVersion(uint8_t(major), uint8_t(minor));
    QString version = QStringLiteral("before");
    m_rig->hid().hid_80H_GetFWVersion(version);
    m_rig->mouse().setFirmwareVersion(1, 5);
    QCOMPARE(version, text);
}

void tst_MouseCommands::failedExchange_data()
{
    QTest::addColumn<GetCall>("call");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("80H unknown") << GetCall([](Hid_Thread &h) {
        QString v = QStringLiteral("1.05");
        h.hid_80H_GetFWVersion(v);
        return v.toLatin1();
    }) << QByteArray("unknown");
    QTest::newRow("81H unchanged") << GetCall([](Hid_Thread &h) {
        uchar rate = 0x33;
        h.hid_81H_GetReportRate(rate);
        return values({rate});
    }) << values({0x33});
    QTest::newRow("82H unchanged") << GetCall([](Hid_Thread &h) {
        uchar profile = 0x44;
        h.hid_82H_GetCurrentProfile(profile);
        return values({profile});
    }) << values({0x44});
    QTest::newRow("83H zeros") << GetCall([](Hid_Thread &h) {
        uchar type = 1, o1 = 2, o2 = 3;
        h.hid_83H_GetFunctionOption(type, o1, o2);
        return values({type, o1, o2});
    }) << values({0, 0, 0});
    QTest::newRow("87H false, unchanged") << GetCall([](Hid_Thread &h) {
        uchar o1 = 1, o2 = 2, o3 = 3;
        const bool ok = h.hid_87H_GetLEDInstructFunction(1, o1, o2, o3);
        return values({ok, o1, o2, o3});
    }) << values({0, 1, 2, 3});
    QTest::newRow("8BH zero") << GetCall([](Hid_Thread &h) {
        uchar stage = 7;
        h.hid_8BH_GetCurrentDPIStage(stage);
        return values({stage});
    }) << values({0});
    QTest::newRow("8DH zeros") << GetCall([](Hid_Thread &h) {
        uchar effect = 1, o1 = 2, o2 = 3;
        h.hid_8DH_GetRGBLedEffect(effect, o1, o2);
        return values({effect, o1, o2});
    }) << values({0, 0, 0});
    QTest::newRow("90H unchanged") << GetCall([](Hid_Thread &h) {
        return filled(24, [&](uchar *a) { h.hid_90H_GetLED8StageColor(0, a); });
    }) << QByteArray(24, char(0xEE));
    QTest::newRow("91H false, unchanged") << GetCall([](Hid_Thread &h) {
        uchar stages = 5;
        QByteArray table(8, char(0xEE));
        const bool ok = h.hid_91H_GetDPISet(stages, bytes(table));
        return values({ok, stages}) + table;
    }) << values({0, 5}) + QByteArray(8, char(0xEE));
    QTest::newRow("92H unchanged") << GetCall([](Hid_Thread &h) {
        return filled(64, [&](uchar *a) { h.hid_92H_GetKeyMatrix(a); });
    }) << QByteArray(64, char(0xEE));
    QTest::newRow("93H unchanged") << GetCall([](Hid_Thread &h) {
        return filled(128, [&](uchar *a) { h.hid_93H_GetMacroKey(1, a); });
    }) << QByteArray(128, char(0xEE));
}

void tst_MouseCommands::failedExchange()
{
    QFETCH(GetCall, call);
    QFETCH(QByteArray, expected);
    // Give the device values that differ from every expected result.
    program(*m_rig, SimRig::Mouse, hex("03 09 08 09 09"));
    program(*m_rig, SimRig::Mouse, hex("0b 09"));
    program(*m_rig, SimRig::Mouse, hex("0d 09 09 09"));
    checkFailedExchange(*m_rig, SimRig::Mouse, call, expected);
}

void tst_MouseCommands::busyGetKeepsVersion()
{
    QVERIFY(m_rig->takeTransport());
    QTest::ignoreMessage(QtDebugMsg, "cmd Failed");
    QString version = QStringLiteral("kept");
    m_rig->hid().hid_80H_GetFWVersion(version);
    m_rig->releaseTransport();
    QCOMPARE(version, QStringLiteral("kept"));
    QCOMPARE(m_rig->recorder().featureOuts().size(), 0);
}

void tst_MouseCommands::factoryState()
{
    Hid_Thread &h = m_rig->hid();
    uchar type = 0, o1 = 9, o2 = 9, rate = 0, stage = 0, stages = 0;
    h.hid_83H_GetFunctionOption(type, o1, o2);
    h.hid_81H_GetReportRate(rate);
    h.hid_8BH_GetCurrentDPIStage(stage);
    QByteArray table(8, '\0');
    QVERIFY(h.hid_91H_GetDPISet(stages, bytes(table)));
    QString version;
    h.hid_80H_GetFWVersion(version);
    QCOMPARE(values({type, o1, o2, rate, stage, stages}), values({3, 0, 0, 0x02, 1, 8}));
    // Type 3 defaults: 1000, 2000, 4000, 8000, the other four stages off.
    QCOMPARE(table, hex("09 13 27 67 80 80 80 80"));
    QCOMPARE(version, QStringLiteral("1.05"));
}

void tst_MouseCommands::roundTripScrambled_data()
{
    QTest::addColumn<SetCall>("set");
    QTest::addColumn<GetCall>("get");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("01H/81H") << SetCall([](Hid_Thread &h, uchar *) {
        h.hid_01H_SetReportRate(0x08);
    }) << GetCall([](Hid_Thread &h) {
        uchar rate = 0;
        h.hid_81H_GetReportRate(rate);
        return values({rate});
    }) << values({0x08});
    QTest::newRow("02H/82H") << SetCall([](Hid_Thread &h, uchar *) {
        h.hid_02H_SetCurrentProfile(7);
    }) << GetCall([](Hid_Thread &h) {
        uchar profile = 0;
        h.hid_82H_GetCurrentProfile(profile);
        return values({profile});
    }) << values({7});
    QTest::newRow("03H/83H and its rate") << SetCall([](Hid_Thread &h, uchar *) {
        h.hid_03H_SetFunctionOption(2, 0x04, 0x45, 0x07);
    }) << GetCall([](Hid_Thread &h) {
        uchar type = 0, o1 = 0, o2 = 0, rate = 0;
        h.hid_83H_GetFunctionOption(type, o1, o2);
        h.hid_81H_GetReportRate(rate);
        return values({type, o1, o2, rate});
    }) << values({2, 0x45, 0x07, 0x04});
    QTest::newRow("07H/87H per type") << SetCall([](Hid_Thread &h, uchar *) {
        h.hid_07H_SetLEDInstructFunction(1, 0x11, 0x12, 0x13);
        h.hid_07H_SetLEDInstructFunction(2, 0x21, 0x22, 0x23);
    }) << GetCall([](Hid_Thread &h) {
        uchar a1 = 0, a2 = 0, a3 = 0, b1 = 0, b2 = 0, b3 = 0;
        const bool okA = h.hid_87H_GetLEDInstructFunction(1, a1, a2, a3);
        const bool okB = h.hid_87H_GetLEDInstructFunction(2, b1, b2, b3);
        return values({okA, a1, a2, a3, okB, b1, b2, b3});
    }) << values({1, 0x11, 0x12, 0x13, 1, 0x21, 0x22, 0x23});
    QTest::newRow("0BH/8BH") << SetCall([](Hid_Thread &h, uchar *) {
        h.hid_0BH_SetCurrentDPIStage(5);
    }) << GetCall([](Hid_Thread &h) {
        uchar stage = 0;
        h.hid_8BH_GetCurrentDPIStage(stage);
        return values({stage});
    }) << values({5});
    QTest::newRow("0DH/8DH") << SetCall([](Hid_Thread &h, uchar *) {
        h.hid_0DH_SetRGBLedEffect(3, 4, 5);
    }) << GetCall([](Hid_Thread &h) {
        uchar effect = 0, o1 = 0, o2 = 0;
        h.hid_8DH_GetRGBLedEffect(effect, o1, o2);
        return values({effect, o1, o2});
    }) << values({3, 4, 5});
    QTest::newRow("10H/90H per type") << SetCall([](Hid_Thread &h, uchar *) {
        QByteArray c0 = pattern(24, 10), c1 = pattern(24, 11), c2 = pattern(4, 12);
        h.hid_10H_SetLED8StageColor(0, bytes(c0));
        h.hid_10H_SetLED8StageColor(1, bytes(c1));
        h.hid_10H_SetLED8StageColor(2, bytes(c2));
    }) << GetCall([](Hid_Thread &h) {
        QByteArray out;
        for (uchar type : {0, 1, 2})
            out += filled(24, [&](uchar *a) { h.hid_90H_GetLED8StageColor(type, a); });
        return out;
    }) << pattern(24, 10) + pattern(24, 11) + pattern(4, 12) + QByteArray(20, char(0xEE));
    QTest::newRow("11H/91H") << SetCall([](Hid_Thread &h, uchar *a) { h.hid_11H_SetDPISet(6, a); })
                             << GetCall([](Hid_Thread &h) {
                                    uchar stages = 0;
                                    QByteArray table(8, '\0');
                                    const bool ok = h.hid_91H_GetDPISet(stages, bytes(table));
                                    return values({ok, stages}) + table;
                                })
                             << values({1, 6}) + pattern(8);
    QTest::newRow("12H/92H layer 1") << SetCall([](Hid_Thread &h, uchar *) {
        QByteArray l1 = pattern(64, 1), l2 = pattern(64, 2);
        h.hid_12H_SetKeyMatrix(bytes(l1), 1);
        h.hid_12H_SetKeyMatrix(bytes(l2), 2);
    }) << GetCall([](Hid_Thread &h) {
        return filled(64, [&](uchar *a) { h.hid_92H_GetKeyMatrix(a); });
    }) << pattern(64, 1);
    QTest::newRow("13H/93H per macro") << SetCall([](Hid_Thread &h, uchar *) {
        QByteArray m0 = pattern(128, 20), m11 = pattern(128, 31);
        h.hid_13H_SetMacroKey(0, bytes(m0));
        h.hid_13H_SetMacroKey(11, bytes(m11));
    }) << GetCall([](Hid_Thread &h) {
        return filled(128, [&](uchar *a) { h.hid_93H_GetMacroKey(0, a); }) +
               filled(128, [&](uchar *a) { h.hid_93H_GetMacroKey(11, a); });
    }) << pattern(128, 20) + pattern(128, 31);
}

void tst_MouseCommands::roundTripScrambled()
{
    QFETCH(SetCall, set);
    QFETCH(GetCall, get);
    QFETCH(QByteArray, expected);
    checkRoundTrip(*m_rig, SimRig::Mouse, set, get, expected, pattern(8));
}

QTEST_GUILESS_MAIN(tst_MouseCommands)
#include "tst_mousecommands.moc"
