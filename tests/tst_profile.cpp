// The profile store: application settings, ten profiles, factory copies, export and import.
#include "bridge/MacroStore.h"
#include "bridge/RecoilStore.h"
#include "bridge/myQQuickView.h"
#include "platform/Dialogs.h"
#include "support/FileBackup.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class tst_Profile : public QObject
{
    Q_OBJECT

    const QString m_setting = QStringLiteral("./modules/setting");
    FileBackup m_backup{m_setting};
    QTemporaryDir m_tmp;
    ScriptedDialogs *m_dialogs = nullptr;

    QString file(const QString &name) const { return m_setting + QLatin1Char('/') + name; }
    static void write(const QString &path, const QByteArray &content)
    {
        QVERIFY(FileBackup::write(path, content));
    }
    static QByteArray read(const QString &path) { return FileBackup::read(path); }
    static QStringList texts(const QVariantList &list) { return QVariant(list).toStringList(); }
    static int stage(const QString &path)
    {
        return QSettings(path, QSettings::IniFormat).value("sensor/stage_V7").toInt();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        auto dialogs = std::make_unique<ScriptedDialogs>(false);
        m_dialogs = dialogs.get();
        Dialogs::setInstance(std::move(dialogs));
    }
    // Every case starts from the shipped files and empty profiles.
    void init()
    {
        m_backup.restore();
        for (int n = 1; n <= 10; ++n)
            QFile::remove(file(QStringLiteral("p%1.bin").arg(n)));
        m_dialogs->clear();
    }

    void apConfigKeepsWhatQmlPassedAndResets()
    {
        QVariantList list;
        for (int i = 0; i < 32; ++i)
            list << i * 3;
        list[5] = true;
        list[6] = QStringLiteral("/home/u/pictures/a, b.png");
        {
            myQQuickView view;
            view.saveApConfig(list);
            view.saveApConfig(list.mid(0, 10));
            QCOMPARE(view.loadApConfig().size(), 10);
        }
        myQQuickView view;
        const QVariantList back = view.loadApConfig();
        QCOMPARE(texts(back.mid(5)),
                 QStringList({"true", "/home/u/pictures/a, b.png", "21", "24", "27"}));
        // The longer list's tail stays in the file but is not returned.
        QCOMPARE(QSettings(file("apConfig.bin"), QSettings::IniFormat).value("common/31").toInt(),
                 93);

        // Reset takes the factory copy, which keeps the device facts (the Secrecy Codes among
        // them); without one, see resetProfileWithoutFactoryFileKeepsTheProfile.
        view.resetApconfig();
        QCOMPARE(view.loadApConfig().size(), 32);
        view.apConfigHandle().sync();
        const QSettings ini(file("apConfig.bin"), QSettings::IniFormat);
        QCOMPARE(ini.value("common/total").toInt(), 32);
        QCOMPARE(ini.value("common/sCode1").toString(), QStringLiteral("573914"));
        QCOMPARE(ini.value("common/product_name").toStringList().size(), 2);
    }

    // An edited total asks for no more entries than the file holds; it once looped for ever.
    void apConfigTotalIsBoundedByTheFile()
    {
        write(file("apConfig.bin"), "[common]\ntotal=2147483647\n0=1\n");
        myQQuickView view;
        const QVariantList list = view.loadApConfig();
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].toInt(), 1);
        QCOMPARE(view.loadDeviceApConfig(), QVariantList{8});
    }

    void writeTakesOverALockLeftByADeadProcess_data()
    {
        // Which store writes; the file it writes and the key that must hold "7" afterwards.
        QTest::addColumn<QString>("store");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("key");
        QTest::newRow("profile") << "profile" << file("p1.bin") << "sensor/stage_V7";
        QTest::newRow("settings") << "settings" << file("apConfig.bin") << "common/0";
        QTest::newRow("recoil selection")
            << "recoil" << m_tmp.filePath("selGunData.bin") << "gunData/0";
        QTest::newRow("macro") << "macro" << m_tmp.filePath("m.bin") << "config/repeat";
    }
    void writeTakesOverALockLeftByADeadProcess()
    {
        QFETCH(QString, store);
        QFETCH(QString, path);
        QFETCH(QString, key);
        write(path, "[config]\ntotal=0\n");
        // A kill between creating the lock and filling it leaves it empty; Qt takes an empty
        // lock for stale only after 30 s.
        const QString lock = path + ".lock";
        QFile f(lock);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-2),
                              QFileDevice::FileModificationTime));
        f.close();
        QElapsedTimer t;
        t.start();
        if (store == "recoil") {
            QVERIFY(RecoilStore(m_tmp.path()).saveSelection(0, {7}));
        } else if (store == "macro") {
            QVERIFY(MacroStore(m_tmp.path()).setConfig("m", {1, 7}, 0));
        } else {
            myQQuickView view;
            if (store == "settings")
                view.saveApConfig({7});
            view.currentProfile().setValue("sensor/stage_V7", 7);
            view.currentProfile().sync();
        }
        QVERIFY2(t.elapsed() < 5000, qPrintable(QString::number(t.elapsed())));
        const QVariant back = QSettings(path, QSettings::IniFormat).value(key);
        QCOMPARE(back.toString() + back.toList().value(0).toString(), QStringLiteral("7"));
        QVERIFY(!QFile::exists(lock));
    }

    // The factory profile of the pages that ask for it; an empty factory file gives the sensor
    // page's built-in numbers.
    void defaultProfilePages()
    {
        myQQuickView view;
        const QVariantList buttons = view.loadDefaultProfile(0);
        QCOMPARE(buttons.size(), 64);
        QCOMPARE(texts(buttons.mid(0, 4)), QStringList({"1", "0", "240", "0"}));
        const QVariantList sensor = view.loadDefaultProfile(3);
        QCOMPARE(sensor.size(), 45);
        QCOMPARE(texts(sensor.mid(0, 8)),
                 QStringList({"2", "5", "2", "5", "1000", "2000", "4000", "8000"}));
        write(file("pD.bin"), "");
        QCOMPARE(texts(view.loadDefaultProfile(3)), QStringList({"2", "5", "2", "5", "2"}));
    }

    void resetProfileKeepsTheOrder()
    {
        myQQuickView view;
        for (int p = 0; p < 10; ++p) {
            view.ui_02H_SetCurrentProfile(p);
            view.currentProfile().setValue("sensor/stage_V7", 100 + p);
        }
        view.resetProfile(4);
        for (int p = 0; p < 10; ++p) {
            view.ui_02H_SetCurrentProfile(p);
            QVERIFY(
                view.currentProfile().fileName().endsWith(QStringLiteral("/p%1.bin").arg(p + 1)));
            QCOMPARE(view.currentProfile().value("sensor/stage_V7").toInt(), p == 4 ? 2 : 100 + p);
        }
    }

    void resetProfileWithoutFactoryFileKeepsTheProfile()
    {
        myQQuickView view;
        view.ui_02H_SetCurrentProfile(4);
        view.currentProfile().setValue("sensor/stage_V7", 6);
        QFile::remove(file("pD.bin"));
        view.resetProfile(4);
        QCOMPARE(view.currentProfile().value("sensor/stage_V7").toInt(), 6);
        view.currentProfile().setValue("sensor/dpi_V7", QVariantList{800});
        view.currentProfile().sync();
        QCOMPARE(stage(file("p5.bin")), 6);
    }

    void importProfile_data()
    {
        // What the user picks (written into the temporary folder unless cancelled or a
        // folder), and whether it replaces the profile or a box says it was refused.
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("result");
        const QByteArray profile("[sensor]\nstage_V7=5\n");
        QTest::newRow("profile") << "in.pf" << profile << "imported";
        QTest::newRow("cancelled") << QString() << QByteArray() << "kept";
        QTest::newRow("folder") << "." << QByteArray() << "refused";
        QTest::newRow("not INI") << "passwd" << QByteArray("root:x:0:0:root:/root:/bin/bash\n")
                                 << "refused";
        QTest::newRow("INI without profile keys")
            << "other.pf" << QByteArray("[config]\ntotal=0\n[General]\na=1\n") << "refused";
        // Profile keys, but larger than any profile: a 50 MB file once became the profile.
        QTest::newRow("too large") << "large.pf" << profile + QByteArray(2 << 20, '#') << "refused";
    }
    void importProfile()
    {
        QFETCH(QString, chosen);
        QFETCH(QByteArray, content);
        QFETCH(QString, result);
        if (!content.isEmpty())
            write(m_tmp.filePath(chosen), content);
        myQQuickView view;
        view.getGlobalStrings(QStringLiteral("031000"));
        view.ui_02H_SetCurrentProfile(1);
        view.currentProfile().setValue("sensor/stage_V7", 4);
        view.currentProfile().sync();
        const QByteArray before = read(file("p2.bin"));
        const QString path = chosen.isEmpty() ? chosen : m_tmp.filePath(chosen);
        m_dialogs->nextFile(path);
        view.loadProfile(1);
        QCOMPARE(read(file("p2.bin")), result == "imported" ? content : before);
        QCOMPARE(view.currentProfile().value("sensor/stage_V7").toInt(),
                 result == "imported" ? 5 : 4);
        QList<QStringList> boxes;
        if (result == "refused")
            boxes << QStringList{"Import Failed", "This file is not a profile, or it is too "
                                                  "large. Nothing was changed: " +
                                                      path};
        QCOMPARE(m_dialogs->shown(), boxes);
        // The open handle still writes to p2.bin.
        view.currentProfile().setValue("sensor/stage_V7", 3);
        view.currentProfile().sync();
        QCOMPARE(stage(file("p2.bin")), 3);
    }

    void exportProfile_data()
    {
        // The target in the temporary folder (left out: cancelled), made holding "old" unless a
        // FIFO or in a missing folder; whether profile 4 was ever written; whether a box tells
        // of a failure.
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("profile");
        QTest::addColumn<bool>("failed");
        QTest::newRow("exported") << "out.pf" << true << false;
        QTest::newRow("cancelled") << QString() << true << false;
        QTest::newRow("profile never written") << "keep.pf" << false << true;
        QTest::newRow("into a missing folder") << "no/such/x.pf" << true << true;
        QTest::newRow("onto a FIFO") << "pipe.pf" << true << true;
    }
    void exportProfile()
    {
        QFETCH(QString, target);
        QFETCH(bool, profile);
        QFETCH(bool, failed);
        const QString path = m_tmp.filePath(target.isEmpty() ? "keep.pf" : target);
        if (target == "pipe.pf")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (!target.startsWith("no/"))
            write(path, "old");
        myQQuickView view;
        view.getGlobalStrings(QStringLiteral("031000"));
        if (profile) {
            view.ui_02H_SetCurrentProfile(3);
            view.currentProfile().setValue("sensor/stage_V7", 8);
            view.ui_02H_SetCurrentProfile(0); // the latest values of profile 4 go out
        }
        m_dialogs->nextFile(target.isEmpty() ? QString() : path);
        view.saveProfile(3);
        QList<QStringList> boxes;
        if (failed)
            boxes << QStringList{"Export Failed", "The file could not be saved: " + path};
        QCOMPARE(m_dialogs->shown(), boxes);
        if (target == "out.pf") {
            QCOMPARE(stage(path), 8);
            QCOMPARE(read(path), read(file("p4.bin")));
        } else if (target == "pipe.pf") {
            QVERIFY(!QFileInfo(path).isFile());
        } else if (target.startsWith("no/")) {
            QVERIFY(!QFileInfo::exists(path));
        } else {
            QCOMPARE(read(path), QByteArray("old"));
        }
        QFile::remove(path);
    }

    void outOfRangeIndexesAreIgnored()
    {
        myQQuickView view;
        view.currentProfile().setValue("sensor/stage_V7", 1);
        for (int p : {-1, 10, 255}) {
            m_dialogs->nextFile(m_tmp.filePath("x.pf"));
            view.loadProfile(p);
            view.saveProfile(p);
            view.resetProfile(p);
            view.ui_02H_SetCurrentProfile(p);
            QCOMPARE(view.currentProfileIndex(), 0);
        }
        QVERIFY(!QFile::exists(m_tmp.filePath("x.pf")));
        QCOMPARE(view.currentProfile().value("sensor/stage_V7").toInt(), 1);
    }
};

QTEST_MAIN(tst_Profile)
#include "tst_profile.moc"
