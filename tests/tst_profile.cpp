#include "bridge/MacroStore.h"
#include "bridge/RecoilStore.h"
#include "bridge/myQQuickView.h"
#include "platform/Dialogs.h"
#include "support/FileBackup.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

namespace {

// Remembers what each file dialog was asked with; answers with a cancel.
class RecordingDialogs final : public Dialogs
{
public:
    QStringList asked; // caption, folder, filter of the last file dialog

    void warning(const QString &, const QString &) override {}
    void information(const QString &, const QString &) override {}
    bool question(const QString &, const QString &, bool defaultYes) override { return defaultYes; }
    QString openFileName(const QString &caption, const QString &dir, const QString &filter) override
    {
        asked = {QStringLiteral("open"), caption, dir, filter};
        return QString();
    }
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter) override
    {
        asked = {QStringLiteral("save"), caption, dir, filter};
        return QString();
    }
};

// Marks every text with the translation context it was looked up in.
class ContextTranslator final : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        return QLatin1String(context) + QLatin1Char(':') + QString::fromUtf8(sourceText);
    }
};

} // namespace

// The profile store: application settings, ten profiles, factory copies, export and import.
class tst_Profile : public QObject
{
    Q_OBJECT

    const QString m_setting = QStringLiteral("./modules/setting");
    std::unique_ptr<FileBackup> m_backup;
    QTemporaryDir m_tmp;
    ScriptedDialogs *m_dialogs = nullptr;

    QString file(const QString &name) const { return m_setting + QLatin1Char('/') + name; }
    static void write(const QString &path, const QByteArray &content)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    static QByteArray read(const QString &path) { return FileBackup::read(path); }
    static QStringList texts(const QVariantList &list)
    {
        QStringList out;
        for (const QVariant &v : list)
            out << v.toString();
        return out;
    }
    // A profile with one marker value, as an export would hold it.
    static QByteArray profileText(int marker)
    {
        return "[sensor]\nstage_V7=" + QByteArray::number(marker) + "\n";
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        QVERIFY2(QFile::exists(file("pD.bin")), "run from the build folder");
        m_backup = std::make_unique<FileBackup>(m_setting);
        auto dialogs = std::make_unique<ScriptedDialogs>(false);
        m_dialogs = dialogs.get();
        Dialogs::setInstance(std::move(dialogs));
    }
    void init()
    {
        // Every case starts from the shipped files and empty profiles.
        m_backup->restore();
        for (int n = 1; n <= 10; ++n)
            QFile::remove(file(QStringLiteral("p%1.bin").arg(n)));
        m_dialogs->clear();
    }
    void cleanupTestCase() { m_backup.reset(); }

