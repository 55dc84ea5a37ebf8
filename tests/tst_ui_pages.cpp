// The scene end to end: headless runs of the program that click through the pages and menus by
// objectName (and feed keys the way the input capture does), then check every block that reached
// the emulated mouse and the files the program left; and how a failing run ends.
#include "app/DataDir.h"
#include "device/Scrambler.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Command blocks go out scrambled with the emulated mouse's secrecy code.
QString unscramble(const QString &hex)
{
    static const uint8_t code[8] = {0, '5', '7', '3', '9', '1', '4', 0};
    QByteArray raw = QByteArray::fromHex(hex.toLatin1());
    if (raw.size() != 9)
        return {};
    Scrambler::decrypt(reinterpret_cast<uint8_t *>(raw.data()) + 1, code);
    return raw.mid(1, 7).toHex(' ');
}

// Headless runs of the program against the emulated mouse, driven by a script, with what reached
// the mouse read back from the HID trace. Every run uses this object's own data folder, filled
// from the sources' modules/ and filled afresh by restore().
class SceneRun
{
public:
    struct Result
    {
        int status = -1;
        QString err;
        // In order, after the start-up reads every run makes: command blocks, unscrambled, as
        // "c: 11 08 08", and data phases as "d: 00 09 0f" (report ID first), trailing zero
        // bytes dropped.
        QStringList sent;
    };

    SceneRun() { restore(); }
    bool isValid() const { return m_tmp.isValid() && QFile::exists(m_binaryDir + "/v7config"); }
    // A runtime file of the data folder: "setting/p1.bin".
    QString file(const QString &relative) const
    {
        return m_tmp.filePath(QStringLiteral("data/modules/")) + relative;
    }

    void restore()
    {
        const QString data = m_tmp.filePath(QStringLiteral("data"));
        QDir(data).removeRecursively();
        // The sources' files, as a build folder's modules/ may hold what earlier runs left there.
        const QString source = qEnvironmentVariable("V7_SOURCE_DIR");
        DataDir::seed((source.isEmpty() ? m_binaryDir : source) + QStringLiteral("/modules"), data);
        // Seeding copies files only; runs expect the empty folders too.
        for (const char *folder : {"macro", "gun"})
            QDir().mkpath(file(QLatin1String(folder)));
    }

    Result run(const QByteArray &script)
    {
        const QString path = m_tmp.filePath(QStringLiteral("scene.js"));
        const QString trace = m_tmp.filePath(QStringLiteral("scene.trace"));
        QFile::remove(trace);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(script);
        f.close();

        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("V7_HID_TRACE"));
        env.remove(QStringLiteral("V7_QML_DIR"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(m_tmp.path()); // the program finds its files by its own path
        p.start(m_binaryDir + QStringLiteral("/v7config"),
                {QStringLiteral("--headless"), QStringLiteral("--simulate"),
                 QStringLiteral("--hid-trace"), trace, QStringLiteral("--eval"), path,
                 QStringLiteral("--data-dir"), m_tmp.filePath(QStringLiteral("data"))});
        Result r;
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
            r.err = QStringLiteral("timed out");
            return r;
        }
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.err = QString::fromUtf8(p.readAllStandardError());
        QFile t(trace);
        if (!t.open(QIODevice::ReadOnly))
            return r;
        static const QRegularExpression line(QStringLiteral("^\\S+ (feature-out|out) 1 cmd (.*)$"));
        static const QRegularExpression zeros(QStringLiteral("( 00)+$"));
        for (const QString &l : QString::fromLatin1(t.readAll()).split(QLatin1Char('\n'))) {
            const auto m = line.match(l);
            if (m.hasMatch())
                r.sent << (m.captured(1) == QLatin1String("out")
                               ? QStringLiteral("d: ") + m.captured(2).remove(zeros)
                               : QStringLiteral("c: ") + unscramble(m.captured(2)).remove(zeros));
        }
        // The start-up reads end with 91H.
        r.sent.remove(0, r.sent.indexOf(QStringLiteral("c: 91")) + 1);
        return r;
    }

