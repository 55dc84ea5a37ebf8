#include "support/FileBackup.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The program, saving profiles and settings in a loop, is killed with SIGKILL at random moments;
// every file it leaves behind must be a whole version of itself, never empty or cut.
class TestCrashSafety : public QObject
{
    Q_OBJECT

    struct Saved
    {
        QString file;
        QString key; // with %1 for the record number
        int records;
        int count; // values one save puts in them all
    };
    const QList<Saved> m_saved{
        {"setting/apConfig.bin", "common/%1", 24, 24},
        {"setting/p1.bin", "color_V7/type%1", 1, 24},
        {"gun/gunData0.bin", "gunData/%1", 12, 84},
        {"gun/selGunData.bin", "gunData/%1", 1, 3},
    };
    const QString m_binary = qEnvironmentVariable("V7_BINARY_DIR") + "/v7config";
    const QString m_shipped = qEnvironmentVariable("V7_BINARY_DIR") + "/modules";
    QTemporaryDir m_work;

    static QStringList values(const QString &path, const Saved &saved)
    {
        const QSettings ini(path, QSettings::IniFormat);
        QStringList all;
        for (int i = 0; i < saved.records; ++i)
            all += ini.value(saved.key.arg(i)).toStringList();
        return all;
    }
    std::unique_ptr<QProcess> start(const QByteArray &script)
    {
        const QString path = m_work.filePath("save.js");
        if (!FileBackup::write(path, script))
            return nullptr;
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::MergedChannels);
        p->start(m_binary, {"--headless", "--simulate", "--data-dir", m_work.filePath("data"),
                            "--eval", path});
        return p;
    }

    // Each saved file holds one save's values, never older than the last seen, or, before its
    // first save, what it was shipped with; every other file is its shipped copy.
    void checkDataFolder(QHash<QString, int> &latest)
    {
        const QString root = m_work.filePath("data/modules");
        for (QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
             it.hasNext();) {
            const QString path = it.next();
            const QString rel = path.mid(root.size() + 1);
            // A lock or a save's temporary file left by the killed process is not a store.
            if (rel.endsWith(".lock") || rel.contains(".bin."))
                continue;
            const QByteArray bytes = FileBackup::read(path);
            QVERIFY2(!bytes.isEmpty(), qPrintable(rel + " is empty"));
            const QString shipped = m_shipped + '/' + rel;
            const auto saved = std::find_if(m_saved.cbegin(), m_saved.cend(),
                                            [&](const Saved &s) { return s.file == rel; });
            if (saved == m_saved.cend()) {
                QVERIFY2(!QFile::exists(shipped) || bytes == FileBackup::read(shipped),
                         qPrintable(rel));
                continue;
            }
            const QSettings ini(path, QSettings::IniFormat);
            QVERIFY2(ini.status() == QSettings::NoError, bytes.constData());
            // A cut file lacks some of what it was shipped with.
            for (const QString &key : QSettings(shipped, QSettings::IniFormat).allKeys())
                QVERIFY2(ini.contains(key), bytes.constData());
            const QStringList all = values(path, *saved);
            bool number = false;
            const int value = all.value(0).toInt(&number);
            if (!number || all.count(all[0]) != saved->count || all.size() != saved->count) {
                const QStringList before = values(shipped, *saved);
                QVERIFY2(!latest.contains(rel) && !before.isEmpty() && all == before,
                         bytes.constData());
                continue;
            }
            // Old or new: a saved value never goes back to an earlier one.
            QVERIFY2(value >= latest.value(rel), bytes.constData());
            latest[rel] = value;
        }
    }

private slots:
    void killedWhileSavingLeavesWholeFiles()
    {
        QVERIFY2(QFile::exists(m_binary), qPrintable(m_binary));
        QVERIFY(m_work.isValid());
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        QHash<QString, int> latest;
        QElapsedTimer budget;
        budget.start();
        int runs = 0;
        for (; runs < 40 && budget.elapsed() < 18000; ++runs) {
            // Values rise by one per round, and from one run to the next.
            const auto p = start(QStringLiteral(R"(for (var i = %1; ; ++i) {
    ui_View.saveApConfig(Array(24).fill(i));
    ui_View.ui_10H_SetLED8StageColor(0, Array(24).fill(i));
    ui_View.saveGundata(0, Array(84).fill(i));
    ui_View.saveSelGundata(0, Array(3).fill(i));
    wait(1);
})")
                                     .arg((runs + 1) * 100000)
                                     .toUtf8());
            QVERIFY(p && p->waitForStarted(10000));
            // Early kills land in the start-up (the data folder being filled), later ones in
            // the saving loop.
            const int moment = random.bounded(50, 1500);
            QVERIFY2(!p->waitForFinished(moment), p->readAll().constData());
            p->kill();
            QVERIFY(p->waitForFinished(10000));
            checkDataFolder(latest);
            if (QTest::currentTestFailed())
                return qWarning("run %d, killed after %d ms (seed %u)", runs, moment, seed);
        }
        QVERIFY(runs >= 5);
        // Some kill landed after saves, so the check saw saved content and not only shipped files.
        QVERIFY2(latest.contains("setting/apConfig.bin"), "no save was ever seen");

        // The program still starts on what the kills left and saves within its usual time.
        const auto p = start("ui_View.saveApConfig([7]);\nui_View.saveSelGundata(0, [7, 7, 7]);\n");
        QVERIFY(p && p->waitForFinished(120000));
        QVERIFY2(p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0,
                 p->readAll().constData());
        const QSettings ap(m_work.filePath("data/modules/setting/apConfig.bin"),
                           QSettings::IniFormat);
        QCOMPARE(ap.value("common/total").toInt(), 1);
        QCOMPARE(ap.value("common/0").toInt(), 7);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
