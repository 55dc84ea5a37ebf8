// The shell end to end: headless runs that click through the menus by objectName and check the
// files the program leaves behind; the script runner itself (click, emulator faults) and how a
// failing run ends.
#include "support/SceneRun.h"

#include <QSettings>
#include <QtTest>

class tst_UiShell : public QObject
{
    Q_OBJECT

    SceneRun m_scene;

private slots:
    void initTestCase() { QVERIFY(m_scene.isValid()); }
    void init() { m_scene.restore(); }

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
        QCOMPARE(ap.value("common/total").toInt(), 32);
        QCOMPARE(ap.value("common/0").toInt(), 1);
        QCOMPARE(ap.value("common/1").toInt(), 2);
        QCOMPARE(ap.value("common/7").toInt(), 1);
        QCOMPARE(ap.value("common/29").toInt(), 3);

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

    // A chosen profile takes the pages' settings; the others stay as they were. (What it sends
    // is tst_ui_pages' "total apply".) Then the script runner: missing and hidden items (the
    // busy veil shows only while the scene is protected) cannot be clicked, and a stalled mouse
    // does not answer.
    void totalApplyWritesTheChosenProfile()
    {
        const auto r = m_scene.run(SceneRun::prologue() + R"(
            press("profile2");
            wait(300);
            press("btnTotalApply");
            wait(1800);
            check(!click("noSuchItem") && !click("busy"), "clicked what cannot be clicked");
            sim.fault("mouse", "stalled", true);
            check(ui_View.ui_91H_SyncDPI() === 8, "a stalled mouse still answered");
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(!QFile::exists(m_scene.file("setting/p1.bin")));
        QSettings p3(m_scene.file("setting/p3.bin"), QSettings::IniFormat);
        QCOMPARE(p3.value("sensor/stage_V7").toInt(), 1);
        QCOMPARE(p3.value("sensor/reportRate_V7").toInt(), 2);
        QVERIFY(p3.contains("keydefine_V7/0"));
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

QTEST_GUILESS_MAIN(tst_UiShell)
#include "tst_ui_shell.moc"
