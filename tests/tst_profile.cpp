#include "app/Dialogs.h"
#include "bridge/myQQuickView.h"
#include "support/FileBackup.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <memory>

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

    void apConfigWithoutTotalIsEmpty()
    {
        write(file("apConfig.bin"), "[common]\nname=X\n0=1\n");
        myQQuickView view;
        QCOMPARE(view.loadApConfig(), QVariantList());
        QCOMPARE(view.loadDeviceApConfig(), QVariantList{8});
    }

    void shippedFactorySettings()
    {
        myQQuickView view;
        view.resetApconfig();
        const QVariantList list = view.loadApConfig();
        QCOMPARE(list.size(), 32);
        QCOMPARE(texts(list.mid(0, 8)), QStringList({"1", "1", "1", "0", "0", "false", "", "0"}));
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
        QTest::addColumn<QString>("chosen");
        QTest::newRow("cancelled") << QString();
        QTest::newRow("missing") << QStringLiteral("missing.pf");
        QTest::newRow("folder") << QStringLiteral(".");
    }
    void failedImportLeavesTheProfile()
    {
        QFETCH(QString, chosen);
        myQQuickView view;
        view.ui_02H_SetCurrentProfile(1);
        view.currentProfile().setValue("sensor/stage_V7", 4);
        view.currentProfile().sync();
        const QByteArray before = read(file("p2.bin"));
        m_dialogs->nextFile(chosen.isEmpty() ? chosen : m_tmp.filePath(chosen));
        view.loadProfile(1);
        QCOMPARE(read(file("p2.bin")), before);
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

    void cancelledOrFailedExportWritesNothing()
    {
        const QString pf = m_tmp.filePath("keep.pf");
        write(pf, "old");
        myQQuickView view;
        m_dialogs->nextFile(QString());
        view.saveProfile(3);
        QCOMPARE(read(pf), QByteArray("old"));
        // p4.bin does not exist: the old export must survive.
        m_dialogs->nextFile(pf);
        view.saveProfile(3);
        QCOMPARE(read(pf), QByteArray("old"));
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
