// The installed program: `cmake --install` of the build folder into a staging DESTDIR, then the
// staged executable started headless with a temporary home.
#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class tst_Install : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_stage; // DESTDIR
    QString m_usr;   // DESTDIR + prefix

    QString shipped() const { return m_usr + QStringLiteral("/share/v7config/modules"); }

    // Relative path -> content hash of every file under folder.
    static QMap<QString, QByteArray> snapshot(const QString &folder)
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile f(path);
            if (f.open(QIODevice::ReadOnly))
                files.insert(QDir(folder).relativeFilePath(path),
                             QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1));
        }
        return files;
    }

    struct Run
    {
        int status = -1;
        QByteArray out, err;
    };
    Run runInstalled(const QStringList &args, const QProcessEnvironment &env, const QString &cwd)
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(cwd);
        p.start(m_usr + QStringLiteral("/bin/v7config"), args);
        Run r;
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        QString cmake = qEnvironmentVariable("V7_CMAKE");
        if (cmake.isEmpty())
            cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
        QVERIFY(!cmake.isEmpty());
        m_stage = m_tmp.filePath(QStringLiteral("stage"));
        m_usr = m_stage + QStringLiteral("/usr");
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), m_stage);
        p.setProcessEnvironment(env);
        p.start(cmake, {QStringLiteral("--install"), qEnvironmentVariable("V7_BINARY_DIR"),
                        QStringLiteral("--prefix"), QStringLiteral("/usr")});
        QVERIFY(p.waitForFinished(120000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
    }

    // What the run below does not show: the scene compiled in, and the system files.
    void layout_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("present");
        QTest::newRow("scene is compiled in") << "share/v7config/modules/qml" << false;
        // Before 73-seat-late, which gives the seat user access.
        QTest::newRow("udev rule") << "lib/udev/rules.d/70-v7config.rules" << true;
        QTest::newRow("man page") << "share/man/man1/v7config.1" << true;
        for (const char *icon : {"scalable/apps/io.github.v7config.V7Studio.svg",
                                 "48x48/apps/io.github.v7config.V7Studio.png"})
            QTest::newRow(icon) << QStringLiteral("share/icons/hicolor/") + icon << true;
    }
    void layout()
    {
        QFETCH(QString, path);
        QFETCH(bool, present);
        // The udev rule's folder comes from pkg-config udev, which may lie outside the prefix.
        const bool found = QFileInfo::exists(m_usr + QLatin1Char('/') + path) ||
                           QFileInfo::exists(m_stage + QLatin1Char('/') + path);
        QCOMPARE(found, present);
    }

    void userFilesStayInTheUsersFolder_data()
    {
        QTest::addColumn<bool>("xdgDataHome");
        QTest::newRow("XDG_DATA_HOME set") << true;
        QTest::newRow("only HOME") << false;
    }
    void userFilesStayInTheUsersFolder()
    {
        QFETCH(bool, xdgDataHome);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QString cwd = home.filePath(QStringLiteral("cwd"));
        const QString runtime = home.filePath(QStringLiteral("run"));
        QVERIFY(QDir().mkpath(cwd) && QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                                 "XDG_STATE_HOME", "V7_HID_TRACE"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        const QString dataHome = xdgDataHome ? home.filePath(QStringLiteral("xdg"))
                                             : home.filePath(QStringLiteral(".local/share"));
        if (xdgDataHome)
            env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
        const QString data = dataHome + QStringLiteral("/v7config/modules");

        const QString script = home.filePath(QStringLiteral("rate.js"));
        {
            QFile f(script);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("ui_View.ui_01H_SetReportRate(1);\nwait(300);\n");
        }
        const QStringList args = {QStringLiteral("--headless"), QStringLiteral("--simulate"),
                                  QStringLiteral("--eval"), script};
        const auto installed = snapshot(m_stage);
        const auto ship = snapshot(shipped());
        QVERIFY(ship.size() > 10);

        Run r = runInstalled(args, env, cwd);
        QVERIFY2(r.status == 0, r.err.constData());
        QVERIFY2(r.err.contains("Data folder: " + QDir(dataHome).filePath("v7config").toUtf8()),
                 r.err.constData());
        QCOMPARE(snapshot(m_stage), installed);
        QVERIFY(QDir(cwd).isEmpty());
        const auto mine = snapshot(data);
        for (auto it = ship.cbegin(); it != ship.cend(); ++it)
            QVERIFY2(mine.contains(it.key()), qPrintable(it.key()));
        // The run itself wrote there: the report rate went into the first profile.
        QVERIFY(QFileInfo::exists(data + QStringLiteral("/setting/p1.bin")));

        // The user changes one file and loses another; a second start keeps the first and
        // brings back only the second.
        {
            QSettings config(data + QStringLiteral("/setting/apConfig.bin"), QSettings::IniFormat);
            config.setValue(QStringLiteral("test/kept"), QStringLiteral("yes"));
        }
        QVERIFY(QFile::remove(data + QStringLiteral("/gun/gunData2.bin")));

        r = runInstalled(args, env, cwd);
        QVERIFY2(r.status == 0, r.err.constData());
        QCOMPARE(snapshot(m_stage), installed);
        QSettings config(data + QStringLiteral("/setting/apConfig.bin"), QSettings::IniFormat);
        QCOMPARE(config.value(QStringLiteral("test/kept")).toString(), QStringLiteral("yes"));
        QCOMPARE(snapshot(data).value(QStringLiteral("gun/gunData2.bin")),
                 ship.value(QStringLiteral("gun/gunData2.bin")));
    }

    void manPageNamesEveryOption()
    {
        QProcess p;
        p.start(m_usr + QStringLiteral("/bin/v7config"), {QStringLiteral("--help")});
        QVERIFY(p.waitForFinished(30000));
        const QString help = QString::fromUtf8(p.readAllStandardOutput());
        QFile man(m_usr + QStringLiteral("/share/man/man1/v7config.1"));
        QVERIFY(man.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(man.readAll());
        static const QRegularExpression option(QStringLiteral("^  (?:-\\w, )?--([\\w-]+)"),
                                               QRegularExpression::MultilineOption);
        int count = 0;
        for (auto it = option.globalMatch(help); it.hasNext(); ++count) {
            const QString name = it.next().captured(1);
            // Roff escapes every hyphen of an option.
            QString roff = QStringLiteral("--") + name;
            roff.replace(QLatin1Char('-'), QStringLiteral("\\-"));
            QVERIFY2(page.contains(roff), qPrintable(name));
        }
        QVERIFY2(count >= 8, qPrintable(help));
    }
};

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_install.moc"