    void apConfigKeepsWhatQmlPassed()
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
        QCOMPARE(back.size(), 10);
        QCOMPARE(back[5].toString(), QStringLiteral("true"));
        QCOMPARE(back[6].toString(), QStringLiteral("/home/u/pictures/a, b.png"));
        QCOMPARE(back[9].toString(), QStringLiteral("27"));
        // The longer list's tail stays in the file but is not returned.
        QSettings ini(file("apConfig.bin"), QSettings::IniFormat);
        QCOMPARE(ini.value("common/31").toInt(), 93);
    }

    void apConfigTotalIsBoundedByTheFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("size");
        QTest::newRow("no total") << QByteArray("[common]\nname=X\n0=1\n") << 0;
        QTest::newRow("negative") << QByteArray("[common]\ntotal=-5\n0=1\n") << 0;
        // Used to loop for ever and grow past gigabytes.
        QTest::newRow("edited to the maximum")
            << QByteArray("[common]\ntotal=2147483647\n0=1\n") << 2;
    }
    void apConfigTotalIsBoundedByTheFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, size);
        write(file("apConfig.bin"), content);
        myQQuickView view;
        const QVariantList list = view.loadApConfig();
        QCOMPARE(list.size(), size);
        if (size > 0)
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
        write(lock, QByteArray());
        {
            QFile f(lock);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-2),
                                  QFileDevice::FileModificationTime));
        }
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

    void shippedFactorySettings()
    {
        myQQuickView view;
        view.resetApconfig();
        const QVariantList list = view.loadApConfig();
        QCOMPARE(list.size(), 32);
        QCOMPARE(texts(list.mid(0, 8)), QStringList({"1", "1", "1", "0", "1", "false", "", "0"}));
        QCOMPARE(texts(list.mid(8, 3)), QStringList({"0", "255", "255"}));
        QCOMPARE(list[29].toInt(), 0);
        QCOMPARE(list[30].toInt(), 7);
        QCOMPARE(view.loadDeviceApConfig(), QVariantList{8});
        // The device facts stay with the factory copy.
        QSettings ini(file("apConfig.bin"), QSettings::IniFormat);
        QCOMPARE(ini.value("common/sCode1").toString(), QStringLiteral("573914"));
        QCOMPARE(ini.value("common/product_name").toStringList().size(), 2);
    }

    void resetApconfigWithoutFactoryFileKeepsSettings()
    {
        myQQuickView view;
        view.saveApConfig({1, 2, 3});
        QFile::remove(file("apConfigD.bin"));
        view.resetApconfig();
        QCOMPARE(view.loadApConfig(), QVariantList({1, 2, 3}));
        view.apConfigHandle().sync();
        QSettings ini(file("apConfig.bin"), QSettings::IniFormat);
        QCOMPARE(ini.value("common/total").toInt(), 3);
    }

    void defaultProfilePages_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("size");
        QTest::newRow("buttons") << 0 << 64;
        QTest::newRow("macros") << 1 << 0;
        QTest::newRow("colours") << 2 << 27;
        QTest::newRow("sensor") << 3 << 45;
        QTest::newRow("beyond") << 7 << 0;
    }
    void defaultProfilePages()
    {
        QFETCH(int, page);
        QFETCH(int, size);
        myQQuickView view;
        QCOMPARE(view.loadDefaultProfile(uchar(page)).size(), size);
    }

    void defaultProfileAgreesWithThePages()
    {
        myQQuickView view;
        const QVariantList buttons = view.loadDefaultProfile(0);
        QCOMPARE(texts(buttons.mid(0, 4)), QStringList({"1", "0", "240", "0"}));
        QCOMPARE(buttons[0].typeId(), QMetaType::QString);
        const QVariantList sensor = view.loadDefaultProfile(3);
        QCOMPARE(sensor.mid(0, 4), QVariantList({2, 5, 2, 5}));
        QCOMPARE(texts(sensor.mid(4, 8)),
                 QStringList({"1000", "2000", "4000", "8000", "0", "0", "0", "0"}));
        QCOMPARE(sensor[12], QVariant(2));
        const QVariantList colours = view.loadDefaultProfile(2);
        QCOMPARE(texts(colours.mid(24)), QStringList({"2", "7", "7"}));
    }

    void emptyDefaultProfileGivesTheIntDefaults()
    {
        write(file("pD.bin"), "");
        myQQuickView view;
        QCOMPARE(view.loadDefaultProfile(3), QVariantList({2, 5, 2, 5, 2}));
        QCOMPARE(view.loadDefaultProfile(0), QVariantList());
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
        // Later writes through profile 5 reach the new file.
        view.ui_02H_SetCurrentProfile(4);
        view.currentProfile().setValue("sensor/stage_V7", 7);
        view.currentProfile().sync();
        QSettings p5(file("p5.bin"), QSettings::IniFormat);
        QCOMPARE(p5.value("sensor/stage_V7").toInt(), 7);
        QCOMPARE(p5.value("keydefine_V7/0").toStringList(), QStringList({"1", "0", "240", "0"}));
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
        QSettings p5(file("p5.bin"), QSettings::IniFormat);
        QCOMPARE(p5.value("sensor/stage_V7").toInt(), 6);
    }

    void importReplacesTheProfile()
    {
        const QString pf = m_tmp.filePath("in.pf");
        write(pf, profileText(5));
        myQQuickView view;
        view.ui_02H_SetCurrentProfile(2);
        view.currentProfile().setValue("sensor/stage_V7", 1);
        m_dialogs->nextFile(pf);
        view.loadProfile(2);
        QCOMPARE(view.currentProfile().value("sensor/stage_V7").toInt(), 5);
        QCOMPARE(read(file("p3.bin")), profileText(5));
    }

    void failedImportLeavesTheProfile_data()
    {
        // What the user picks (written into the temporary folder unless "cancel" or "missing"),
        // and whether a box says it was refused.
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("box");
        QTest::newRow("cancelled") << QString() << QByteArray() << false;
        QTest::newRow("missing") << "missing.pf" << QByteArray() << true;
        QTest::newRow("folder") << "." << QByteArray() << true;
        QTest::newRow("not INI") << "passwd"
                                 << QByteArray("root:x:0:0:root:/root:/bin/bash\n"
                                               "daemon:x:1:1:daemon:/usr/sbin:/bin/sh\n")
                                 << true;
        QTest::newRow("INI without profile keys")
            << "other.pf" << QByteArray("[config]\ntotal=0\n[General]\na=1\n") << true;
        // Profile keys, but larger than any profile: a 50 MB file once became the profile.
        QTest::newRow("too large")
            << "large.pf" << profileText(5) + QByteArray(2 << 20, '#') << true;
    }
    void failedImportLeavesTheProfile()
    {
        QFETCH(QString, chosen);
        QFETCH(QByteArray, content);
        QFETCH(bool, box);
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
        QCOMPARE(read(file("p2.bin")), before);
        if (box)
            QCOMPARE(m_dialogs->shown(),
                     QList<QStringList>(
                         {{"Import Failed", "This file is not a profile, or it is too large. "
                                            "Nothing was changed: " +
                                                path}}));
        else
            QVERIFY(m_dialogs->shown().isEmpty());
        // The open handle still works and still writes to p2.bin.
        QCOMPARE(view.currentProfile().value("sensor/stage_V7").toInt(), 4);
        view.currentProfile().setValue("sensor/stage_V7", 3);
        view.currentProfile().sync();
        QCOMPARE(QSettings(file("p2.bin"), QSettings::IniFormat).value("sensor/stage_V7").toInt(),
                 3);
    }

    void exportCopiesTheLatestValues()
    {
        const QString pf = m_tmp.filePath("out.pf");
        QFile::remove(pf);
        myQQuickView view;
        view.ui_02H_SetCurrentProfile(9);
        view.currentProfile().setValue("sensor/stage_V7", 8);
        view.ui_02H_SetCurrentProfile(0);
        m_dialogs->nextFile(pf);
        view.saveProfile(9);
        QCOMPARE(QSettings(pf, QSettings::IniFormat).value("sensor/stage_V7").toInt(), 8);
        QCOMPARE(read(pf), read(file("p10.bin")));
    }

    void failedExportSaysSoAndReplacesNothing_data()
    {
        // The target, made in the temporary folder as "file" (holding "old"), "folder" or
        // "fifo", or left out; whether the profile exists; whether a box tells of the failure.
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("profile");
        QTest::addColumn<bool>("box");
        QTest::newRow("cancelled") << QString() << "file" << true << false;
        QTest::newRow("profile never written") << "keep.pf"
                                               << "file" << false << true;
        QTest::newRow("onto a folder") << "dir.pf"
                                       << "folder" << true << true;
        QTest::newRow("into a missing folder") << "no/such/x.pf"
                                               << "none" << true << true;
        QTest::newRow("onto a FIFO") << "pipe.pf"
                                     << "fifo" << true << true;
    }
    void failedExportSaysSoAndReplacesNothing()
    {
        QFETCH(QString, target);
        QFETCH(QString, kind);
        QFETCH(bool, profile);
        QFETCH(bool, box);
        const QString path = m_tmp.filePath(target.isEmpty() ? "keep.pf" : target);
        QFile::remove(path);
        QDir(path).removeRecursively();
        if (kind == "file")
            write(path, "old");
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        myQQuickView view;
        view.getGlobalStrings(QStringLiteral("031000"));
        if (profile) {
            view.ui_02H_SetCurrentProfile(3);
            view.currentProfile().setValue("sensor/stage_V7", 2);
        }
        m_dialogs->nextFile(target.isEmpty() ? QString() : path);
        view.saveProfile(3);
        if (box)
            QCOMPARE(
                m_dialogs->shown(),
                QList<QStringList>({{"Export Failed", "The file could not be saved: " + path}}));
        else
            QVERIFY(m_dialogs->shown().isEmpty());
        const QFileInfo after(path);
        if (kind == "file")
            QCOMPARE(read(path), QByteArray("old"));
        else if (kind == "folder")
            QVERIFY(after.isDir());
        else if (kind == "fifo")
            QVERIFY(after.exists() && !after.isFile());
        else
            QVERIFY(!after.exists());
        QFile::remove(path);
    }

    void fileDialogsAskForProfiles_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QStringList>("asked");
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        QTest::newRow("import") << false
                                << QStringList({"open", "myQQuickView:Open File", desktop,
                                                "myQQuickView:Profile(*.pf)"});
        QTest::newRow("export") << true
                                << QStringList({"save", "myQQuickView:Save File", desktop,
                                                "myQQuickView:Profile(*.pf)"});
    }
    void fileDialogsAskForProfiles()
    {
        QFETCH(bool, save);
        QFETCH(QStringList, asked);
        auto recording = std::make_unique<RecordingDialogs>();
        RecordingDialogs *dialogs = recording.get();
        Dialogs::setInstance(std::move(recording));
        ContextTranslator translator;
        QCoreApplication::installTranslator(&translator);
        {
            myQQuickView view;
            if (save)
                view.saveProfile(3);
            else
                view.loadProfile(3);
        }
        QCoreApplication::removeTranslator(&translator);
        const QStringList seen = dialogs->asked;
        auto scripted = std::make_unique<ScriptedDialogs>(false);
        m_dialogs = scripted.get();
        Dialogs::setInstance(std::move(scripted));
        QCOMPARE(seen, asked);
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