    // Script lines that wait for the pages and the opening animation, then define
    // check(ok, what) and press(name, …), which clicks each item or fails the run.
    static QByteArray prologue()
    {
        return "for (var i = 0; i < 400 && !scene.ready; ++i) wait(50);\n"
               "function check(ok, what) { if (!ok) throw new Error(what); }\n"
               "function press() { for (var i = 0; i < arguments.length; ++i) "
               "check(click(arguments[i]), 'cannot click ' + arguments[i]); }\n";
    }
    // The prologue, then page `index` shown through the function menu.
    static QByteArray showPage(int index)
    {
        return prologue() + "press('funcMenu" + QByteArray::number(index) + "');\nwait(600);\n";
    }

private:
    const QString m_binaryDir = qEnvironmentVariable("V7_BINARY_DIR", QDir::currentPath());
    QTemporaryDir m_tmp; // the script, the trace and the data folder
};

// Creates a macro of A down, A up as `macro`, shows the button page and defines pickMacro().
QByteArray buttonPage()
{
    return R"(
        var macro = ui_View.createMacroIni();
        ui_View.saveMacroIni(macro, ["A    [Down]", "A      [Up]"]);
    )" + SceneRun::showPage(0) +
           R"(
        var page = find("pageKeydefine");
        function pickMacro(button) {
            press("keyButton" + button, "keyType4", "keyMacroList");
            wait(300);
            press("keyMacroListItem" + page.macroNames.indexOf(macro));
        }
    )";
}

// The recoil page with fire key 2 chosen, then `clicks`.
QByteArray recoilApply(const QByteArray &clicks)
{
    return SceneRun::showPage(4) + "press('recoilFireKey2'" + clicks +
           ", 'recoilApply');\nwait(400);\n";
}

// The macro page, as `page`; every run starts without macros, so the first is "Macro. 001".
QByteArray macroPage()
{
    return SceneRun::showPage(1) + R"(
        var page = find("pageMacro");
        check(page && page.visible, "macro page not shown");
    )";
}

} // namespace

class tst_UiPages : public QObject
{
    Q_OBJECT

    SceneRun m_scene;

    // The recoil cases' own weapons of game 2 (file 1) and fire-key selections, so the shipped
    // files may change. Fire key 1 has a period below 10; fire key 3 uses "Test SMG".
    void writeRecoilFiles()
    {
        QSettings game(m_scene.file("gun/gunData1.bin"), QSettings::IniFormat);
        game.clear();
        for (int i = 0; i < 12; ++i)
            game.setValue(
                "gunData/" + QString::number(i),
                QVariantList{QStringLiteral("W%1").arg(i), i, i % 3, 4 + i, 20 + i, 1, 0});
        game.setValue("gunData/4", QVariantList{"Test SMG", 4, -2, 11, 25, 1, 1});
        QSettings sel(m_scene.file("gun/selGunData.bin"), QSettings::IniFormat);
        sel.clear();
        sel.setValue("gunData/0", QVariantList{1, 2, 4, 5});
        sel.setValue("gunData/1", QVariantList{0, 0, 3, 10});
        sel.setValue("gunData/2", QVariantList{1, 4, 3, 10});
    }

private slots:
    void initTestCase() { QVERIFY(m_scene.isValid()); }
    void init() { m_scene.restore(); }

    // Each run's whole trace after start-up, and values the files keep ("file:key=v,v,…"), or
    // keys they must not hold ("file:key").
    void runSends_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QStringList>("stored");

