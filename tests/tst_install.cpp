// The installed program: `cmake --install` of the build folder into a staging DESTDIR, then the
// staged executable started headless with a temporary home.
#include "support/FileBackup.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class tst_Install : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    const QString m_stage = m_tmp.filePath(QStringLiteral("stage")); // DESTDIR
    const QString m_usr = m_stage + QStringLiteral("/usr");          // DESTDIR + prefix

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

    // Runs the installed program to a clean end; what it wrote to stderr, or nothing when it
    // failed.
    QByteArray runInstalled(const QStringList &args, const QProcessEnvironment &env,
                            const QString &cwd)
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(cwd);
        p.start(m_usr + QStringLiteral("/bin/v7config"), args);
        const bool ok =
            p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        const QByteArray err = p.readAllStandardError();
        if (!ok)
            qWarning("%s", err.constData());
        return ok ? err : QByteArray();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        const QString cmake = qEnvironmentVariable("V7_CMAKE");
        QVERIFY(!cmake.isEmpty());
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), m_stage);
        p.setProcessEnvironment(env);
        p.start(cmake, {QStringLiteral("--install"), qEnvironmentVariable("V7_BINARY_DIR"),
                        QStringLiteral("--prefix"), QStringLiteral("/usr")});
        QVERIFY(p.waitForFinished(120000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
    }

    // The rule that gives the seat user the device, numbered to come before 73-seat-late. Its
    // folder comes from pkg-config udev, which may lie outside the prefix.
    void udevRuleIsInstalled()
    {
        const QString rule = QStringLiteral("/lib/udev/rules.d/70-v7config.rules");
        QVERIFY(QFileInfo::exists(m_usr + rule) || QFileInfo::exists(m_stage + rule));
    }

    // With only HOME set: XDG_DATA_HOME is resolved by QStandardPaths, not by the program.
    void userFilesStayInTheUsersFolder()
    {
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
        const QString dataHome = home.filePath(QStringLiteral(".local/share"));
        const QString data = dataHome + QStringLiteral("/v7config/modules");

        const QString script = home.filePath(QStringLiteral("rate.js"));
        QVERIFY(FileBackup::write(script, "ui_View.ui_01H_SetReportRate(1);\nwait(300);\n"));
        const QStringList args = {QStringLiteral("--headless"), QStringLiteral("--simulate"),
                                  QStringLiteral("--eval"), script};
        const auto installed = snapshot(m_stage);
        const auto ship = snapshot(m_usr + QStringLiteral("/share/v7config/modules"));
        QVERIFY(ship.size() > 10);

        const QByteArray err = runInstalled(args, env, cwd);
        QVERIFY2(err.contains("Data folder: " + QDir(dataHome).filePath("v7config").toUtf8()),
                 err.constData());
        QCOMPARE(snapshot(m_stage), installed);
        QVERIFY(QDir(cwd).isEmpty());
        const auto mine = snapshot(data);
        for (const QString &file : ship.keys())
            QVERIFY2(mine.contains(file), qPrintable(file));
        // The run itself wrote there: the report rate went into the first profile.
        QVERIFY(QFileInfo::exists(data + QStringLiteral("/setting/p1.bin")));

        // The user changes one file and loses another; a second start keeps the first and
        // brings back only the second.
        {
            QSettings config(data + QStringLiteral("/setting/apConfig.bin"), QSettings::IniFormat);
            config.setValue(QStringLiteral("test/kept"), QStringLiteral("yes"));
        }
        QVERIFY(QFile::remove(data + QStringLiteral("/gun/gunData2.bin")));

        QVERIFY(!runInstalled(args, env, cwd).isEmpty());
        QCOMPARE(snapshot(m_stage), installed);
        QSettings config(data + QStringLiteral("/setting/apConfig.bin"), QSettings::IniFormat);
        QCOMPARE(config.value(QStringLiteral("test/kept")).toString(), QStringLiteral("yes"));
        QCOMPARE(snapshot(data).value(QStringLiteral("gun/gunData2.bin")),
                 ship.value(QStringLiteral("gun/gunData2.bin")));
    }
};

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_install.moc"
