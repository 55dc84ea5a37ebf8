// Store files QSettings would decode with QDataStream never reach a store.
#include "app/DataDir.h"
#include "bridge/IniGuard.h"
#include "bridge/UserFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestStoreScreen : public QObject
{
    Q_OBJECT
private slots:
    void guard_data();
    void guard();
    void unsafeFilesAreSetAsideAtStart();
};

void TestStoreScreen::guard_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("safe");
    QTest::addRow("numbers and lists")
        << QByteArray("[sensor]\ndpi_V7=1, 2, 3\nstage_V7=2\n") << true;
    QTest::addRow("utf-8 path") << QByteArray("[common]\n6=/home/\xe7\x94\xa8/a b.png\n") << true;
    QTest::addRow("tab and escaped backslash")
        << QByteArray("[config]\n0=a\\tb \\\\x41 \\\\100\n") << true;
    QTest::addRow("variant") << QByteArray("[common]\ntotal=@Variant(\\0\\0\\0\\x7f)\n") << false;
    QTest::addRow("quoted in a list") << QByteArray("[c]\nk=1, \"@Variant(abc)\"\n") << false;
    QTest::addRow("date") << QByteArray("[c]\nk=@DateTime(\\0)\n") << false;
    QTest::addRow("hex-spelt at") << QByteArray("[c]\nk=\\x40Var\\x69ant(\n") << false;
    QTest::addRow("octal-spelt at") << QByteArray("[c]\nk=\\100Xariant\n") << false;
    QTest::addRow("continued line") << QByteArray("[c]\nk=@Var\\\niant(\n") << false;
}

void TestStoreScreen::guard()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, safe);
    QCOMPARE(IniGuard::isSafe(text), safe);

    // An import holding the right group is still refused when unsafe.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.pf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    const QStringList groups = {QStringLiteral("sensor"), QStringLiteral("common"),
                                QStringLiteral("config"), QStringLiteral("c")};
    QCOMPARE(UserFile::isIniWithGroup(path, groups), safe);
}

void TestStoreScreen::unsafeFilesAreSetAsideAtStart()
{
    QTemporaryDir folder;
    const QDir modules(folder.filePath(QStringLiteral("modules")));
    const QString shipped = qEnvironmentVariable("V7_SOURCE_DIR") + QStringLiteral("/modules");
    QVERIFY(DataDir::seed(shipped, folder.path()));
    const QByteArray hostile = "[common]\ntotal=@Variant(\\0\\0\\0\\b\\x7f\\xff\\xff\\xff)\n";
    const QByteArray own = "[sensor]\nstage_V7=3\n";
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile f(modules.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    write(QStringLiteral("setting/apConfig.bin"), hostile);
    write(QStringLiteral("setting/p2.bin"), hostile);
    write(QStringLiteral("setting/p3.bin"), own);
    write(QStringLiteral("gun/gunData1.bin"), hostile);
    const QString cwd = QDir::currentPath();
    QVERIFY(DataDir::enter(folder.path(), QFileInfo(shipped).path()));
    QDir::setCurrent(cwd);

    const auto read = [&](const QString &name) {
        QFile f(modules.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    };
    // Kept aside for the user; the settings and the shipped gun file are the factory ones again.
    QCOMPARE(read(QStringLiteral("setting/apConfig.bin.refused")), hostile);
    QCOMPARE(read(QStringLiteral("setting/apConfig.bin")),
             read(QStringLiteral("setting/apConfigD.bin")));
    QCOMPARE(read(QStringLiteral("setting/p2.bin")), QByteArray("<missing>"));
    QCOMPARE(read(QStringLiteral("setting/p2.bin.refused")), hostile);
    QCOMPARE(read(QStringLiteral("setting/p3.bin")), own);
    QVERIFY(IniGuard::isSafe(read(QStringLiteral("gun/gunData1.bin"))));
    QCOMPARE(read(QStringLiteral("gun/gunData1.bin.refused")), hostile);
}

QTEST_GUILESS_MAIN(TestStoreScreen)
#include "tst_storescreen.moc"
