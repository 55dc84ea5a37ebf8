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

// A Get's outputs and data area, preset to 0xEE so one the slot leaves alone shows.
struct Out
{
    uchar o[6] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    int used = 0;
    QByteArray data;
    QString version;

    uchar &operator[](int i)
    {
        used = std::max(used, i + 1);
        return o[i];
    }
    uchar *area(int n)
    {
        data = ee(n);
        return bytes(data);
    }
    // The outputs handed to the slot in order, then the data area or the version.
    QByteArray given() const
    {
        return QByteArray(reinterpret_cast<const char *>(o), used) + data + version.toLatin1();
    }
};

// A Set slot called with its parameters and the caller's data area; a Get slot called with
// its index and the outputs.
using Set = std::function<void(Hid_Thread &, uchar *)>;
using Get = std::function<void(Hid_Thread &, Out &)>;

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
void program(EmulatedDevice &device, const QByteArray &block7, const QByteArray &data)
{
    QByteArray report = '\0' + block7.leftJustified(7, '\0', true);
    unsigned sum = 0;
    for (char c : report)
        sum += uint8_t(c);
    report.append(char(0xFF - (sum & 0xFF)));
    const auto raw = [](const QByteArray &b) {
        return reinterpret_cast<const uint8_t *>(b.data());
    };
    device.featureOut(raw(report), size_t(report.size()));
    for (const QByteArray &out : outputReports(data, device.reportLength()))
        device.dataOut(raw(out), size_t(out.size()));
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

using Setup = std::function<void(EmulatedDevice &)>;

} // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Set)
Q_DECLARE_METATYPE(Get)

class tst_Commands : public QObject
{
    Q_OBJECT

    // One rig per device, each listening, so an acknowledged pause ends after 64 ms.
    std::unique_ptr<SimRig> m_rigs[2];
    SimRig &rig(int device) { return *m_rigs[device]; }

