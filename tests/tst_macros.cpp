// Macro Script lines to the byte stream the devices store, and stored macros sent to the
// emulated devices' slots: on assignment and again after every edit. The scene's key tables
// must spell every key as the Macro Script does, or recorded lines vanish when encoded.
#include "bridge/KeyNameMap.h"
#include "bridge/MacroEncoder.h"
#include "bridge/MacroStore.h"
#include "bridge/myQQuickView.h"
#include "platform/Dialogs.h"
#include "support/FileBackup.h"
#include "support/SimRig.h"

#include <QDir>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSettings>
#include <QtTest>

class tst_Macros : public QObject
{
    Q_OBJECT

    ScriptedDialogs *m_dialogs = nullptr;
    std::unique_ptr<SimRig> m_rigs[2]; // keyboard, mouse
    QStringList m_created;

    static QString down(const QString &key) { return key + QStringLiteral("    [Down]"); }
    static QString up(const QString &key) { return key + QStringLiteral("      [Up]"); }
    static QString pause(const QString &ms) { return ms + QStringLiteral("   [Delay]"); }
    static QString pause(int ms) { return pause(QString::number(ms)); }
    // n presses and releases of A.
    static QStringList presses(int n)
    {
        QStringList lines;
        for (int i = 0; i < n; ++i)
            lines << down("A") << up("A");
        return lines;
    }

    // A Macro File in the data folder's macro folder, removed again after the test.
    QString macro(const QString &suffix, const QStringList &lines, int index = -1, int repeat = 1,
                  int did = -1)
    {
        const QString name = QStringLiteral("tst_macros ") + suffix;
        const QString path = *MacroStore().path(name);
        QDir().mkpath(QStringLiteral("./modules/macro"));
        QFile::remove(path);
        QSettings ini(path, QSettings::IniFormat);
        ini.setValue("config/index", index);
        ini.setValue("config/total", int(lines.size()));
        ini.setValue("config/repeat", repeat);
        ini.setValue("config/did", did);
        for (int i = 0; i < lines.size(); ++i)
            ini.setValue("macro/" + QString::number(i), lines[i]);
        m_created << path;
        return name;
    }

    static QList<uchar> slotsSent(EmulatedDevice &device, uint8_t code)
    {
        QList<uchar> sent;
        for (const auto &block : device.received())
            if (block[0] == code)
                sent << block[code == 0x13 ? 1 : 2];
        return sent;
    }

private slots:
    void initTestCase()
    {
        auto dialogs = std::make_unique<ScriptedDialogs>(false);
        m_dialogs = dialogs.get();
        Dialogs::setInstance(std::move(dialogs));
        for (int d : {0, 1}) {
            m_rigs[d] = std::make_unique<SimRig>();
            QVERIFY(m_rigs[d]->select(SimRig::Device(d)));
        }
    }
    void init() { m_dialogs->clear(); }
    void cleanup()
    {
        for (const QString &path : std::as_const(m_created))
            QFile::remove(path);
        m_created.clear();
    }

    void encode_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("expected");

        const QString A = QStringLiteral("A"), Foo = QStringLiteral("Foo");
        auto row = [](const char *name, int kind, const QStringList &lines, const char *hex) {
            QTest::newRow(name) << kind << lines << QByteArray(hex);
        };
        row("empty script", 1, {}, "00010000");
        row("mouse 50 folds into down", 1, {down(A), pause(50), up(A)}, "0001050481040000");
        row("mouse second of two pauses is long", 1, {down(A), pause(100), pause(100)},
            "00010a04000100050000");
        row("keyboard keys and pause", 0, {down(A), pause(50), up(A)}, "000101047f00000581040000");
        // 5 ms is no step; pauses beyond the 16-bit field saturate rather than wrap.
        row("keyboard pause range", 0, {pause(5), pause(65535), pause(700000)},
            "00017f0000007f0019997f00ffff0000");

        // Boundaries of the mouse forms; a pause above 1270 is short or long also after a pause.
        row("mouse 1270 folds to 127", 1, {down(A), pause(1270)}, "00017f040000");
        row("mouse short 1271 to 5100", 1, {down(A), pause(1271), pause(5100)},
            "000101044001ff010000");
        row("mouse long from 5101, saturating", 1,
            {down(A), pause(5101), pause(65535), pause(2000000)},
            "00010104000100ff00010ccd0001ffff0000");
        row("mouse 14 rounds down, 15 up", 1, {down(A), pause(14), up(A), pause(15)},
            "0001010482040000");
        row("mouse 5 counts as 10", 1, {up(A), pause(5)}, "000181040000");
        row("mouse first line 5 is one step", 1, {pause(5)}, "0001000100010000");
        row("other device kind skips pauses", 2, {down(A), pause(100)}, "000101040000");

