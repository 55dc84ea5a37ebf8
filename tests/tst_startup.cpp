#include "app/DataDir.h"
#include "support/FileBackup.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The program itself, started headless from a folder other than its own.
class TestStartup : public QObject
{
    Q_OBJECT
private slots:

    void initTestCase()
    {
        m_binary = qEnvironmentVariable("V7_BINARY_DIR") + QStringLiteral("/v7config");
        QVERIFY2(QFile::exists(m_binary), qPrintable(m_binary));
        QVERIFY(m_elsewhere.isValid());
    }
    // The handshake goes out scrambled, traced to a file named on the command line (relative to
    // where the user started the program) or in the environment; the program keeps running.
    void simulatedMouseConnectsAndKeepsRunning_data()
    {
        QTest::addColumn<bool>("environment");
        QTest::newRow("--hid-trace") << false;
        QTest::newRow("V7_HID_TRACE") << true;
    }
    void simulatedMouseConnectsAndKeepsRunning()
    {
        QFETCH(bool, environment);
        const QString tracePath = m_elsewhere.filePath(QStringLiteral("start.trace"));
        QFile::remove(tracePath);
        QProcess p;
        QStringList args{QStringLiteral("--headless"), QStringLiteral("--simulate=mouse,keyboard")};
        if (environment) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("V7_HID_TRACE"), tracePath);
            p.setProcessEnvironment(env);
        } else {
            args << QStringLiteral("--hid-trace") << QStringLiteral("start.trace");
        }
        start(p, args);
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT((err += p.readAllStandardError()).contains("Device Connect"),
                                 30000);
        QTest::qWait(300);
        QCOMPARE(p.state(), QProcess::Running);
        p.terminate();
        QVERIFY(p.waitForFinished(10000));

        const QByteArray trace = FileBackup::read(tracePath);
        const QString time = QStringLiteral("\\d+\\.\\d{6} ");
        const QString block = QStringLiteral(" 1 cmd 00( [0-9a-f]{2}){8}\n");
        const QRegularExpression opening("^" + time + "open 1 cmd sim:mouse:cmd\n" + time +
                                         "feature-out" + block + time + "feature-in" + block +
                                         time + "close 1 cmd\n");
        QVERIFY2(opening.match(QString::fromLatin1(trace)).hasMatch(), trace.constData());
        // Scrambled on the wire: the challenge's plain command byte 00 and zero bytes 5 and 6
        // would otherwise show.
        QVERIFY(!trace.split('\n').value(1).contains(" 00 00 00 00 00 00 00 00 "));
    }
    void noDeviceWarnsAndExitsWithOne()
    {
        QProcess p;
        start(p, {QStringLiteral("--headless")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        const QByteArray err = p.readAllStandardError();
        QVERIFY2(err.contains(": Can not detect V7 Gaming Mouse !"), err.constData());
        QVERIFY(err.contains("Device Error"));
    }
    void demoCodeShowsTheDemoNoticeAndKeepsRunning()
    {
        // A copy of the installation whose secrecy codes are the demo code; no device is there.
        QTemporaryDir install;
        QVERIFY(install.isValid());
        QVERIFY(DataDir::seed(qEnvironmentVariable("V7_BINARY_DIR") + QStringLiteral("/modules"),
                              install.path()));
        const QString binary = install.filePath(QStringLiteral("v7config"));
        QVERIFY(QFile::copy(m_binary, binary));
        const QString config = install.filePath(QStringLiteral("modules/setting/apConfig.bin"));
        QByteArray text = FileBackup::read(config);
        QVERIFY(text.contains("sCode1=573914"));
        text.replace("sCode0=573914", "sCode0=r-vostel")
            .replace("sCode1=573914", "sCode1=r-vostel");
        QVERIFY(FileBackup::write(config, text));

        QProcess p;
        p.setWorkingDirectory(m_elsewhere.path());
        p.start(binary, {QStringLiteral("--headless")}); // its own data, the copy's
        QVERIFY(p.waitForStarted(10000));
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT(
            (err += p.readAllStandardError()).contains("===== Demo Mode ====="), 30000);
        QVERIFY2(err.contains("V7 Studio: ===== Demo Mode =====\n"), err.constData());
        QVERIFY2(!err.contains("Can not detect"), err.constData());
        QTest::qWait(300);
        QCOMPARE(p.state(), QProcess::Running);
        p.terminate();
        QVERIFY(p.waitForFinished(10000));
    }
    void helpAndVersionNeedNoDisplay()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        for (const QString &arg : {QStringLiteral("--help"), QStringLiteral("--version")}) {
            QProcess p;
            p.setProcessEnvironment(env);
            start(p, {arg});
            QVERIFY(p.waitForFinished(30000));
            QCOMPARE(p.exitStatus(), QProcess::NormalExit);
            QCOMPARE(p.exitCode(), 0);
            const QByteArray out = p.readAllStandardOutput();
            QVERIFY2(out.contains(arg == QLatin1String("--help") ? "--simulate" : "v7config"),
                     out.constData());
        }
    }

private:
    QString m_binary;
    QTemporaryDir m_elsewhere;
    // Runs keep their files in a data folder of this test's, never in the build folder.
    void start(QProcess &p, QStringList args)
    {
        p.setWorkingDirectory(m_elsewhere.path());
        if (args.contains(QStringLiteral("--headless")))
            args << QStringLiteral("--data-dir") << m_elsewhere.filePath(QStringLiteral("data"));
        p.start(m_binary, args);
        QVERIFY(p.waitForStarted(10000));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
