#include "bridge/MacroStore.h"
#include "bridge/myQQuickView.h"
#include "platform/Dialogs.h"
#include "support/SimRig.h"

#include <QDir>
#include <QSettings>
#include <QtTest>

// Sending stored macros to the emulated devices' slots, and re-sending after an edit.
class tst_MacroSend : public QObject
{
    Q_OBJECT

    ScriptedDialogs *m_dialogs = nullptr;
    std::unique_ptr<SimRig> m_keyboardRig; // the handshake is slow; one keyboard serves all
    QStringList m_created;
    bool m_hadFolder = false;

    static QString down(const QString &key) { return key + QStringLiteral("    [Down]"); }
    static QString up(const QString &key) { return key + QStringLiteral("      [Up]"); }
    static QString pause(int ms) { return QString::number(ms) + QStringLiteral("   [Delay]"); }

    // A Macro File in the build folder's macro folder, removed again after the test.
    QString macro(const QString &suffix, const QStringList &lines, int index = -1, int repeat = 1,
                  int did = -1)
    {
        const QString name = QStringLiteral("tst_macrosend ") + suffix;
        const QString path = *MacroStore().path(name);
        QDir().mkpath(QStringLiteral("./modules/macro"));
        QFile::remove(path);
        {
            QSettings ini(path, QSettings::IniFormat);
            ini.setValue("config/index", index);
            ini.setValue("config/total", int(lines.size()));
            ini.setValue("config/repeat", repeat);
            ini.setValue("config/did", did);
            for (int i = 0; i < lines.size(); ++i)
                ini.setValue("macro/" + QString::number(i), lines[i]);
        }
        m_created << path;
        return name;
    }

    // n key units: n / 2 presses and releases of A.
    static QStringList keyUnits(int n)
    {
        QStringList lines;
        for (int i = 0; i < n; ++i)
            lines << (i % 2 ? up("A") : down("A"));
        return lines;
    }

    SimRig &keyboardRig()
    {
        if (!m_keyboardRig) {
            m_keyboardRig = std::make_unique<SimRig>();
            if (!m_keyboardRig->select(SimRig::Keyboard))
                qFatal("keyboard handshake failed");
        }
        return *m_keyboardRig;
    }

    static QList<uchar> macroSlotsSent(EmulatedDevice &device, uint8_t code)
    {
        QList<uchar> sent;
        const int indexByte = code == 0x13 ? 1 : 2;
        for (const auto &block : device.received())
            if (block[0] == code)
                sent << block[size_t(indexByte)];
        return sent;
    }

    static QByteArray padded(const QByteArray &hex, int size)
    {
        QByteArray bytes = QByteArray::fromHex(hex);
        bytes.resize(size, '\0');
        return bytes;
    }

private slots:
    void initTestCase()
    {
        m_hadFolder = QDir(QStringLiteral("./modules/macro")).exists();
        auto dialogs = std::make_unique<ScriptedDialogs>(false);
        m_dialogs = dialogs.get();
        Dialogs::setInstance(std::move(dialogs));
    }
    void init() { m_dialogs->clear(); }
    void cleanup()
    {
        for (const QString &path : std::as_const(m_created))
            QFile::remove(path);
        m_created.clear();
    }
    void cleanupTestCase()
    {
        m_keyboardRig.reset();
        if (!m_hadFolder)
            QDir().rmdir(QStringLiteral("./modules/macro"));
    }