        // A stage takes effect at once: a typed 1700 snaps to the sensor's 1600 (emulated sensor
        // type 3), and the whole table goes out with the stage count the mouse reported.
        QTest::newRow("sensor stages")
            << SceneRun::showPage(3) + R"(
            find("sensorStageValue1").commit(1700);
            find("sensorStageValue2").commit(0);
            wait(400);
        )"
            << QStringList{"c: 11 08 08", "d: 00 09 0f 27 67 80 80 80 80", "c: 11 08 08",
                           "d: 00 09 0f 80 67 80 80 80 80"}
            << QStringList{"setting/p1.bin:sensor/dpi_V7=1000,1600,0,8000,0,0,0,0"};
        // The lower menu's apply sends every page to the chosen profile: buttons, colours,
        // effect, the rate, the stage counted from 1, then the weapon of fire key 1 with the
        // table again; the profile keeps them, the others stay as they were. Then the script
        // runner: missing and hidden items (the busy veil shows only while the scene is
        // protected) cannot be clicked, and a stalled mouse does not answer.
        const QStringList keys{"c: 12 01 40 08",
                               "d: 00 01 00 f0 00 01 00 f1 00 01 00 f2 00 01 00 f3 00 01 00 f4 00 "
                               "07 00 01 00 07 00 02 00 04 00 01",
                               "d: 00 04 00 02"};
        const QString palette = "d: 00 ff 00 00 00 ff 00 00 00 ff ff ff 00 ff 00 ff 00 ff ff ff 80 "
                                "00 ff ff ff";
        const QString p3 = "setting/p3.bin:";
        QTest::newRow("total apply")
            << SceneRun::showPage(3) + R"(
            press("profile2");
            wait(300);
            press("sensorRate0", "sensorStage2", "btnTotalApply");
            wait(1000);
            check(!click("noSuchItem") && !click("busy"), "clicked what cannot be clicked");
            sim.fault("mouse", "stalled", true);
            check(ui_View.ui_91H_SyncDPI() === 8, "a stalled mouse still answered");
        )"
            << QStringList{"c: 83", "c: 87", "c: 91"} + keys +
                   QStringList{"c: 10 00 18", palette, "c: 0d 02 01 02", "c: 01 08", "c: 0b 03"} +
                   keys + QStringList{"c: 83", "c: 03 03 08 00 08", "c: 04 00 16 02 06", "c: 91"}
            << QStringList{p3 + "sensor/stage_V7=3", p3 + "sensor/reportRate_V7=8",
                           p3 + "keydefine_V7/0=1,0,240,0", "setting/p1.bin:sensor/stage_V7"};
        // Reset sends the factory table (first as it is, then with the stage count) and the
        // indicator colours in the form the mouse drives them: colour numbers (packed) with the
        // logo LED, RGB triples without.
        const QByteArray reset = R"(
            find("sensorStageValue0").commit(600);
            press("sensorReset");
            wait(600);
        )";
        const QStringList factory{"c: 11 08 08", "d: 00 05 13 27 67 80 80 80 80", "c: 11 08 08",
                                  "d: 00 09 13 27 67 80 80 80 80"};
        QTest::newRow("sensor reset, logo LED")
            << SceneRun::showPage(3) + reset
            << factory + QStringList{"c: 10 02 04", "d: 00 10 32 54 76"} << QStringList();
        QTest::newRow("sensor reset, RGB")
            << SceneRun::showPage(3) +
                   "hid.hid_07H_SetLEDInstructFunction(0, 1, 0, 0);\n"
                   "wait(300);\nfind('pageSensor').init();\n" +
                   reset
            << QStringList{"c: 07 00 01", "c: 83", "c: 87", "c: 91"} + factory +
                   QStringList{"c: 10 01 18", palette}
            << QStringList();
        // A factory profile without the lists (written by the test) gives five numbers, the
        // stage last; the stage table then comes from the sensor's own factory values.
        QTest::newRow("sensor reset, bare factory profile")
            << SceneRun::showPage(3) + reset + "press('sensorApply');\nwait(400);\n"
            << factory + QStringList{"c: 10 02 04", "d: 00 10 32 54 76", "c: 01 02", "c: 0b 04"}
            << QStringList();

        // Each effect's option byte at the default steps (brightness 7, speed 7), option2 always
        // 2, the palette first; the profile keeps the page's own indexes.
        QTest::newRow("lighting effects") << SceneRun::showPage(2) + R"(
            for (var e = 1; e <= 3; ++e) {
                press("colorEffect" + e, "colorApply");
                wait(400);
            }
        )" << QStringList{"c: 10 00 18", palette, "c: 0d 01 0a 02",
                          "c: 10 00 18", palette, "c: 0d 02 01 02",
                          "c: 10 00 18", palette, "c: 0d 03 1e 02"}
                                          << QStringList{"setting/p1.bin:color_V7/ledEffect=3,7,7"};
        // A stored palette of the wrong length is not taken: the page sends the colours it had.
        // The preview runs only while the page is shown.
        const QString numbered = "d: 00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 13 "
                                 "14 15 16 17 18";
        QTest::newRow("lighting, wrong palette read") << SceneRun::showPage(2) + R"(
            var palette = [];
            for (var i = 0; i < 24; ++i)
                palette.push(i + 1);
            ui_View.ui_10H_SetLED8StageColor(0, palette);
            find("pageColor").refresh();
            ui_View.ui_10H_SetLED8StageColor(0, [9, 9, 9]);
            find("pageColor").refresh();
            wait(300);
            check(find("colorPreview").animating, "breathing is not previewed");
            press("colorApply");
            wait(400);
            press("funcMenu3");
            wait(800);
            check(!find("colorPreview").animating, "the preview runs behind another page");
        )" << QStringList{"c: 10 00 18", numbered, "c: 10 00 18",   "d: 00 09 09 09",
                          "c: 10 00 18", numbered, "c: 0d 02 01 02"}
                                                      << QStringList();

        // Recoil apply reads the option bytes (83H), writes them back with bit 3 of the last one
        // as the weapon's on/off (03H; the emulated mouse answers 03 02 00 00), then sends the
        // pull (04H: pointer return, steps, horizontal, vertical, fire key).
        const QStringList recoil = keys + QStringList{"c: 83"};
        const QString on = "c: 03 03 02 00 08";
        QTest::newRow("recoil, typed pull")
            << recoilApply("") << recoil + QStringList{on, "c: 04 01 19 fe 0b 02"} << QStringList();
        QTest::newRow("recoil, standard preset")
            << recoilApply(", 'recoilSource0'") << recoil + QStringList{on, "c: 04 01 19 fe 05 02"}
            << QStringList();
        QTest::newRow("recoil, light preset")
            << recoilApply(", 'recoilSource1'") << recoil + QStringList{on, "c: 04 01 19 fe 03 02"}
            << QStringList();
        QTest::newRow("recoil control off, another weapon")
            << recoilApply(", 'recoilSlot0', 'recoilEnable'")
            << recoil + QStringList{"c: 03 03 02", "c: 04 00 14 00 04 02"} << QStringList();
        // Save stores the edited weapon and binds the shown one to fire key 1, with the period
        // the page shows (10 for a stored 5); it tells the button page once, and sends nothing.
        QTest::newRow("recoil save")
            << SceneRun::showPage(4) + R"(
            var saved = 0;
            find("pagePressGun").selectionSaved.connect(function () { ++saved; });
            check(find("recoilInterval").text === "10", "period " + find("recoilInterval").text);
            press("recoilSlot6", "recoilReturn", "recoilSave");
            click("recoilSave");
            check(saved === 1, "selection saved " + saved + " times");
        )" << keys
            << QStringList{"gun/gunData1.bin:gunData/6=W6,6,0,10,26,1,1",
                           "gun/gunData1.bin:gunData/4=Test SMG,4,-2,11,25,1,1",
                           "gun/selGunData.bin:gunData/0=1,6,4,10",
                           "gun/selGunData.bin:gunData/2=1,4,3,10"};

        // Every macro edit is stored at once; new lines go in before the selected line. The
        // forward button's press goes down to the end; its release is removed.
        const QString macro = "macro/Macro. 001.bin:";
        QTest::newRow("macro edits")
            << macroPage() + R"(
            press("macroNew", "macroAddDelay");
            check(ui_View.loadMacroIni("Macro. 001").length === 1, "delay not saved at once");
            page.selectLine(0);
            press("macroMouseButton");
            wait(300);
            press("macroMouseButtonItem4", "macroAddMouse", "macroAddDelay");
            page.selectLine(0);
            press("macroLineDown", "macroLineDown", "macroLineDown");
            page.selectLine(0);
            press("macroLineDelete");
        )" << QStringList()
            << QStringList{macro + "config/total=3", macro + "macro/0=1000   [Delay]",
                           macro + "macro/1=1000   [Delay]", macro + "macro/2=MS-B5    [Down]"};

        // The macro goes to the lowest free device slot (repeat count 1, A down, A up, end)
        // before the table that plays it; a "no" to the safety question first leaves the left
        // button alone.
        QTest::newRow("button macro")
            << buttonPage() + R"(
            dialogs.nextAnswer(false);
            press("keyButton0", "keyType8");
            pickMacro(3);
            press("keyApply");
            wait(800);
            check(dialogs.shown().length === 1, "questions " + dialogs.shown().length);
            var config = ui_View.loadMacroIniConfig(macro).join(",");
            check(config === "0,1", "config " + config);
        )"
            << QStringList{"c: 13 01 80",
                           "d: 00 00 01 01 04 81 04",
                           "d: 00",
                           "d: 00",
                           "d: 00",
                           "c: 12 01 40 08",
                           "d: 00 01 00 f0 00 01 00 f1 00 01 00 f2 00 09 00 01 00 01 00 f4 00 07 "
                           "00 01 00 07 00 02 00 04 00 01",
                           "d: 00 04 00 02"}
            << QStringList();
        // With twelve device slots taken by other buttons no macro is sent or assigned, and the
        // page says why.
        const QStringList twelve{"c: 12 01 40 08",
                                 "d: 00 01 00 f0 00 00 00 00 00 00 00 00 00 00 00 00 00 09 00 01 "
                                 "00 09 00 02 00 09 00 03 00 09 00 04",
                                 "d: 00 09 00 05 00 09 00 06 00 09 00 07 00 09 00 08 00 09 00 09 "
                                 "00 09 00 0a 00 09 00 0b 00 09 00 0c"};
        QTest::newRow("thirteenth macro") << buttonPage() + R"(
            var t = [];
            for (var i = 0; i < 64; ++i) t.push(0);
            for (var s = 4; s < 16; ++s) { t[4 * s] = 9; t[4 * s + 2] = s - 3; }
            t[0] = 1; t[2] = 0xF0;
            ui_View.ui_12H_SetKeyMatrix(t);
            page.init();
            pickMacro(3);
            check(find("keyExplanation").text === page.env.s(313), find("keyExplanation").text);
            press("keyApply");
            wait(800);
        )" << twelve + twelve << QStringList();
    }
    void runSends()
    {
        QFETCH(QByteArray, script);
        QFETCH(QStringList, sent);
        QFETCH(QStringList, stored);
        writeRecoilFiles();
        if (QByteArray(QTest::currentDataTag()).contains("bare factory")) {
            QSettings pd(m_scene.file("setting/pD.bin"), QSettings::IniFormat);
            pd.remove("sensor");
            pd.remove("color_V7");
            pd.setValue("sensor/stage_V7", 4);
        }
        const SceneRun::Result r = m_scene.run(script);
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY2(r.sent == sent, qPrintable(r.sent.join('\n')));
        for (const QString &entry : stored) {
            const QSettings f(m_scene.file(entry.section(':', 0, 0)), QSettings::IniFormat);
            const QString key = entry.section(':', 1).section('=', 0, 0);
            if (!entry.contains('='))
                QVERIFY2(!f.contains(key), qPrintable(entry));
            else
                QCOMPARE(f.value(key).toStringList(), entry.section('=', 1).split(','));
        }
    }

    // A (0x04), a key without a name (0x32), left Shift (0xE1), each pressed and released, with
    // the pauses switch on: a pause before every transition but the first, the unnamed key's
    // time counted in (the recorder's exact rules are tst_macro_lines.qml's).
    void macroRecording()
    {
        const SceneRun::Result r = m_scene.run(macroPage() + R"(
            press("macroNew", "macroRecordPauses", "macroRecord");
            var events = [[true, 0x04], [false, 0x04], [true, 0x32], [false, 0x32],
                          [true, 0xE1], [false, 0xE1]];
            for (var i = 0; i < events.length; ++i) {
                scene.detectKeyboard(events[i][0], events[i][1]);
                if (i === 0)
                    check(find("macroLines").count === 1, "the first line is not shown at once");
                wait(200);
            }
            press("macroRecord");
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(QDir(m_scene.file("macro")).entryList(QDir::Files), QStringList{"Macro. 001.bin"});
        const QSettings ini(m_scene.file("macro/Macro. 001.bin"), QSettings::IniFormat);
        QCOMPARE(ini.value("config/total").toInt(), 7);
        const QStringList keys{"A    [Down]", "A      [Up]", "L Shift    [Down]",
                               "L Shift      [Up]"};
        for (int i = 0; i < 7; ++i) {
            const QString line = ini.value(QStringLiteral("macro/%1").arg(i)).toString();
            if (i % 2 == 0)
                QCOMPARE(line, keys[i / 2]);
            else // two waits across the key without a name
                QVERIFY2(line.endsWith("   [Delay]") &&
                             line.split(' ')[0].toInt() >= 150 * (i == 3 ? 2 : 1),
                         qPrintable(line));
        }
    }

    // New, rename (a taken name refused), delete on the second click; a file that vanishes
    // behind the page's back makes the next save fail and empties the editor.
    void macroFileButtons()
    {
        const SceneRun::Result r = m_scene.run(macroPage() + R"(
            press("macroNew", "macroNew");
            check(page.currentName === "Macro. 002", "the new macro is not selected");
            press("macroRename");
            var editor = find("fileListEditor");
            check(editor && editor.activeFocus, "no name editor");
            editor.text = "Reload";
            editor.accepted();
            check(page.currentName === "Reload", "renamed macro not selected: " + page.currentName);
            press("macroRename");
            editor = find("fileListEditor");
            editor.text = "Macro. 001";
            editor.accepted();
            check(page.currentName === "Reload" && page.notice !== "", "taken name accepted");
            page.select(0);
            press("macroDelete");
            check(page.names.length === 2, "deleted on the first click");
            press("macroDelete");
            check(page.names.join() === "Reload", "left: " + page.names.join());
            ui_View.deleteMacroIni("Reload");
            press("macroAddDelay");
            check(page.lines.length === 0 && page.names.length === 0, "stale macro kept");
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(QDir(m_scene.file("macro")).entryList(QDir::Files), QStringList());
    }

    // The global settings are stored by apply and are what the next start shows.
    void globalSettingsSurviveARestart()
    {
        const auto first = m_scene.run(SceneRun::prologue() + R"(
            press("menuUp0");
            wait(300);
            press("globalSkin1", "globalTextSize1", "globalColor3", "globalApply");
            wait(300);
            check(!scene.settingsShown, "apply keeps the page open");
        )");
        QVERIFY2(first.status == 0, qPrintable(first.err));
        QSettings ap(m_scene.file("setting/apConfig.bin"), QSettings::IniFormat);
        for (const auto &[key, value] :
             {std::pair{"total", 32}, {"0", 1}, {"1", 2}, {"7", 1}, {"29", 3}})
            QCOMPARE(ap.value(QLatin1String("common/") + key).toInt(), value);

        const auto second = m_scene.run(SceneRun::prologue() + R"(
            check(scene.env.skin === 2 && scene.env.fontSize === 15,
                  "skin " + scene.env.skin + ", font " + scene.env.fontSize);
            press("menuUp0");
            wait(300);
            press("globalReset");
            wait(300);
        )");
        QVERIFY2(second.status == 0, qPrintable(second.err));
        ap.sync();
        QCOMPARE(ap.value("common/1").toInt(), 1);
    }

    void failingRunsEndWithOne_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("message");
        QTest::newRow("throw") << QByteArray("var a = 1;\nthrow new Error('stop here');\n")
                               << QStringLiteral("scene.js:2: Error: stop here");
        QTest::newRow("unknown fault") << QByteArray("sim.fault('mouse', 'melted', true);\n")
                                       << QStringLiteral("unknown fault melted");
        QTest::newRow("no keyboard")
            << QByteArray("sim.unplug('keyboard');\n") << QStringLiteral("no emulated keyboard");
        QTest::newRow("mouse unplugged") << QByteArray("sim.unplug('mouse');\nwait(3000);\n")
                                         << QStringLiteral("Can not detect V7 Gaming Mouse !");
    }
    void failingRunsEndWithOne()
    {
        QFETCH(QByteArray, source);
        QFETCH(QString, message);
        const auto r = m_scene.run(source);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }
};

QTEST_MAIN(tst_UiPages)
#include "tst_ui_pages.moc"
