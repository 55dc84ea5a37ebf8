// Both devices' command sets on the wire against the emulated devices: every Set's exact feature
// report, data reports, acknowledge pauses and sleep; every Get's exact request, answer positions
// and what it gives when the device stalls. (Scrambling is proven by the handshake's echo and by
// every run of the program.)
#include "support/SimRig.h"

#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <functional>

namespace {

constexpr int K = SimRig::Keyboard;
constexpr int M = SimRig::Mouse;

constexpr int slot(int device, int code)
{
    return device << 8 | code;
}

// length bytes that differ from their neighbours, so a shifted or reordered copy shows.
QByteArray pattern(int length, int seed = 0)
{
    QByteArray out(length, '\0');
    for (int i = 0; i < length; ++i)
        out[i] = char((i * 37 + seed * 101 + 11) & 0xFF);
    return out;
}

QByteArray ee(int length)
{
    return QByteArray(length, char(0xEE));
}

uchar *bytes(QByteArray &a)
{
    return reinterpret_cast<uchar *>(a.data());
}

// Calls the Set slot of `code` on device d with the parameters p and the data area `data`.
void set(Hid_Thread &h, int d, int code, const QByteArray &p, uchar *data)
{
    const auto u = [&p](int i) { return i < p.size() ? uchar(p[i]) : uchar(0); };
    switch (slot(d, code)) {
    case slot(M, 0x01):
    case slot(K, 0x01):
        return h.hid_01H_SetReportRate(u(0));
    case slot(M, 0x02):
    case slot(K, 0x02):
        return h.hid_02H_SetCurrentProfile(u(0));
    case slot(M, 0x03):
        return h.hid_03H_SetFunctionOption(u(0), u(1), u(2), u(3));
    case slot(M, 0x07):
        return h.hid_07H_SetLEDInstructFunction(u(0), u(1), u(2), u(3));
    case slot(M, 0x0B):
        return h.hid_0BH_SetCurrentDPIStage(u(0));
    case slot(M, 0x0D):
        return h.hid_0DH_SetRGBLedEffect(u(0), u(1), u(2));
    case slot(M, 0x10):
        return h.hid_10H_SetLED8StageColor(u(0), data);
    case slot(M, 0x11):
        return h.hid_11H_SetDPISet(u(0), data);
    case slot(M, 0x12):
        return h.hid_12H_SetKeyMatrix(data, u(0));
    case slot(M, 0x13):
        return h.hid_13H_SetMacroKey(u(0), data);
    case slot(K, 0x03):
        return h.hid_03H_SetKeyboardoption(u(0), u(1), u(2), u(3));
    case slot(K, 0x04):
        return h.hid_04H_SetButtonSensitivity(u(0), u(1), u(2), u(3), u(4));
    case slot(K, 0x07):
        return h.hid_07H_SetControlIndicatorLight(u(0), u(1));
    case slot(K, 0x08):
        return h.hid_08H_SetLEDType(u(0), u(1), u(2), u(3), u(4), u(5));
    case slot(K, 0x09):
        return h.hid_09H_SetKeyboardMode(u(0));
    case slot(K, 0x0D):
        return h.hid_0DH_SetKeyMatrix(data);
    case slot(K, 0x0E):
        return h.hid_0EH_SetKeyOnOff(data);
    case slot(K, 0x11):
        return h.hid_11H_SetMacroKey(u(0), data);
    case slot(K, 0x12):
        return h.hid_12H_SetUserPicture(u(0), u(1), data);
    case slot(K, 0x13):
        return h.hid_13H_SetRecoveryData();
    case slot(K, 0x14):
        return h.hid_14H_SetColor(u(0), u(1), u(2), u(3));
    }
    QFAIL("no such Set");
}

// Calls the Get slot of `code` on device d with every output and the data area preset to 0xEE;
// returns what the slot left there in order, its bool result first.
QByteArray get(Hid_Thread &h, int d, int code, uchar index)
{
    uchar o[6];
    std::fill_n(o, 6, uchar(0xEE));
    const auto outs = [&o](int n) { return QByteArray(reinterpret_cast<const char *>(o), n); };
    QByteArray data;
    const auto area = [&data](int n) {
        data = ee(n);
        return bytes(data);
    };
    switch (slot(d, code)) {
    case slot(M, 0x80):
    case slot(K, 0x80): {
        QString version = QStringLiteral("ee");
        h.hid_80H_GetFWVersion(version);
        return version.toLatin1();
    }
    case slot(M, 0x81):
    case slot(K, 0x81):
        h.hid_81H_GetReportRate(o[0]);
        return outs(1);
    case slot(M, 0x82):
    case slot(K, 0x82):
        h.hid_82H_GetCurrentProfile(o[0]);
        return outs(1);
    case slot(M, 0x83):
        h.hid_83H_GetFunctionOption(o[0], o[1], o[2]);
        return outs(3);
    case slot(M, 0x87):
        o[0] = h.hid_87H_GetLEDInstructFunction(index, o[1], o[2], o[3]);
        return outs(4);
    case slot(M, 0x8B):
        h.hid_8BH_GetCurrentDPIStage(o[0]);
        return outs(1);
    case slot(M, 0x8D):
        h.hid_8DH_GetRGBLedEffect(o[0], o[1], o[2]);
        return outs(3);
    case slot(M, 0x90):
        h.hid_90H_GetLED8StageColor(index, area(24));
        return data;
    case slot(M, 0x91):
        o[0] = h.hid_91H_GetDPISet(o[1], area(8));
        return outs(2) + data;
    case slot(M, 0x92):
        h.hid_92H_GetKeyMatrix(area(64));
        return data;
    case slot(M, 0x93):
        h.hid_93H_GetMacroKey(index, area(128));
        return data;
    case slot(K, 0x83):
        h.hid_83H_GetKeyboardoption(o[0], o[1], o[2], o[3]);
        return outs(4);
    case slot(K, 0x84):
        h.hid_84H_GetButtonSensitivity(o[0], o[1], o[2], o[3]);
        return outs(4);
    case slot(K, 0x88):
        h.hid_88H_GetLEDType(o[0], o[1], o[2], o[3], o[4]);
        return outs(5);
    case slot(K, 0x89):
        h.hid_89H_GetKeyboardMode(o[0]);
        return outs(1);
    case slot(K, 0x8D):
        h.hid_8DH_GetKeyMatrix(area(512));
        return data;
    case slot(K, 0x8E):
        h.hid_8EH_GetKeyOnOff(area(21));
        return data;
    case slot(K, 0x91):
        h.hid_91H_GetMacroKey(index, area(192));
        return data;
    case slot(K, 0x92):
        h.hid_92H_GetUserPicture(index, area(512));
        return data;
    case slot(K, 0x94):
        h.hid_94H_GetColor(index, o[0], o[1], o[2]);
        return outs(3);
    }
    return "no such Get";
}

// The output reports a data phase takes: report ID 0, one chunk of min(size, reportLength)
// bytes, the rest zero.
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

// Puts a Set command straight into the emulated device, past the transport: 7 command-block
// bytes (the checksum is added) and its data phase; scrambling must be off.
void program(SimRig &rig, int device, const QByteArray &block7, const QByteArray &data)
{
    QByteArray report(1, '\0');
    report += block7.left(7);
    report.resize(8, '\0');
    unsigned sum = 0;
    for (int i = 1; i < 8; ++i)
        sum += uint8_t(report[i]);
    report.append(char(0xFF - (sum & 0xFF)));
    auto handle = rig.sim().open(device == K ? "sim:keyboard:cmd" : "sim:mouse:cmd");
    QVERIFY(handle);
    const auto raw = [](const QByteArray &b) {
        return reinterpret_cast<const uint8_t *>(b.data());
    };
    rig.sim().sendFeatureReport(*handle, raw(report), size_t(report.size()));
    for (const QByteArray &out :
         outputReports(data, rig.device(SimRig::Device(device)).reportLength()))
        rig.sim().write(*handle, raw(out), size_t(out.size()));
}

// Pauses on the command interface, in ms: from the feature report to the next call, and from
// the last output report to the close; negative when missing.
QPair<double, double> pauses(const QList<HidCall> &cmd)
{
    double afterBlock = -1, afterData = -1;
    for (qsizetype i = 0; i + 1 < cmd.size(); ++i) {
        const double ms = double(cmd[i + 1].atNs - cmd[i].atNs) / 1e6;
        if (cmd[i].op == QLatin1String("feature-out") && afterBlock < 0)
            afterBlock = ms;
        if (cmd[i].op == QLatin1String("out") && cmd[i + 1].op == QLatin1String("close"))
            afterData = ms;
    }
    return {afterBlock, afterData};
}

using Setup = std::function<void(SimRig &)>;

} // namespace

