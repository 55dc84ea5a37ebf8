#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

// The program itself, started headless from a folder other than its own.
class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void simulatedMouseConnectsAndKeepsRunning();
    void noDeviceWarnsAndExitsWithOne();
    void traceFromEnvironment();
    void helpAndVersionNeedNoDisplay();
    void demoCodeShowsTheDemoNoticeAndKeepsRunning();
    void setCommandsEndTheirPauseAtTheAcknowledge();

private:
    void start(QProcess &p, const QStringList &args);

    QString m_binary;
    QTemporaryDir m_elsewhere;
};

void TestStartup::initTestCase()
{
    m_binary = qEnvironmentVariable("V7_BINARY_DIR") + QStringLiteral("/v7config");
    QVERIFY2(QFile::exists(m_binary), qPrintable(m_binary));
    QVERIFY(m_elsewhere.isValid());
}

void TestStartup::start(QProcess &p, const QStringList &args)
{
    p.setWorkingDirectory(m_elsewhere.path());
    p.setProcessChannelMode(QProcess::SeparateChannels);
    // Runs keep their files in a data folder of this test's, never in the build folder.
    QStringList all = args;
    if (args.contains(QStringLiteral("--headless")) && !args.contains(QStringLiteral("--data-dir")))
        all << QStringLiteral("--data-dir") << m_elsewhere.filePath(QStringLiteral("data"));
    p.start(m_binary, all);
    QVERIFY(p.waitForStarted(10000));
}

void TestStartup::simulatedMouseConnectsAndKeepsRunning()
{
    const QString tracePath = m_elsewhere.filePath(QStringLiteral("start.trace"));
    QProcess p;
    // A relative trace path is taken from where the user started the program.
    start(p, {QStringLiteral("--headless"), QStringLiteral("--simulate"),
              QStringLiteral("--hid-trace"), QStringLiteral("start.trace")});
    QByteArray err;
    QTRY_VERIFY_WITH_TIMEOUT((err += p.readAllStandardError()).contains("Device Connect"), 30000);
    QTest::qWait(300);
    QCOMPARE(p.state(), QProcess::Running);
    p.terminate();
    QVERIFY(p.waitForFinished(10000));

    QFile f(tracePath);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    QVERIFY(lines.size() >= 4);
    static const QRegularExpression open(
        QStringLiteral("^\\d+\\.\\d{6} open 1 cmd sim:mouse:cmd$"));
    static const QRegularExpression out(
        QStringLiteral("^\\d+\\.\\d{6} feature-out 1 cmd 00( [0-9a-f]{2}){8}$"));
    static const QRegularExpression in(
        QStringLiteral("^\\d+\\.\\d{6} feature-in 1 cmd 00( [0-9a-f]{2}){8}$"));
    static const QRegularExpression close(QStringLiteral("^\\d+\\.\\d{6} close 1 cmd$"));
    QVERIFY2(open.match(QString::fromLatin1(lines[0])).hasMatch(), lines[0]);
    QVERIFY2(out.match(QString::fromLatin1(lines[1])).hasMatch(), lines[1]);
    QVERIFY2(in.match(QString::fromLatin1(lines[2])).hasMatch(), lines[2]);
    QVERIFY2(close.match(QString::fromLatin1(lines[3])).hasMatch(), lines[3]);
    // Scrambled on the wire: the challenge's plain command byte 00 and zero bytes 5 and 6
    // would otherwise show.
    QVERIFY(!lines[1].contains(" 00 00 00 00 00 00 00 00 "));
}

void TestStartup::noDeviceWarnsAndExitsWithOne()
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

void TestStartup::traceFromEnvironment()
{
    const QString tracePath = m_elsewhere.filePath(QStringLiteral("env.trace"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("V7_HID_TRACE"), tracePath);
    p.setProcessEnvironment(env);
    start(p, {QStringLiteral("--headless"), QStringLiteral("--simulate=mouse,keyboard")});
    QByteArray err;
    QTRY_VERIFY_WITH_TIMEOUT((err += p.readAllStandardError()).contains("Device Connect"), 30000);
    p.terminate();
    QVERIFY(p.waitForFinished(10000));
    QFile f(tracePath);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains(" feature-out 1 cmd 00 "));
}