    void mouseSlotGetsStreamAndZeros()
    {
        SimRig rig;
        myQQuickView view;
        view.setTransport(&rig.hid());
        view.ui_13H_SetMacroKey(4, macro("plain", {down("A"), up("A")}));
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.mouse().storedData(0x13, 4), padded("0001010481040000", 128));
        QVERIFY(m_dialogs->shown().isEmpty());
    }

    void mouseHeaderCarriesRepeat()
    {
        SimRig rig;
        myQQuickView view;
        view.setTransport(&rig.hid());
        view.ui_13H_SetMacroKey(1, macro("repeat", {down("A"), up("A")}, 0, 300, 1));
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.mouse().storedData(0x13, 1), padded("012c010481040000", 128));
    }

    void mouseLongStreamWarnsAndIsCut()
    {
        SimRig rig;
        myQQuickView view;
        view.setTransport(&rig.hid());
        // 2 + 2 * 63 + 2 = 130 bytes.
        const QString name = macro("long", keyUnits(63));
        const QList<uchar> stream = view.macroIncode(view.loadMacroIni(name));
        QCOMPARE(stream.size(), 130);
        view.ui_13H_SetMacroKey(2, name);
        QVERIFY(rig.waitIdle());
        QCOMPARE(m_dialogs->shown().size(), 1);
        QCOMPARE(m_dialogs->shown()[0],
                 (QStringList{"MACRO", "Out of memory,\nsome command line has been cut."}));
        QByteArray expected;
        for (int i = 0; i < 128; ++i)
            expected.append(char(stream[i]));
        QCOMPARE(rig.mouse().storedData(0x13, 2), expected);

        // Exactly 128 bytes fit without a word.
        m_dialogs->clear();
        view.ui_13H_SetMacroKey(2, macro("fits", keyUnits(62)));
        QVERIFY(rig.waitIdle());
        QVERIFY(m_dialogs->shown().isEmpty());
    }

    void keyboardLongStreamWarnsAndIsCut()
    {
        SimRig &rig = keyboardRig();
        myQQuickView view;
        view.setTransport(&rig.hid());
        // 2 + 2 * 98 + 2 = 200 bytes.
        const QString name = macro("kb long", keyUnits(98), 0, 9);
        const QList<uchar> stream = view.macroIncode(view.loadMacroIni(name));
        QCOMPARE(stream.size(), 200);
        // The keyboard's warning speaks the current language: message strings 0 and 1.
        view.getGlobalStrings(QStringLiteral("031000"));
        const QSettings lang(QStringLiteral("./modules/i18n/lang_031000.ini"),
                             QSettings::IniFormat);
        const QStringList warning{lang.value("msg/0").toString(), lang.value("msg/1").toString()};
        QVERIFY(!warning[0].isEmpty() && !warning[1].isEmpty() && warning[0] != warning[1]);
        view.ui_11H_SetMacroKey(7, name);
        QVERIFY(rig.waitIdle());
        QCOMPARE(m_dialogs->shown().size(), 1);
        QCOMPARE(m_dialogs->shown()[0], warning);
        QByteArray expected;
        for (int i = 0; i < 192; ++i)
            expected.append(char(stream[i]));
        // The keyboard header stays 00 01 whatever the repeat count.
        QVERIFY(expected.startsWith(QByteArray::fromHex("0001")));
        QCOMPARE(rig.keyboard().storedData(0x11, 7), expected);
    }

    void keyboardShortStreamIsPadded()
    {
        SimRig &rig = keyboardRig();
        myQQuickView view;
        view.setTransport(&rig.hid());
        view.ui_11H_SetMacroKey(34, macro("kb short", {down("A"), pause(1000), up("A")}));
        QVERIFY(rig.waitIdle());
        QVERIFY(m_dialogs->shown().isEmpty());
        const QByteArray stored = rig.keyboard().storedData(0x11, 34);
        QCOMPARE(stored, padded("000101047f00006481040000", 192));
        // 10 bytes of stream and 182 zeros.
        view.ui_11H_SetMacroKey(3, macro("kb ten", keyUnits(3)));
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.keyboard().storedData(0x11, 3), padded("00010104810401040000", 192));
    }

    void saveResendsToBoundSlot_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("slot"); // -1: nothing sent
        QTest::newRow("mouse 0 to slot 1") << 1 << 0 << 1;
        QTest::newRow("mouse 3 to slot 4") << 1 << 3 << 4;
        QTest::newRow("mouse 11 to slot 12") << 1 << 11 << 12;
        QTest::newRow("mouse unbound") << 1 << -1 << -1;
        QTest::newRow("mouse 12 out of range") << 1 << 12 << -1;
        QTest::newRow("keyboard 0") << 0 << 0 << 0;
        QTest::newRow("keyboard 34") << 0 << 34 << 34;
        QTest::newRow("keyboard 35 out of range") << 0 << 35 << -1;
        QTest::newRow("keyboard unbound") << 0 << -1 << -1;
    }
    void saveResendsToBoundSlot()
    {
        QFETCH(int, device);
        QFETCH(int, index);
        QFETCH(int, slot);
        SimRig mouseRig;
        SimRig &rig = device == 0 ? keyboardRig() : mouseRig;
        myQQuickView view;
        view.setTransport(&rig.hid());
        // "did" is not consulted when re-sending.
        const QString name = macro("bound", {}, index, 2, 1 - device);
        rig.device(SimRig::Device(device)).clearReceived();
        QVERIFY(view.saveMacroIni(name, {down("B"), up("B")}).toBool());
        QVERIFY(rig.waitIdle());
        const uint8_t code = device == 0 ? 0x11 : 0x13;
        const QList<uchar> sent = macroSlotsSent(rig.device(SimRig::Device(device)), code);
        if (slot < 0) {
            QVERIFY(sent.isEmpty());
            return;
        }
        QCOMPARE(sent, QList<uchar>{uchar(slot)});
        const QByteArray stored = rig.device(SimRig::Device(device)).storedData(code, slot);
        QCOMPARE(stored.left(8),
                 QByteArray::fromHex(device == 0 ? "0001010581050000" : "0002010581050000"));
    }

    void saveOfMissingMacroSendsNothing()
    {
        SimRig rig;
        myQQuickView view;
        view.setTransport(&rig.hid());
        rig.mouse().clearReceived();
        QVERIFY(!view.saveMacroIni(QStringLiteral("tst_macrosend missing"), {down("A")}).toBool());
        QVERIFY(!view.saveMacroIni(QStringLiteral("../setting/apConfig"), {down("A")}).toBool());
        view.ui_13H_SetMacroKey(1, QStringLiteral("../setting/apConfig"));
        QVERIFY(rig.waitIdle());
        QVERIFY(macroSlotsSent(rig.mouse(), 0x13).isEmpty());
    }

    void configFollowsDevice()
    {
        SimRig rig;
        myQQuickView view;
        view.setTransport(&rig.hid());
        const QString name = macro("config", {down("A")});
        view.setMacroIniConfig(name, {5, 3});
        QCOMPARE(view.loadMacroIniConfig(name), (QVariantList{5, 3}));
        QCOMPARE(
            QSettings(*MacroStore().path(name), QSettings::IniFormat).value("config/did").toInt(),
            1);
        QVERIFY(rig.select(SimRig::Keyboard));
        QCOMPARE(view.loadMacroIniConfig(name), (QVariantList{-1, 3}));
    }

    // A script as the macro page records it, bound to a mouse button, reaches the mouse and
    // reads back byte for byte.
    void recordedScriptReachesMouse()
    {
        SimRig rig;
        myQQuickView view;
        view.setTransport(&rig.hid());
        const QString name = macro("recorded", {});
        const QStringList script{down("A"),  pause(1000), up("A"),        down("MS-L"),
                                 up("MS-L"), pause(3000), down("L Ctrl"), up("L Ctrl")};
        QVERIFY(view.saveMacroIni(name, script).toBool());
        const int slot = 3;
        view.setMacroIniConfig(name, {slot - 1, 5});
        view.ui_13H_SetMacroKey(slot, name);
        QVERIFY(rig.waitIdle());

        uchar readBack[128];
        std::fill(std::begin(readBack), std::end(readBack), uchar(0xEE));
        rig.hid().hid_93H_GetMacroKey(uchar(slot), readBack);
        const QByteArray expected = padded("0005"
                                           "6404"
                                           "8104"
                                           "01f0"
                                           "81f0"
                                           "9601"
                                           "01e0"
                                           "81e0"
                                           "0000",
                                           128);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(readBack), 128), expected);

        // An edit goes back into the same slot.
        QVERIFY(view.saveMacroIni(name, {down("B"), up("B")}).toBool());
        QVERIFY(rig.waitIdle());
        rig.hid().hid_93H_GetMacroKey(uchar(slot), readBack);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(readBack), 128),
                 padded("0005010581050000", 128));
    }
};

QTEST_MAIN(tst_MacroSend)
#include "tst_macrosend.moc"