    static Setup programs(const QList<QPair<const char *, QByteArray>> &sets)
    {
        return [sets](EmulatedDevice &device) {
            for (const auto &s : sets)
                program(device, QByteArray::fromHex(s.first), s.second);
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
        QTest::addColumn<Set>("call");
        QTest::addColumn<QByteArray>("data");   // the caller's array, all of it travels
        QTest::addColumn<QByteArray>("report"); // the feature report
        QTest::addColumn<int>("reports");       // output reports
        QTest::addColumn<bool>("ack");          // a pause for the acknowledge after each phase
        QTest::addColumn<bool>("sleep");        // 8 ms on the caller's thread
        const auto row = [](const char *name, int d, QByteArray data, const char *report,
                            int reports, bool ack, bool sleep, const Set &call) {
            QTest::newRow(name) << d << call << data << QByteArray::fromHex(report) << reports
                                << ack << sleep;
        };
        row("M 01H rate", M, {}, "00 01 02 00 00 00 00 00 fc", 0, true, false,
            [](auto &h, auto) { h.hid_01H_SetReportRate(2); });
        row("M 02H profile", M, {}, "00 02 03 00 00 00 00 00 fa", 0, false, true,
            [](auto &h, auto) { h.hid_02H_SetCurrentProfile(3); });
        row("M 03H options", M, {}, "00 03 03 02 45 07 00 00 ab", 0, true, true,
            [](auto &h, auto) { h.hid_03H_SetFunctionOption(3, 2, 0x45, 7); });
        row("M 07H LED", M, {}, "00 07 01 11 22 33 00 00 91", 0, false, false,
            [](auto &h, auto) { h.hid_07H_SetLEDInstructFunction(1, 0x11, 0x22, 0x33); });
        row("M 0BH stage", M, {}, "00 0b 04 00 00 00 00 00 f0", 0, true, false,
            [](auto &h, auto) { h.hid_0BH_SetCurrentDPIStage(4); });
        row("M 0DH effect", M, {}, "00 0d 02 05 06 00 00 00 e5", 0, true, false,
            [](auto &h, auto) { h.hid_0DH_SetRGBLedEffect(2, 5, 6); });
        row("M 10H type 0", M, pattern(24), "00 10 00 18 00 00 00 00 d7", 1, true, false,
            [](auto &h, auto d) { h.hid_10H_SetLED8StageColor(0, d); });
        row("M 10H type 1", M, pattern(24, 1), "00 10 01 18 00 00 00 00 d6", 1, true, false,
            [](auto &h, auto d) { h.hid_10H_SetLED8StageColor(1, d); });
        row("M 10H type 2, ids", M, pattern(4, 2), "00 10 02 04 00 00 00 00 e9", 1, true, false,
            [](auto &h, auto d) { h.hid_10H_SetLED8StageColor(2, d); });
        row("M 10H type 3", M, pattern(24, 3), "00 10 03 18 00 00 00 00 d4", 1, true, false,
            [](auto &h, auto d) { h.hid_10H_SetLED8StageColor(3, d); });
        row("M 11H DPI", M, pattern(8), "00 11 08 08 00 00 00 00 de", 1, true, false,
            [](auto &h, auto d) { h.hid_11H_SetDPISet(8, d); });
        row("M 12H layer 3", M, pattern(64), "00 12 03 40 08 00 00 00 a2", 2, true, false,
            [](auto &h, auto d) { h.hid_12H_SetKeyMatrix(d, 3); });
        row("M 13H macro 5", M, pattern(128), "00 13 05 80 00 00 00 00 67", 4, true, false,
            [](auto &h, auto d) { h.hid_13H_SetMacroKey(5, d); });
        row("K 03H options", K, {}, "00 03 01 02 03 04 00 00 f2", 0, false, true,
            [](auto &h, auto) { h.hid_03H_SetKeyboardoption(1, 2, 3, 4); });
        row("K 04H sensitivity", K, {}, "00 04 01 02 03 04 05 00 ec", 0, true, false,
            [](auto &h, auto) { h.hid_04H_SetButtonSensitivity(1, 2, 3, 4, 5); });
        row("K 07H indicator", K, {}, "00 07 02 03 00 00 00 00 f3", 0, false, true,
            [](auto &h, auto) { h.hid_07H_SetControlIndicatorLight(2, 3); });
        row("K 08H LED", K, {}, "00 08 01 02 03 04 05 06 e2", 0, true, false,
            [](auto &h, auto) { h.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6); });
        row("K 09H mode", K, {}, "00 09 03 00 00 00 00 00 f3", 0, true, false,
            [](auto &h, auto) { h.hid_09H_SetKeyboardMode(3); });
        row("K 0DH matrix", K, pattern(512), "00 0d 00 00 08 00 00 00 ea", 8, true, false,
            [](auto &h, auto d) { h.hid_0DH_SetKeyMatrix(d); });
        row("K 0EH on/off", K, pattern(21), "00 0e 00 00 15 00 00 00 dc", 1, true, false,
            [](auto &h, auto d) { h.hid_0EH_SetKeyOnOff(d); });
        row("K 11H macro 5", K, pattern(192), "00 11 00 05 03 00 00 00 e6", 3, true, false,
            [](auto &h, auto d) { h.hid_11H_SetMacroKey(5, d); });
        row("K 12H picture 2", K, pattern(512), "00 12 00 02 08 07 00 00 dc", 8, true, false,
            [](auto &h, auto d) { h.hid_12H_SetUserPicture(2, 7, d); });
        row("K 13H recovery", K, {}, "00 13 ff 00 00 00 00 00 ed", 0, false, true,
            [](auto &h, auto) { h.hid_13H_SetRecoveryData(); });
        row("K 14H colour", K, {}, "00 14 00 02 10 20 30 00 89", 0, false, true,
            [](auto &h, auto) { h.hid_14H_SetColor(2, 0x10, 0x20, 0x30); });
    }
    void setReports()
    {
        QFETCH(int, device);
        QFETCH(Set, call);
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
            call(r.hid(), data.isEmpty() ? nullptr : bytes(caller));
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
            QVERIFY2(attempt < 3,
                     qPrintable(QString::asprintf("too long: %.1f ms after the block, "
                                                  "%.1f after the data, %.1f in the slot",
                                                  afterBlock, afterData, slotMs)));
        }
    }

    void getReports_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<Get>("call");
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<int>("inputs");          // input reports of the data phase
        QTest::addColumn<QByteArray>("expected"); // what the slot gives
        QTest::addColumn<QByteArray>("stalled");  // what it gives when the device stalls
        const auto row = [](const char *name, int d, const Setup &setup, const char *report,
                            int inputs, const QByteArray &expected, const QByteArray &stalled,
                            const Get &call) {
            QTest::newRow(name) << d << setup << call << QByteArray::fromHex(report) << inputs
                                << expected << stalled;
        };
        const auto hex = [](const char *h) { return QByteArray::fromHex(h); };
        row("M 80H", M, programs({}), "00 80 00 00 00 00 00 00 7f", 0, "1.05", "unknown",
            [](auto &h, Out &o) { h.hid_80H_GetFWVersion(o.version); });
        row(
            "M 80H, letters", M, [](EmulatedDevice &d) { d.setFirmwareVersion(0x1A, 0x0B); },
            "00 80 00 00 00 00 00 00 7f", 0, "1a.0B", "unknown",
            [](auto &h, Out &o) { h.hid_80H_GetFWVersion(o.version); });
        row("M 81H", M, programs({{"01 04", {}}}), "00 81 00 00 00 00 00 00 7e", 0, hex("04"),
            ee(1), [](auto &h, Out &o) { h.hid_81H_GetReportRate(o[0]); });
        row("M 82H", M, programs({{"02 05", {}}}), "00 82 00 00 00 00 00 00 7d", 0, hex("05"),
            ee(1), [](auto &h, Out &o) { h.hid_82H_GetCurrentProfile(o[0]); });
        row("M 83H, not the rate", M, programs({{"03 02 08 45 07", {}}}),
            "00 83 00 00 00 00 00 00 7c", 0, hex("02 45 07"), hex("00 00 00"),
            [](auto &h, Out &o) { h.hid_83H_GetFunctionOption(o[0], o[1], o[2]); });
        row("M 87H type 1", M, programs({{"07 01 11 22 33", {}}, {"07 02 44 55 66", {}}}),
            "00 87 01 00 00 00 00 00 77", 0, hex("01 11 22 33"), hex("00 ee ee ee"),
            [](auto &h, Out &o) { o[0] = h.hid_87H_GetLEDInstructFunction(1, o[1], o[2], o[3]); });
        row("M 8BH", M, programs({{"0b 03", {}}}), "00 8b 00 00 00 00 00 00 74", 0, hex("03"),
            hex("00"), [](auto &h, Out &o) { h.hid_8BH_GetCurrentDPIStage(o[0]); });
        row("M 8DH", M, programs({{"0d 02 05 06", {}}}), "00 8d 00 00 00 00 00 00 72", 0,
            hex("02 05 06"), hex("00 00 00"),
            [](auto &h, Out &o) { h.hid_8DH_GetRGBLedEffect(o[0], o[1], o[2]); });
        row("M 90H type 1", M, programs({{"10 01 18", pattern(24, 1)}, {"10 00 18", pattern(24)}}),
            "00 90 01 00 00 00 00 00 6e", 1, pattern(24, 1), ee(24),
            [](auto &h, Out &o) { h.hid_90H_GetLED8StageColor(1, o.area(24)); });
        row("M 90H type 2 fills 4", M, programs({{"10 02 04", pattern(4, 2)}}),
            "00 90 02 00 00 00 00 00 6d", 1, pattern(4, 2) + ee(20), ee(24),
            [](auto &h, Out &o) { h.hid_90H_GetLED8StageColor(2, o.area(24)); });
        row("M 91H", M, programs({{"11 06 08", pattern(8, 3)}}), "00 91 00 00 00 00 00 00 6e", 1,
            hex("01 06") + pattern(8, 3), hex("00") + ee(9),
            [](auto &h, Out &o) { o[0] = h.hid_91H_GetDPISet(o[1], o.area(8)); });
        row("M 92H layer 1", M,
            programs({{"12 01 40 08", pattern(64, 1)}, {"12 03 40 08", pattern(64, 3)}}),
            "00 92 01 00 00 00 00 00 6c", 2, pattern(64, 1), ee(64),
            [](auto &h, Out &o) { h.hid_92H_GetKeyMatrix(o.area(64)); });
        row("M 93H macro 7", M,
            programs({{"13 07 80", pattern(128, 7)}, {"13 08 80", pattern(128, 8)}}),
            "00 93 07 00 00 00 00 00 65", 4, pattern(128, 7), ee(128),
            [](auto &h, Out &o) { h.hid_93H_GetMacroKey(7, o.area(128)); });
        row("K 83H", K, programs({{"03 01 02 03 04", {}}}), "00 83 00 00 00 00 00 00 7c", 0,
            hex("01 02 03 04"), ee(4),
            [](auto &h, Out &o) { h.hid_83H_GetKeyboardoption(o[0], o[1], o[2], o[3]); });
        row("K 84H, not the index", K, programs({{"04 05 06 07 08 09", {}}}),
            "00 84 00 00 00 00 00 00 7b", 0, hex("05 06 07 08"), ee(4),
            [](auto &h, Out &o) { h.hid_84H_GetButtonSensitivity(o[0], o[1], o[2], o[3]); });
        row("K 88H, not the option", K, programs({{"08 01 02 03 04 05 06", {}}}),
            "00 88 00 00 00 00 00 00 77", 0, hex("02 03 04 05 06"), ee(5),
            [](auto &h, Out &o) { h.hid_88H_GetLEDType(o[0], o[1], o[2], o[3], o[4]); });
        row("K 89H", K, programs({{"09 07", {}}}), "00 89 00 00 00 00 00 00 76", 0, hex("07"),
            ee(1), [](auto &h, Out &o) { h.hid_89H_GetKeyboardMode(o[0]); });
        row("K 94H index 2", K, programs({{"14 00 02 aa bb cc", {}}, {"14 00 03 11 22 33", {}}}),
            "00 94 00 02 00 00 00 00 69", 0, hex("aa bb cc"), ee(3),
            [](auto &h, Out &o) { h.hid_94H_GetColor(2, o[0], o[1], o[2]); });
        row("K 8DH", K, programs({{"0d 00 00 08", pattern(512, 1)}}), "00 8d 00 00 00 00 00 00 72",
            8, pattern(512, 1), ee(512),
            [](auto &h, Out &o) { h.hid_8DH_GetKeyMatrix(o.area(512)); });
        row("K 8EH", K, programs({{"0e 00 00 15", pattern(21, 2)}}), "00 8e 00 00 00 00 00 00 71",
            1, pattern(21, 2), ee(21), [](auto &h, Out &o) { h.hid_8EH_GetKeyOnOff(o.area(21)); });
        row("K 91H macro 5", K,
            programs({{"11 00 05 03", pattern(192, 5)}, {"11 00 06 03", pattern(192, 6)}}),
            "00 91 00 05 00 00 00 00 69", 3, pattern(192, 5), ee(192),
            [](auto &h, Out &o) { h.hid_91H_GetMacroKey(5, o.area(192)); });
        row("K 92H picture 3", K,
            programs({{"12 00 03 08", pattern(512, 3)}, {"12 00 01 08", pattern(512, 4)}}),
            "00 92 00 03 00 00 00 00 6a", 8, pattern(512, 3), ee(512),
            [](auto &h, Out &o) { h.hid_92H_GetUserPicture(3, o.area(512)); });
    }
    void getReports()
    {
        QFETCH(int, device);
        QFETCH(Setup, setup);
        QFETCH(Get, call);
        QFETCH(QByteArray, report);
        QFETCH(int, inputs);
        QFETCH(QByteArray, expected);
        QFETCH(QByteArray, stalled);
        SimRig &r = rig(device);
        const auto run = [&] {
            Out o;
            call(r.hid(), o);
            return o.given();
        };
        setup(r.device(SimRig::Device(device)));
        r.recorder().clear();
        QCOMPARE(run(), expected);
        QCOMPARE(r.recorder().featureOuts(), QList<QByteArray>{report});
        QCOMPARE(r.recorder().count(QStringLiteral("feature-in")), 1);
        QCOMPARE(r.recorder().inputs().size(), inputs);
        QCOMPARE(r.recorder().outputs().size(), 0);
        QVERIFY(r.hid().isIdle());

        // A stalled device: the read fails (at its own timeout, not ctest's) and gives the
        // transport back.
        r.device(SimRig::Device(device)).setFault(EmulatedDevice::Fault::Stalled, true);
        QCOMPARE(run(), stalled);
        QCOMPARE(r.recorder().featureOuts().size(), 2);
        QVERIFY(r.hid().isIdle());
    }
};

QTEST_GUILESS_MAIN(tst_Commands)
#include "tst_commands.moc"