void TestStartup::demoCodeShowsTheDemoNoticeAndKeepsRunning()
{
    // A copy of the installation whose secrecy codes are the demo code; no device is there.
    QTemporaryDir install;
    QVERIFY(install.isValid());
    const QDir from(qEnvironmentVariable("V7_BINARY_DIR") + QStringLiteral("/modules"));
    QDirIterator it(from.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst =
            install.filePath(QStringLiteral("modules/") + from.relativeFilePath(src));
        QVERIFY(QDir().mkpath(QFileInfo(dst).path()));
        QVERIFY(QFile::copy(src, dst));
    }
    const QString binary = install.filePath(QStringLiteral("v7config"));
    QVERIFY(QFile::copy(m_binary, binary));
    QFile config(install.filePath(QStringLiteral("modules/setting/apConfig.bin")));
    QVERIFY(config.open(QIODevice::ReadOnly));
    QByteArray text = config.readAll();
    config.close();
    QVERIFY(text.contains("sCode1=573914"));
    text.replace("sCode0=573914", "sCode0=r-vostel").replace("sCode1=573914", "sCode1=r-vostel");
    QVERIFY(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
    config.write(text);
    config.close();

    QProcess p;
    p.setWorkingDirectory(m_elsewhere.path());
    p.start(binary, {QStringLiteral("--headless")});
    QVERIFY(p.waitForStarted(10000));
    QByteArray err;
    QTRY_VERIFY_WITH_TIMEOUT((err += p.readAllStandardError()).contains("===== Demo Mode ====="),
                             30000);
    QVERIFY2(err.contains("V7 Studio: ===== Demo Mode =====\n"), err.constData());
    QVERIFY2(!err.contains("Can not detect"), err.constData());
    QTest::qWait(300);
    QCOMPARE(p.state(), QProcess::Running);
    p.terminate();
    QVERIFY(p.waitForFinished(10000));
}

void TestStartup::helpAndVersionNeedNoDisplay()
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

void TestStartup::setCommandsEndTheirPauseAtTheAcknowledge()
{
    // A folder of its own, so the profile the report rate goes to stays out of the build folder.
    QTemporaryDir data;
    QVERIFY(data.isValid());
    const QString tracePath = m_elsewhere.filePath(QStringLiteral("ack.trace"));
    const QString script = m_elsewhere.filePath(QStringLiteral("ack.js"));
    {
        QFile f(script);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("for (var i = 0; i < 8; ++i)\n    ui_View.ui_01H_SetReportRate(i % 4);\n"
                "wait(400);\n");
    }
    QProcess p;
    start(p, {QStringLiteral("--headless"), QStringLiteral("--simulate"),
              QStringLiteral("--data-dir"), data.path(), QStringLiteral("--hid-trace"), tracePath,
              QStringLiteral("--eval"), script});
    QVERIFY(p.waitForFinished(60000));
    QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());

    QFile f(tracePath);
    QVERIFY(f.open(QIODevice::ReadOnly));
    // A Set transfer is one on the command interface that reads no answer.
    struct Transfer
    {
        double sent = -1, closed = -1;
        bool answered = false, acknowledged = false;
    };
    QList<Transfer> sets;
    Transfer current;
    bool open = false;
    int acks = 0;
    for (const QByteArray &line : f.readAll().split('\n')) {
        const QList<QByteArray> w = line.split(' ');
        if (w.size() < 4 || w[2] != "1")
            continue;
        const QByteArray op = w[1] + ' ' + w[3];
        if (op == "open cmd") {
            current = Transfer();
            open = true;
        } else if (op == "feature-out cmd") {
            current.sent = w[0].toDouble();
        } else if (op == "feature-in cmd") {
            current.answered = true;
        } else if (op == "event-in event" && line.endsWith(" 04 04 00 00")) {
            ++acks;
            current.acknowledged = current.acknowledged || open;
        } else if (op == "close cmd") {
            current.closed = w[0].toDouble();
            if (open && !current.answered)
                sets.append(current);
            open = false;
        }
    }
    QVERIFY2(sets.size() >= 8, qPrintable(QString::number(sets.size())));
    QVERIFY(acks >= sets.size());
    QList<double> pauses;
    for (const Transfer &t : std::as_const(sets)) {
        QVERIFY(t.acknowledged);
        pauses.append(t.closed - t.sent);
    }
    std::sort(pauses.begin(), pauses.end());
    // Without the listener no pause ends before 128 ms; with it they end after the first 64.
    const double median = pauses[pauses.size() / 2];
    QVERIFY2(median < 0.120, qPrintable(QString::number(median)));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
