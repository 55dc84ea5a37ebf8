// The macro page end to end: scripts click its controls and feed keys into the scene the way the
// input capture does; the test reads the macro files the page leaves behind.
#include "support/SceneRun.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

class tst_UiMacro : public QObject
{
    Q_OBJECT

    SceneRun m_scene;
    QString m_folder;

    // Runs the program on the emulated mouse with the macro page shown before `body`.
    QString run(const QByteArray &body)
    {
        const SceneRun::Result r = m_scene.run(SceneRun::showPage(1) + R"(
            var page = find("pageMacro");
            check(page && page.visible, "macro page not shown");
        )" + body);
        if (r.status != 0)
            return r.err.isEmpty() ? QStringLiteral("failed") : r.err;
        return {};
    }

    QStringList macroFiles() const
    {
        return QDir(m_folder).entryList({QStringLiteral("*.bin")}, QDir::Files, QDir::Name);
    }

    QStringList lines(const QString &name) const
    {
        QSettings ini(m_folder + QLatin1Char('/') + name + QStringLiteral(".bin"),
                      QSettings::IniFormat);
        QStringList out;
        const int total = ini.value(QStringLiteral("config/total"), -1).toInt();
        for (int i = 0; i < total; ++i)
            out << ini.value(QStringLiteral("macro/%1").arg(i)).toString();
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_scene.isValid());
        m_folder = m_scene.file(QStringLiteral("macro"));
    }
    // Each case starts without macros, so the first new one is "Macro. 001".
    void init() { m_scene.restore(); }

    // A (0x04), a key without a name (0x32), left Shift (0xE1), each pressed and released, with
    // the pauses switch on (the recorder's rules without it are tst_macro_lines.qml's).
    void recordedKeys()
    {
        const QString error = run(R"(
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
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(macroFiles(), QStringList{"Macro. 001.bin"});

        const QStringList keys{"A    [Down]", "A      [Up]", "L Shift    [Down]",
                               "L Shift      [Up]"};
        const QStringList got = lines(QStringLiteral("Macro. 001"));
        // A pause before every transition but the first; the unnamed key's time counts in.
        QCOMPARE(got.size(), 7);
        static const QRegularExpression delay(QStringLiteral("^(\\d+)   \\[Delay\\]$"));
        for (int i = 0; i < got.size(); ++i) {
            if (i % 2 == 0) {
                QCOMPARE(got[i], keys[i / 2]);
                continue;
            }
            const auto m = delay.match(got[i]);
            QVERIFY2(m.hasMatch(), qPrintable(got[i]));
            const int ms = m.captured(1).toInt();
            QVERIFY2(ms >= 150 && ms <= 65535, qPrintable(got[i]));
            if (i == 3) // two waits: across the key that has no name
                QVERIFY2(ms >= 300, qPrintable(got[i]));
        }
    }

    // Every edit is stored at once; new lines go in before the selected line.
    void editsAreSaved()
    {
        const QString error = run(R"(
            press("macroNew", "macroAddDelay");
            check(ui_View.loadMacroIni("Macro. 001").length === 1, "delay not saved at once");
            page.selectLine(0);
            press("macroMouseButton");
            wait(300);
            press("macroMouseButtonItem4", "macroAddMouse", "macroAddDelay");
            // The forward button's press goes down to the end; its release is removed.
            page.selectLine(0);
            press("macroLineDown", "macroLineDown", "macroLineDown");
            page.selectLine(0);
            press("macroLineDelete");
        )");
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(lines(QStringLiteral("Macro. 001")),
                 QStringList({"1000   [Delay]", "1000   [Delay]", "MS-B5    [Down]"}));
    }

    void fileButtons()
    {
        const QString error = run(R"(
            press("macroNew", "macroNew");
            check(page.currentName === "Macro. 002", "the new macro is not selected");
            press("macroRename");
            var editor = find("fileListEditor");
            check(editor && editor.activeFocus, "no name editor");
            editor.text = "Reload";
            editor.accepted();
            check(page.currentName === "Reload", "renamed macro not selected: " + page.currentName);
            // A name that is taken is refused.
            press("macroRename");
            editor = find("fileListEditor");
            editor.text = "Macro. 001";
            editor.accepted();
            check(page.currentName === "Reload" && page.notice !== "", "taken name accepted");
            // Delete asks for a second click.
            page.select(0);
            press("macroDelete");
            check(page.names.length === 2, "deleted on the first click");
            press("macroDelete");
            check(page.names.join() === "Reload", "left: " + page.names.join());
            // The file vanishes behind the page's back: the next save fails and the editor empties.
            ui_View.deleteMacroIni("Reload");
            press("macroAddDelay");
            check(page.lines.length === 0 && page.names.length === 0, "stale macro kept");
        )");
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(macroFiles(), QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_UiMacro)
#include "tst_ui_macro.moc"
