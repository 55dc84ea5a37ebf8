// The program end to end: headless runs against the emulated devices, driven by scripts, checked
// through their exit status, the HID trace and the files they leave.
#include "support/FileBackup.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class tst_E2E : public QObject
{
    Q_OBJECT

    QString m_binaryDir;
    QTemporaryDir m_tmp;

    struct Run
    {
        int status = -1;
        QString out;
        QString err;
    };

    QString script(const QString &name, const QByteArray &source)
    {
        const QString path = m_tmp.filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(source);
        return path;
    }
    Run run(const QStringList &args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("V7_HID_TRACE"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(m_tmp.path()); // the program finds its files by its own path
        p.start(m_binaryDir + QStringLiteral("/v7config"),
                QStringList{"--headless", "--data-dir", dataDir()} + args);
        Run r;
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }
    // Filled by the program from its shipped files; emptied before every case.
    QString dataDir() const { return m_tmp.filePath(QStringLiteral("data")); }
    QString profile(int n) const
    {
        return dataDir() + QStringLiteral("/modules/setting/p%1.bin").arg(n);
    }

private slots:
    void initTestCase()
    {
        m_binaryDir = qEnvironmentVariable("V7_BINARY_DIR", QDir::currentPath());
        QVERIFY(QFile::exists(m_binaryDir + "/v7config"));
        QVERIFY(m_tmp.isValid());
    }
    void init() { QVERIFY(QDir(dataDir()).removeRecursively()); }

    void dpiTableRoundTrip()
    {
        const QString trace = m_tmp.filePath("dpi.trace");
        QFile::remove(trace);
        const QString js = script("dpi.js", R"(
            var values = [600, 800, 1600, 3200, 0, 0, 0, 0];
            ui_View.ui_11H_SetDPISet(4, [0x05, 0x07, 0x0F, 0x1F, 0x80, 0x80, 0x80, 0x80], values);
            wait(400);
            if (ui_View.ui_91H_SyncDPI() !== 4)
                throw new Error("stage count " + ui_View.ui_91H_SyncDPI());
            var back = ui_View.ui_91H_GetDPISet();
            if (back.join(",") !== values.join(","))
                throw new Error("read back " + back);
        )");
        const Run r = run({"--simulate", "--hid-trace", trace, "--eval", js});
        QVERIFY2(r.status == 0, qPrintable(r.err));

        QFile f(trace);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString lines = QString::fromUtf8(f.readAll());
        // The data phase goes out plain, report ID first, then the eight stage bytes.
        QVERIFY2(lines.contains(" out 1 cmd 00 05 07 0f 1f 80 80 80 80 00"), qPrintable(lines));
        // ... and the device gives the same bytes back.
        QVERIFY(lines.contains(" in 1 cmd 05 07 0f 1f 80 80 80 80"));

        QSettings p1(profile(1), QSettings::IniFormat);
        QCOMPARE(p1.value("sensor/dpi_V7").toStringList(),
                 QStringList({"600", "800", "1600", "3200", "0", "0", "0", "0"}));
    }

    void scriptedExportAndImport()
    {
        const QString pf = m_tmp.filePath("mine.pf");
        QFile::remove(pf);
        const QString js = script("profiles.js", QStringLiteral(R"(
            ui_View.ui_0BH_SetCurrentDPIStage(3);
            dialogs.nextFile("%1");
            ui_View.saveProfile(0);
            ui_View.ui_02H_SetCurrentProfile(6);
            dialogs.nextFile("");
            ui_View.loadProfile(6);
            dialogs.nextFile("%1");
            ui_View.loadProfile(6);
            if (Number(ui_View.ui_8BH_GetCurrentDPIStage()) !== 3)
                throw new Error("imported stage " + ui_View.ui_8BH_GetCurrentDPIStage());
            dialogs.nextAnswer(true);
            if (!ui_View.getMsgAns_FoolProofing())
                throw new Error("answer");
            if (dialogs.shown().length !== 1)
                throw new Error("boxes " + JSON.stringify(dialogs.shown()));
        )")
                                                     .arg(pf)
                                                     .toUtf8());
        const Run r = run({"--simulate", "--eval", js});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(QSettings(pf, QSettings::IniFormat).value("sensor/stage_V7").toInt(), 3);
        QCOMPARE(FileBackup::read(profile(7)), FileBackup::read(pf));
    }

    void sceneIsScriptable()
    {
        const QString png = m_tmp.filePath("scene.png");
        QFile::remove(png);
        const QString js = script("scene.js", QStringLiteral(R"(
            for (var i = 0; i < 400 && !scene.ready; ++i) wait(50);
            if (!grab("%1") || scene.width !== 1000)
                throw new Error("grab");
            // Missing, and hidden (the busy veil shows only while the scene is protected).
            if (click("noSuchItem") || click("busy"))
                throw new Error("clicked what cannot be clicked");
            // The title bar's close button; its animation closes the window.
            if (!click("menuUp1"))
                throw new Error("close");
            for (var i = 0; i < 100 && ui_View.visible; ++i)
                wait(100);
            if (ui_View.visible)
                throw new Error("the window stayed open");
        )")
                                                  .arg(png)
                                                  .toUtf8());
        const Run r = run({"--simulate", "--eval", js});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QImage image(png);
        QCOMPARE(image.size(), QSize(1000, 600));
        QVERIFY(qAlpha(image.pixel(500, 300)) > 128); // the scene, drawn
    }

    void failures_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("message");
        QTest::newRow("throw") << QByteArray("var a = 1;\nthrow new Error('stop here');\n")
                               << QStringLiteral("failing.js:2: Error: stop here");
        QTest::newRow("unknown fault") << QByteArray("sim.fault('mouse', 'melted', true);\n")
                                       << QStringLiteral("unknown fault melted");
        QTest::newRow("no keyboard")
            << QByteArray("sim.unplug('keyboard');\n") << QStringLiteral("no emulated keyboard");
        QTest::newRow("mouse unplugged") << QByteArray("sim.unplug('mouse');\nwait(3000);\n")
                                         << QStringLiteral("Can not detect V7 Gaming Mouse !");
    }
    void failures()
    {
        QFETCH(QByteArray, source);
        QFETCH(QString, message);
        const Run r = run({"--simulate", "--eval", script("failing.js", source)});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }

    void faultsReachTheDevice()
    {
        const QString js = script("stall.js", R"(
            sim.fault("mouse", "stalled", true);
            if (ui_View.ui_91H_SyncDPI() !== 8)
                throw new Error("a stalled mouse still answered");
            sim.fault("mouse", "stalled", false);
            ui_Ctl.onMinimize();
        )");
        const Run r = run({"--simulate", "--eval", js});
        QVERIFY2(r.status == 0, qPrintable(r.err));
    }

    void noDeviceEndsTheProgram()
    {
        const Run r = run({"--simulate=keyboard", "--eval", script("never.js", "wait(10);\n")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("Can not detect"), qPrintable(r.err));
    }
};

QTEST_MAIN(tst_E2E)
#include "tst_e2e.moc"
