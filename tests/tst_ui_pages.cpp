// The device pages end to end: headless runs of the program that click through the scene, then
// check the commands that reached the emulated mouse and the profile the program left.
#include "support/SceneRun.h"

#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

class tst_UiPages : public QObject
{
    Q_OBJECT

    SceneRun m_scene;

    using Run = SceneRun::Result;
    Run run(const QByteArray &script) { return m_scene.run(script); }

private slots:
    void initTestCase() { QVERIFY(m_scene.isValid()); }
    void init() { m_scene.restore(); }

    // Sensor page ---------------------------------------------------------------------------

    // A stage takes effect at once: a typed 1700 snaps to the sensor's 1600 (emulated sensor
    // type 3), and the whole table goes out with the stage count the mouse reported.
    void sensorStageChangeSendsTheTable()
    {
        const Run r = run(SceneRun::showPage(3) + R"(
            find("sensorStageValue1").commit(1700);
            find("sensorStageValue2").commit(0);
            wait(400);
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QStringList dpi = r.commands("11");
        QCOMPARE(dpi.size(), 2);
        QCOMPARE(dpi.last(), QStringLiteral("11 08 08 00 00 00 00"));
        QVERIFY2(
            r.data().contains("00 09 0f 27 67 80 80 80 80 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                              "00 00 00 00 00 00 00 00 00 00 00"),
            qPrintable(r.data().join('\n')));
        QVERIFY(r.data().last().startsWith("00 09 0f 80 67 80 80 80 80 00"));
        QSettings p1(m_scene.file("setting/p1.bin"), QSettings::IniFormat);
        QCOMPARE(p1.value("sensor/dpi_V7").toStringList(),
                 QStringList({"1000", "1600", "0", "8000", "0", "0", "0", "0"}));
    }

    // The lower menu's apply: the rate, then the current stage counted from 1.
    void totalApplySendsRateThenStage()
    {
        const Run r = run(SceneRun::showPage(3) + R"(
            press("sensorRate0", "sensorStage2", "btnTotalApply");
            wait(600);
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const int rate = r.commands().indexOf(QStringLiteral("01 08 00 00 00 00 00"));
        const int stage = r.commands().indexOf(QStringLiteral("0b 03 00 00 00 00 00"));
        QVERIFY2(rate >= 0 && stage > rate, qPrintable(r.commands().join('\n')));
    }

    // Reset sends the factory table and the indicator colours in the form the mouse drives
    // them: colour numbers (packed) with the logo LED, RGB triples without.
    void sensorResetSendsTableAndColours_data()
    {
        QTest::addColumn<QByteArray>("setup");
        QTest::addColumn<QString>("colourBlock");
        QTest::addColumn<QString>("colourData");
        QTest::newRow("logo LED") << QByteArray() << "10 02 04 00 00 00 00"
                                  << "00 10 32 54 76 00";
        QTest::newRow("RGB") << QByteArray("hid.hid_07H_SetLEDInstructFunction(0, 1, 0, 0);\n"
                                           "wait(300);\nfind('pageSensor').init();\n")
                             << "10 01 18 00 00 00 00"
                             << "00 ff 00 00 00 ff 00 00 00 ff ff ff 00 ff 00 ff 00 ff ff ff 80 "
                                "00 ff ff ff 00";
    }
    void sensorResetSendsTableAndColours()
    {
        QFETCH(QByteArray, setup);
        QFETCH(QString, colourBlock);
        QFETCH(QString, colourData);
        const Run r = run(SceneRun::showPage(3) + setup + R"(
            find("sensorStageValue0").commit(600);
            press("sensorReset");
            wait(600);
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY2(r.data().size() >= 3, qPrintable(r.data().join('\n')));
        QVERIFY(r.data().at(r.data().size() - 3).startsWith("00 05 13 27 67 80 80 80 80 00"));
        QVERIFY2(r.data().at(r.data().size() - 2).startsWith("00 09 13 27 67 80 80 80 80 00"),
                 qPrintable(r.data().join('\n')));
        QCOMPARE(r.commands("10").last(), colourBlock);
        QVERIFY2(r.data().last().startsWith(colourData), qPrintable(r.data().last()));
    }

    // A factory profile without the lists gives five numbers, the stage last; the stage table
    // then comes from the sensor's own factory values.
    void sensorResetWithoutFactoryLists()
    {
        QSettings pd(m_scene.file("setting/pD.bin"), QSettings::IniFormat);
        pd.remove("sensor");
        pd.remove("color_V7");
        pd.setValue("sensor/stage_V7", 4);
        pd.sync();
        const Run r = run(SceneRun::showPage(3) + R"(
            find("sensorStageValue0").commit(600);
            press("sensorReset", "sensorApply");
            wait(600);
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY2(r.data().at(r.data().size() - 2).startsWith("00 09 13 27 67 80 80 80 80 00"),
                 qPrintable(r.data().join('\n')));
        QCOMPARE(r.commands("01").last(), QStringLiteral("01 02 00 00 00 00 00"));
        QCOMPARE(r.commands("0b").last(), QStringLiteral("0b 04 00 00 00 00 00"));
    }

    // Lighting page ---------------------------------------------------------------------------

    // Each effect's option byte at the default steps (brightness 7, speed 7), option2 always 2,
    // the palette first; the profile keeps the page's own indexes.
    void lightingApplySendsTheEffect()
    {
        const Run r = run(SceneRun::showPage(2) + R"(
            var effects = [1, 2, 3];
            for (var e = 0; e < effects.length; ++e) {
                press("colorEffect" + effects[e], "colorApply");
                wait(400);
            }
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(r.commands("0d"), QStringList({"0d 01 0a 02 00 00 00", "0d 02 01 02 00 00 00",
                                                "0d 03 1e 02 00 00 00"}));
        QCOMPARE(r.commands("10").first(), QStringLiteral("10 00 18 00 00 00 00"));
        QSettings p1(m_scene.file("setting/p1.bin"), QSettings::IniFormat);
        QCOMPARE(p1.value("color_V7/ledEffect").toStringList(), QStringList({"3", "7", "7"}));
    }

    // A stored palette of the wrong length is not taken: the page sends the colours it had.
    // The preview runs only while the page is shown.
    void lightingKeepsColoursOnAWrongRead()
    {
        const Run r = run(SceneRun::showPage(2) + R"(
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
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY2(
            r.data().last().startsWith("00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 "
                                       "13 14 15 16 17 18 00"),
            qPrintable(r.data().join('\n')));
    }

    // Recoil page ---------------------------------------------------------------------------

    // The recoil cases' own weapons of game 2 (file 1) and fire-key selections, so the shipped
    // files may change. Fire key 1 has a period below 10; fire key 3 uses "Test SMG".
    static void writeRecoilFiles(const QString &folder)
    {
        QSettings game(folder + "/gunData1.bin", QSettings::IniFormat);
        game.clear();
        for (int i = 0; i < 12; ++i)
            game.setValue(
                "gunData/" + QString::number(i),
                QVariantList{QStringLiteral("W%1").arg(i), i, i % 3, 4 + i, 20 + i, 1, 0});
        game.setValue("gunData/4", QVariantList{"Test SMG", 4, -2, 11, 25, 1, 1});
        QSettings sel(folder + "/selGunData.bin", QSettings::IniFormat);
        sel.clear();
        sel.setValue("gunData/0", QVariantList{1, 2, 4, 5});
        sel.setValue("gunData/1", QVariantList{0, 0, 3, 10});
        sel.setValue("gunData/2", QVariantList{1, 4, 3, 10});
    }

    // Apply reads the option bytes (83H), writes them back with bit 3 of the last one as the
    // weapon's on/off (03H; the emulated mouse answers 03 02 00 00), then sends the pull (04H:
    // pointer return, steps, horizontal, vertical, fire key).
    void recoilApplySendsTheChosenWeapon_data()
    {
        QTest::addColumn<QByteArray>("clicks");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("pull");
        const QString on = QStringLiteral("03 03 02 00 08 00 00");
        QTest::newRow("typed pull")
            << QByteArray("recoilFireKey2") << on << QStringLiteral("04 01 19 fe 0b 02 00");
        QTest::newRow("standard preset") << QByteArray("recoilFireKey2 recoilSource0") << on
                                         << QStringLiteral("04 01 19 fe 05 02 00");
        QTest::newRow("light preset") << QByteArray("recoilFireKey2 recoilSource1") << on
                                      << QStringLiteral("04 01 19 fe 03 02 00");
        QTest::newRow("recoil control off")
            << QByteArray("recoilFireKey2 recoilEnable") << QStringLiteral("03 03 02 00 00 00 00")
            << QStringLiteral("04 01 19 fe 0b 02 00");
        QTest::newRow("another weapon") << QByteArray("recoilFireKey2 recoilSlot0") << on
                                        << QStringLiteral("04 00 14 00 04 02 00");
    }
    void recoilApplySendsTheChosenWeapon()
    {
        QFETCH(QByteArray, clicks);
        QFETCH(QString, options);
        QFETCH(QString, pull);
        writeRecoilFiles(m_scene.file("gun"));
        const Run r = run(SceneRun::showPage(4) + "press.apply(null, '" + clicks + R"('.split(" "));
            press("recoilApply");
            wait(400);
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        // Other pages may send between; the recoil commands are the last of their kind.
        const QStringList recoil = r.commands().filter(QRegularExpression("^(83|03|04) "));
        QCOMPARE(r.commands("04").size(), 1);
        QVERIFY2(recoil.size() >= 3, qPrintable(r.commands().join('\n')));
        QCOMPARE(recoil.mid(recoil.size() - 3),
                 QStringList({QStringLiteral("83 00 00 00 00 00 00"), options, pull}));
    }

    // Save stores the edited weapon and binds the shown one to the fire key, with the period the
    // page shows (10 for a stored 5); it tells the button page once, and sends nothing itself.
    void recoilSaveKeepsWeaponAndSelection()
    {
        const QString folder = m_scene.file("gun");
        writeRecoilFiles(folder);
        const Run r = run(SceneRun::showPage(4) + R"(
            var saved = 0;
            find("pagePressGun").selectionSaved.connect(function () { ++saved; });
            check(find("recoilInterval").text === "10", "period " + find("recoilInterval").text);
            press("recoilSlot6", "recoilReturn", "recoilSave");
            click("recoilSave");
            check(saved === 1, "selection saved " + saved + " times");
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(r.commands("04").isEmpty());

        QSettings game(folder + "/gunData1.bin", QSettings::IniFormat);
        QCOMPARE(game.value("gunData/6").toStringList(),
                 QStringList({"W6", "6", "0", "10", "26", "1", "1"}));
        QCOMPARE(game.value("gunData/4").toStringList(),
                 QStringList({"Test SMG", "4", "-2", "11", "25", "1", "1"}));
        QSettings sel(folder + "/selGunData.bin", QSettings::IniFormat);
        QCOMPARE(sel.value("gunData/0").toStringList(), QStringList({"1", "6", "4", "10"}));
        QCOMPARE(sel.value("gunData/2").toStringList(), QStringList({"1", "4", "3", "10"}));
    }
};

QTEST_MAIN(tst_UiPages)
#include "tst_ui_pages.moc"