Q_DECLARE_METATYPE(Setup)

class tst_Commands : public QObject
{
    Q_OBJECT

    // One rig per device, each listening, so an acknowledged pause ends after 64 ms.
    std::unique_ptr<SimRig> m_rigs[2];
    SimRig &rig(int device) { return *m_rigs[device]; }

    static Setup programs(const QList<QPair<const char *, QByteArray>> &sets, int device)
    {
        return [sets, device](SimRig &rig) {
            for (const auto &s : sets)
                program(rig, device, QByteArray::fromHex(s.first), s.second);
        };
    }

private slots:
    void initTestCase()
    {
        for (int d : {K, M}) {
            m_rigs[d] = std::make_unique<SimRig>();
            QVERIFY(rig(d).select(SimRig::Device(d)));
            if (!rig(d).hid().isListening())
                rig(d).listen(SimRig::Device(d));
        }
    }
    void init()
    {
        for (int d : {K, M}) {
            rig(d).setScrambling(false);
            rig(d).device(SimRig::Device(d)).resetFactory();
            rig(d).recorder().clear();
        }
        rig(M).mouse().setFirmwareVersion(1, 5);
    }
    void cleanup()
    {
        for (int d : {K, M}) {
            rig(d).device(SimRig::Device(d)).setFault(EmulatedDevice::Fault::Stalled, false);
            QVERIFY(rig(d).waitIdle());
        }
    }

