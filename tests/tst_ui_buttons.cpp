// The button assignment page end to end: headless runs that click through the scene, checked by
// the commands that reached the emulated mouse and the files the program left.
#include "support/SceneRun.h"

#include <QRegularExpression>
#include <QtTest>

class tst_UiButtons : public QObject
{
    Q_OBJECT

    using Run = SceneRun::Result;
    SceneRun m_scene;

    // Creates macro "name" with the script A down, A up, shows the button page, runs `body`.
    Run run(const QByteArray &body)
    {
        const QByteArray source = R"(
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
        )" + body;
        return m_scene.run(source);
    }

    static int indexOf(const QStringList &sent, const QString &command)
    {
        return int(sent.indexOf("c: " + command));
    }

    // The factory table with button 3 replaced, as the mouse receives it (two reports of 32).
    static QStringList table(const QString &button3)
    {
        return {"d: 00 01 00 f0 00 01 00 f1 00 01 00 f2 00 " + button3 +
                    " 01 00 f4 00 07 00 01 00 07 00 02 00 04 00 01 00",
                "d: 00 04 00 02 00" + QStringLiteral(" 00").repeated(28)};
    }

private slots:
    void initTestCase() { QVERIFY(m_scene.isValid()); }
    void init() { m_scene.restore(); }

    // The macro goes to the lowest free device slot before the table that plays it; a "no" to
    // the safety question first leaves the left button alone.
    void macroThenTable()
    {
        const Run r = run(R"(
            dialogs.nextAnswer(false);
            press("keyButton0", "keyType8");
            pickMacro(3);
            press("keyApply");
            wait(800);
            check(dialogs.shown().length === 1, "questions " + dialogs.shown().length);
            var config = ui_View.loadMacroIniConfig(macro).join(",");
            check(config === "0,1", "config " + config);
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const int macro = indexOf(r.sent, "13 01 80 00 00 00 00");
        const int keys = indexOf(r.sent, "12 01 40 08 00 00 00");
        QVERIFY2(macro >= 0 && keys > macro, qPrintable(r.sent.join('\n')));
        // Repeat count 1 in the header, A down, A up, end.
        QCOMPARE(r.sent.at(macro + 1),
                 "d: 00 00 01 01 04 81 04 00 00" + QString(" 00").repeated(24));
        QCOMPARE(r.sent.mid(keys + 1, 2), table("09 00 01 00"));
    }

    // With twelve device slots taken by other buttons nothing is sent or assigned, and the page
    // says why.
    void thirteenthMacroIsRefused()
    {
        const Run r = run(R"(
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
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY2(r.sent.filter(QRegularExpression("^c: 13 ")).isEmpty(),
                 qPrintable(r.sent.join('\n')));
        const int keys = int(r.sent.lastIndexOf("c: 12 01 40 08 00 00 00"));
        QVERIFY(keys >= 0);
        const QString first = "d: 00 01 00 f0 00" + QString(" 00").repeated(12) + " 09 00 01 00";
        QVERIFY2(r.sent.at(keys + 1).startsWith(first), qPrintable(r.sent.at(keys + 1)));
    }
};

QTEST_MAIN(tst_UiButtons)
#include "tst_ui_buttons.moc"