        // Names exactly as the scene spells them, odd ones included.
        row("key names", 1,
            {down("KP 7 "), up("\\ |"), down("KP ="), down("F24"), down("Keypad"), down("Intl'2"),
             down("Int'l 2"), down("Lang 2"), down("R Win"), down("\u25BA"), down("\u25B2"),
             down("MS-L"), up("MS-B5")},
            "0001015f813101670173018501880189019101e7014f015201f081f40000");

        // Lines that cannot be encoded are skipped.
        row("unreadable pauses", 1,
            {down(A), pause(QStringLiteral("abc")), pause(0), pause(-50), up(A)},
            "0001010481040000");
        row("unknown keys", 1,
            {down(Foo), up("a"), down("KP 7"), down("Int'l 3"), down(QString()), down(A)},
            "000101040000");
        row("malformed lines", 1,
            {QStringLiteral("[Down]"), QStringLiteral("A [Up]"), A + QStringLiteral("   [Press]")},
            "00010000");

        // A skipped line before a pause: the pause after a skipped Delay line is long, as after
        // any Delay line; a pause never lands in a unit that is not a key.
        row("pause after skipped pause", 1, {down(A), pause(0), pause(50)}, "00010104000100030000");
        row("pause after skipped key folds into last key", 1, {down(A), up(Foo), pause(50)},
            "000105040000");
        row("pause after skipped first key", 1, {down(Foo), pause(50)}, "0001000100030000");
        row("pause after skipped key behind a short pause", 1,
            {down(A), pause(2000), up(Foo), pause(50)}, "000101046401000100030000");
    }
    void encode()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, expected);
        KeyNameMap keys;
        keys.build();
        const QList<uchar> got = MacroEncoder(keys, kind).encode(lines);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(got.data()), got.size()).toHex(),
                 expected);
    }

    // A slot gets the stream of the device it is on, padded with zeros; a stream longer than the
    // slot is cut, and the user told. The keyboard's header keeps 00 01 whatever the repeat.
    void slotGetsTheStream_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("repeat");
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<bool>("cut");
        const auto stream = [](int n) {
            return QByteArray::fromHex("0001" + QByteArray("01048104").repeated(n) + "0000");
        };
        QTest::newRow("mouse, repeat 300") << 1 << 1 << QStringList{down("A"), up("A")} << 300
                                           << QByteArray::fromHex("012c010481040000") << false;
        QTest::newRow("mouse, 128 bytes fit") << 1 << 2 << presses(31) << 1 << stream(31) << false;
        QTest::newRow("mouse, 132 bytes") << 1 << 2 << presses(32) << 1 << stream(32) << true;
        QTest::newRow("keyboard, slot 34")
            << 0 << 34 << QStringList{down("A"), pause(1000), up("A")} << 1
            << QByteArray::fromHex("000101047f00006481040000") << false;
        QTest::newRow("keyboard, 200 bytes") << 0 << 7 << presses(49) << 9 << stream(49) << true;
    }
    void slotGetsTheStream()
    {
        QFETCH(int, device);
        QFETCH(int, slot);
        QFETCH(QStringList, lines);
        QFETCH(int, repeat);
        QFETCH(QByteArray, stream);
        QFETCH(bool, cut);
        SimRig &rig = *m_rigs[device];
        myQQuickView view;
        view.setTransport(&rig.hid());
        view.getGlobalStrings(QStringLiteral("031000"));
        const QString name = macro("slot", lines, 0, repeat, device);
        if (device == 0)
            view.ui_11H_SetMacroKey(uchar(slot), name);
        else
            view.ui_13H_SetMacroKey(uchar(slot), name);
        QVERIFY(rig.waitIdle());
        const int size = device == 0 ? 192 : 128;
        QCOMPARE(stream.size() > size, cut);
        stream.resize(size, '\0');
        QCOMPARE(rig.device(SimRig::Device(device)).storedData(device == 0 ? 0x11 : 0x13, slot),
                 stream);
        QList<QStringList> boxes;
        // The keyboard's warning speaks the current language: message strings 0 and 1.
        if (cut)
            boxes << (device == 0 ? QStringList{view.messageString(0), view.messageString(1)}
                                  : QStringList{"MACRO", "Out of memory,\nsome command line has "
                                                         "been cut."});
        QCOMPARE(m_dialogs->shown(), boxes);
    }

    // An edit goes again to the slot the macro is bound to, whichever device last set it.
    void saveResendsToBoundSlot_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("slot"); // -1: nothing sent
        QTest::newRow("mouse 0 to slot 1") << 1 << 0 << 1;
        QTest::newRow("mouse 11 to slot 12") << 1 << 11 << 12;
        QTest::newRow("mouse unbound") << 1 << -1 << -1;
        QTest::newRow("mouse 12 out of range") << 1 << 12 << -1;
        QTest::newRow("keyboard 0") << 0 << 0 << 0;
        QTest::newRow("keyboard 34") << 0 << 34 << 34;
        QTest::newRow("keyboard 35 out of range") << 0 << 35 << -1;
    }
    void saveResendsToBoundSlot()
    {
        QFETCH(int, device);
        QFETCH(int, index);
        QFETCH(int, slot);
        SimRig &rig = *m_rigs[device];
        myQQuickView view;
        view.setTransport(&rig.hid());
        const QString name = macro("bound", {}, index, 2, 1 - device);
        rig.device(SimRig::Device(device)).clearReceived();
        QVERIFY(view.saveMacroIni(name, {down("B"), up("B")}).toBool());
        QVERIFY(rig.waitIdle());
        const uint8_t code = device == 0 ? 0x11 : 0x13;
        EmulatedDevice &target = rig.device(SimRig::Device(device));
        QCOMPARE(slotsSent(target, code), slot < 0 ? QList<uchar>() : QList<uchar>{uchar(slot)});
        if (slot >= 0)
            QCOMPARE(target.storedData(code, slot).left(8),
                     QByteArray::fromHex(device == 0 ? "0001010581050000" : "0002010581050000"));
    }

    void missingMacroSendsNothing()
    {
        SimRig &rig = *m_rigs[1];
        myQQuickView view;
        view.setTransport(&rig.hid());
        rig.mouse().clearReceived();
        QVERIFY(!view.saveMacroIni(QStringLiteral("tst_macros missing"), {down("A")}).toBool());
        QVERIFY(!view.saveMacroIni(QStringLiteral("../setting/apConfig"), {down("A")}).toBool());
        view.ui_13H_SetMacroKey(1, QStringLiteral("../setting/apConfig"));
        QVERIFY(rig.waitIdle());
        QVERIFY(slotsSent(rig.mouse(), 0x13).isEmpty());
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

    // The scene's tables, every code both ways: the keyboard table holds exactly the native
    // keyboard names, the mouse table exactly the five button names.
    void sceneTablesAgree()
    {
        QQmlEngine engine;
        QQmlComponent component(&engine, QUrl("qrc:/modules/qml/basic/KeyCodeString.qml"));
        std::unique_ptr<QObject> scene(component.create());
        QVERIFY2(scene, qPrintable(component.errorString()));
        const auto call = [&scene](const char *function, const QVariant &argument) {
            QVariant result;
            QMetaObject::invokeMethod(scene.get(), function, Q_RETURN_ARG(QVariant, result),
                                      Q_ARG(QVariant, argument));
            return result;
        };
        KeyNameMap keys;
        keys.build();
        QHash<int, QString> keyboard, mouse;
        for (const auto &[name, code] : keys.entries()) {
            QCOMPARE(keys.code(name), code);
            const bool button = code >= 0xF0;
            QCOMPARE(call(button ? "strTomousecode" : "strTokeycode", name).toInt(), int(code));
            QCOMPARE(call(button ? "strTokeycode" : "strTomousecode", name).toInt(), 0);
            (button ? mouse : keyboard).insert(code, name);
        }
        for (int code = 0; code < 256; ++code) {
            QCOMPARE(call("keycodeTostr", code).toString(), keyboard.value(code));
            QCOMPARE(call("mousecodeTostr", code).toString(), mouse.value(code));
        }
        for (const QString &name :
             {QStringLiteral("KP 7"), QStringLiteral("a"), QStringLiteral("toString"), QString()}) {
            QCOMPARE(call("strTokeycode", name).toInt(), 0);
            QCOMPARE(call("strTomousecode", name).toInt(), 0);
        }
    }

    void keyDefinitionOfCurrentDevice()
    {
        // Puts the profiles back however the test ends.
        const FileBackup backup(QStringLiteral("./modules/setting"));
        SimRig rig;
        myQQuickView view;
        QCOMPARE(view.getKeydefine(3), QVariantList()); // no transport yet
        view.setTransport(&rig.hid());
        QSettings &profile = view.currentProfile();
        profile.setValue(QStringLiteral("keydefine_V7/3"), QVariantList{1, 0, 240, 0});
        profile.setValue(QStringLiteral("keydefine/3"), QVariantList{0, 2, 4, 0});
        profile.remove(QStringLiteral("keydefine_V7/20"));
        profile.sync();
        const auto texts = [&view](int button) {
            return QVariant(view.getKeydefine(button)).toStringList();
        };
        QCOMPARE(rig.hid().currentDevice(), 1u);
        QCOMPARE(texts(3), QStringList({"1", "0", "240", "0"}));
        QCOMPARE(view.getKeydefine(20), QVariantList());
        QVERIFY(rig.select(SimRig::Keyboard));
        QCOMPARE(texts(3), QStringList({"0", "2", "4", "0"}));
    }
};

QTEST_MAIN(tst_Macros)
#include "tst_macros.moc"
