// Store files QSettings would decode with QDataStream never reach a store.
#include "app/DataDir.h"
#include "bridge/IniGuard.h"
#include "bridge/UserFile.h"
#include "support/FileBackup.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestStoreScreen : public QObject
{
    Q_OBJECT
private slots:
    // Text as the program writes it passes; every spelling of a decoded value is refused, as a
    // file and as an import holding the right group.
    void guard_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("safe");
        QTest::addRow("lists and a utf-8 path")
            << QByteArray("[sensor]\ndpi_V7=1, 2, 3\n[common]\n6=/home/\xe7\x94\xa8/a b.png\n")
            << true;
        QTest::addRow("tab and escaped backslash")
            << QByteArray("[config]\n0=a\\tb \\\\x41 \\\\100\n") << true;
        QTest::addRow("variant") << QByteArray("[common]\ntotal=@Variant(\\0\\0\\0\\x7f)\n")
                                 << false;
        QTest::addRow("date") << QByteArray("[c]\nk=@DateTime(\\0)\n") << false;
        QTest::addRow("hex-spelt at") << QByteArray("[c]\nk=\\x40Var\\x69ant(\n") << false;
        QTest::addRow("octal-spelt at") << QByteArray("[c]\nk=\\100Xariant\n") << false;
        QTest::addRow("continued line") << QByteArray("[c]\nk=@Var\\\niant(\n") << false;
    }
    void guard()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, safe);
        QCOMPARE(IniGuard::isSafe(text), safe);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.pf"));
        QVERIFY(FileBackup::write(path, text));
        QCOMPARE(UserFile::isIniWithGroup(path, {"sensor", "common", "config", "c"}), safe);
    }

    void unsafeFilesAreSetAsideAtStart()
    {
        QTemporaryDir folder;
        const QString modules = folder.filePath(QStringLiteral("modules/"));
        const QString shipped = qEnvironmentVariable("V7_SOURCE_DIR") + QStringLiteral("/modules");
        QVERIFY(DataDir::seed(shipped, folder.path()));
        const QByteArray hostile = "[common]\ntotal=@Variant(\\0\\0\\0\\b\\x7f\\xff\\xff\\xff)\n";
        const QByteArray own = "[sensor]\nstage_V7=3\n";
        for (const char *name : {"setting/apConfig.bin", "setting/p2.bin", "gun/gunData1.bin"})
            QVERIFY(FileBackup::write(modules + name, hostile));
        QVERIFY(FileBackup::write(modules + "setting/p3.bin", own));
        const QString cwd = QDir::currentPath();
        QVERIFY(DataDir::enter(folder.path(), QFileInfo(shipped).path()));
        QDir::setCurrent(cwd);

        // Kept aside for the user; the settings and the shipped gun file are the factory ones
        // again.
        const auto read = [&](const char *name) { return FileBackup::read(modules + name); };
        QCOMPARE(read("setting/apConfig.bin.refused"), hostile);
        QCOMPARE(read("setting/apConfig.bin"), read("setting/apConfigD.bin"));
        QVERIFY(!QFile::exists(modules + "setting/p2.bin"));
        QCOMPARE(read("setting/p2.bin.refused"), hostile);
        QCOMPARE(read("setting/p3.bin"), own);
        QVERIFY(IniGuard::isSafe(read("gun/gunData1.bin")));
        QCOMPARE(read("gun/gunData1.bin.refused"), hostile);
    }
};

QTEST_GUILESS_MAIN(TestStoreScreen)
#include "tst_storescreen.moc"