    void setReports_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("params");
        QTest::addColumn<QByteArray>("data");   // the caller's array, all of it travels
        QTest::addColumn<QByteArray>("report"); // the feature report
        QTest::addColumn<int>("reports");       // output reports
        QTest::addColumn<bool>("ack");          // a pause for the acknowledge after each phase
        QTest::addColumn<bool>("sleep");        // 8 ms on the caller's thread
        const auto row = [](const char *name, int d, int code, const char *params, QByteArray data,
                            const char *report, int reports, bool ack, bool sleep) {
            QTest::newRow(name) << d << code << QByteArray::fromHex(params) << data
                                << QByteArray::fromHex(report) << reports << ack << sleep;
        };
        row("M 01H rate", M, 0x01, "02", {}, "00 01 02 00 00 00 00 00 fc", 0, true, false);
        row("M 02H profile", M, 0x02, "03", {}, "00 02 03 00 00 00 00 00 fa", 0, false, true);
        row("M 03H options", M, 0x03, "03 02 45 07", {}, "00 03 03 02 45 07 00 00 ab", 0, true,
            true);
        row("M 07H LED", M, 0x07, "01 11 22 33", {}, "00 07 01 11 22 33 00 00 91", 0, false, false);
        row("M 0BH stage", M, 0x0B, "04", {}, "00 0b 04 00 00 00 00 00 f0", 0, true, false);
        row("M 0DH effect", M, 0x0D, "02 05 06", {}, "00 0d 02 05 06 00 00 00 e5", 0, true, false);
        row("M 10H type 0", M, 0x10, "00", pattern(24), "00 10 00 18 00 00 00 00 d7", 1, true,
            false);
        row("M 10H type 1", M, 0x10, "01", pattern(24, 1), "00 10 01 18 00 00 00 00 d6", 1, true,
            false);
        row("M 10H type 2, ids", M, 0x10, "02", pattern(4, 2), "00 10 02 04 00 00 00 00 e9", 1,
            true, false);
        row("M 10H type 3", M, 0x10, "03", pattern(24, 3), "00 10 03 18 00 00 00 00 d4", 1, true,
            false);
        row("M 11H DPI", M, 0x11, "08", pattern(8), "00 11 08 08 00 00 00 00 de", 1, true, false);
        row("M 12H layer 3", M, 0x12, "03", pattern(64), "00 12 03 40 08 00 00 00 a2", 2, true,
            false);
        row("M 13H macro 5", M, 0x13, "05", pattern(128), "00 13 05 80 00 00 00 00 67", 4, true,
            false);
        row("K 03H options", K, 0x03, "01 02 03 04", {}, "00 03 01 02 03 04 00 00 f2", 0, false,
            true);
        row("K 04H sensitivity", K, 0x04, "01 02 03 04 05", {}, "00 04 01 02 03 04 05 00 ec", 0,
            true, false);
        row("K 07H indicator", K, 0x07, "02 03", {}, "00 07 02 03 00 00 00 00 f3", 0, false, true);
        row("K 08H LED", K, 0x08, "01 02 03 04 05 06", {}, "00 08 01 02 03 04 05 06 e2", 0, true,
            false);
        row("K 09H mode", K, 0x09, "03", {}, "00 09 03 00 00 00 00 00 f3", 0, true, false);
        row("K 0DH matrix", K, 0x0D, "", pattern(512), "00 0d 00 00 08 00 00 00 ea", 8, true,
            false);
        row("K 0EH on/off", K, 0x0E, "", pattern(21), "00 0e 00 00 15 00 00 00 dc", 1, true, false);
        row("K 11H macro 5", K, 0x11, "05", pattern(192), "00 11 00 05 03 00 00 00 e6", 3, true,
            false);
        row("K 12H picture 2", K, 0x12, "02 07", pattern(512), "00 12 00 02 08 07 00 00 dc", 8,
            true, false);
        row("K 13H recovery", K, 0x13, "", {}, "00 13 ff 00 00 00 00 00 ed", 0, false, true);
        row("K 14H colour", K, 0x14, "02 10 20 30", {}, "00 14 00 02 10 20 30 00 89", 0, false,
            true);
    }
    void setReports()
    {
        QFETCH(int, device);
        QFETCH(int, code);
        QFETCH(QByteArray, params);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, report);
        QFETCH(int, reports);
        QFETCH(bool, ack);
        QFETCH(bool, sleep);
        SimRig &r = rig(device);
        const int reportLength = r.device(SimRig::Device(device)).reportLength();
        const QList<QByteArray> expectedOut = outputReports(data, reportLength);
        QCOMPARE(expectedOut.size(), reports);
        // Lower bounds of pauses and sleeps always hold; the upper ones (an acknowledged pause
        // ends early, a command without pause or sleep has none) may not on a loaded machine,
        // so a case gets three tries before it fails on them.
        for (int attempt = 1;; ++attempt) {
            r.recorder().clear();
            QByteArray caller = data;
            QElapsedTimer inSlot;
            inSlot.start();
            set(r.hid(), device, code, params, data.isEmpty() ? nullptr : bytes(caller));
            const double slotMs = inSlot.nsecsElapsed() / 1e6;
            caller.fill(char(0xEE)); // the command must have taken its copy already
            QVERIFY(r.waitIdle());

            QCOMPARE(r.recorder().featureOuts(), QList<QByteArray>{report});
            QCOMPARE(r.recorder().outputs(), expectedOut);
            const auto [afterBlock, afterData] = pauses(r.recorder().commandCalls());
            if (ack) {
                QVERIFY2(afterBlock >= 60, qPrintable(QString::number(afterBlock)));
                if (reports > 0)
                    QVERIFY2(afterData >= 60, qPrintable(QString::number(afterData)));
            }
            if (sleep)
                QVERIFY2(slotMs >= 7.9, qPrintable(QString::number(slotMs)));
            const bool quick =
                ack ? afterBlock < 100 && (reports == 0 || afterData < 100) : afterBlock < 60;
            if (quick && (sleep || slotMs < 7.9))
                break;
            if (attempt == 3)
                QFAIL(qPrintable(QStringLiteral("too long: %1 ms after the block, %2 ms after "
                                                "the data, %3 ms in the slot")
                                     .arg(afterBlock)
                                     .arg(afterData)
                                     .arg(slotMs)));
        }
    }

    void getReports_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("index");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<int>("inputs");          // input reports of the data phase
        QTest::addColumn<QByteArray>("expected"); // what the slot gives
        QTest::addColumn<QByteArray>("stalled");  // what it gives when the device stalls
        const auto row = [](const char *name, int d, int code, int index, const Setup &setup,
                            const char *report, int inputs, const QByteArray &expected,
                            const QByteArray &stalled) {
            QTest::newRow(name) << d << code << index << setup << QByteArray::fromHex(report)
                                << inputs << expected << stalled;
        };
        const auto h = [](const char *hex) { return QByteArray::fromHex(hex); };
        row("M 80H", M, 0x80, 0, programs({}, M), "00 80 00 00 00 00 00 00 7f", 0, "1.05",
            "unknown");
        row(
            "M 80H, letters", M, 0x80, 0,
            [](SimRig &r) { r.mouse().setFirmwareVersion(0x1A, 0x0B); },
            "00 80 00 00 00 00 00 00 7f", 0, "1a.0B", "unknown");
        row("M 81H", M, 0x81, 0, programs({{"01 04", {}}}, M), "00 81 00 00 00 00 00 00 7e", 0,
            h("04"), ee(1));
        row("M 82H", M, 0x82, 0, programs({{"02 05", {}}}, M), "00 82 00 00 00 00 00 00 7d", 0,
            h("05"), ee(1));
        row("M 83H, not the rate", M, 0x83, 0, programs({{"03 02 08 45 07", {}}}, M),
            "00 83 00 00 00 00 00 00 7c", 0, h("02 45 07"), h("00 00 00"));
        row("M 87H type 1", M, 0x87, 1,
            programs({{"07 01 11 22 33", {}}, {"07 02 44 55 66", {}}}, M),
            "00 87 01 00 00 00 00 00 77", 0, h("01 11 22 33"), h("00 ee ee ee"));
        row("M 8BH", M, 0x8B, 0, programs({{"0b 03", {}}}, M), "00 8b 00 00 00 00 00 00 74", 0,
            h("03"), h("00"));
        row("M 8DH", M, 0x8D, 0, programs({{"0d 02 05 06", {}}}, M), "00 8d 00 00 00 00 00 00 72",
            0, h("02 05 06"), h("00 00 00"));
        row("M 90H type 1", M, 0x90, 1,
            programs({{"10 01 18", pattern(24, 1)}, {"10 00 18", pattern(24)}}, M),
            "00 90 01 00 00 00 00 00 6e", 1, pattern(24, 1), ee(24));
        row("M 90H type 2 fills 4", M, 0x90, 2, programs({{"10 02 04", pattern(4, 2)}}, M),
            "00 90 02 00 00 00 00 00 6d", 1, pattern(4, 2) + ee(20), ee(24));
        row("M 91H", M, 0x91, 0, programs({{"11 06 08", pattern(8, 3)}}, M),
            "00 91 00 00 00 00 00 00 6e", 1, h("01 06") + pattern(8, 3), h("00") + ee(9));
        row("M 92H layer 1", M, 0x92, 0,
            programs({{"12 01 40 08", pattern(64, 1)}, {"12 03 40 08", pattern(64, 3)}}, M),
            "00 92 01 00 00 00 00 00 6c", 2, pattern(64, 1), ee(64));
        row("M 93H macro 7", M, 0x93, 7,
            programs({{"13 07 80", pattern(128, 7)}, {"13 08 80", pattern(128, 8)}}, M),
            "00 93 07 00 00 00 00 00 65", 4, pattern(128, 7), ee(128));
        row("K 83H", K, 0x83, 0, programs({{"03 01 02 03 04", {}}}, K),
            "00 83 00 00 00 00 00 00 7c", 0, h("01 02 03 04"), ee(4));
        row("K 84H, not the index", K, 0x84, 0, programs({{"04 05 06 07 08 09", {}}}, K),
            "00 84 00 00 00 00 00 00 7b", 0, h("05 06 07 08"), ee(4));
        row("K 88H, not the option", K, 0x88, 0, programs({{"08 01 02 03 04 05 06", {}}}, K),
            "00 88 00 00 00 00 00 00 77", 0, h("02 03 04 05 06"), ee(5));
        row("K 89H", K, 0x89, 0, programs({{"09 07", {}}}, K), "00 89 00 00 00 00 00 00 76", 0,
            h("07"), ee(1));
        row("K 94H index 2", K, 0x94, 2,
            programs({{"14 00 02 aa bb cc", {}}, {"14 00 03 11 22 33", {}}}, K),
            "00 94 00 02 00 00 00 00 69", 0, h("aa bb cc"), ee(3));
        row("K 8DH", K, 0x8D, 0, programs({{"0d 00 00 08", pattern(512, 1)}}, K),
            "00 8d 00 00 00 00 00 00 72", 8, pattern(512, 1), ee(512));
        row("K 8EH", K, 0x8E, 0, programs({{"0e 00 00 15", pattern(21, 2)}}, K),
            "00 8e 00 00 00 00 00 00 71", 1, pattern(21, 2), ee(21));
        row("K 91H macro 5", K, 0x91, 5,
            programs({{"11 00 05 03", pattern(192, 5)}, {"11 00 06 03", pattern(192, 6)}}, K),
            "00 91 00 05 00 00 00 00 69", 3, pattern(192, 5), ee(192));
        row("K 92H picture 3", K, 0x92, 3,
            programs({{"12 00 03 08", pattern(512, 3)}, {"12 00 01 08", pattern(512, 4)}}, K),
            "00 92 00 03 00 00 00 00 6a", 8, pattern(512, 3), ee(512));
    }
    void getReports()
    {
        QFETCH(int, device);
        QFETCH(int, code);
        QFETCH(int, index);
        QFETCH(Setup, setup);
        QFETCH(QByteArray, report);
        QFETCH(int, inputs);
        QFETCH(QByteArray, expected);
        QFETCH(QByteArray, stalled);
        SimRig &r = rig(device);
        setup(r);
        r.recorder().clear();
        QCOMPARE(get(r.hid(), device, code, uchar(index)), expected);
        QCOMPARE(r.recorder().featureOuts(), QList<QByteArray>{report});
        QCOMPARE(r.recorder().count(QStringLiteral("feature-in")), 1);
        QCOMPARE(r.recorder().inputs().size(), inputs);
        QCOMPARE(r.recorder().outputs().size(), 0);
        QVERIFY(r.hid().isIdle());

        // A stalled device: the read fails (at its own timeout, not ctest's) and gives the
        // transport back.
        r.device(SimRig::Device(device)).setFault(EmulatedDevice::Fault::Stalled, true);
        QCOMPARE(get(r.hid(), device, code, uchar(index)), stalled);
        QCOMPARE(r.recorder().featureOuts().size(), 2);
        QVERIFY(r.hid().isIdle());
    }
};

QTEST_GUILESS_MAIN(tst_Commands)
#include "tst_commands.moc"
