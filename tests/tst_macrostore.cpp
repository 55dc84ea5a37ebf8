// Macro Files: create, list, rename, delete, read, write, import and export; names that would
// leave the macro folder are refused.
#include "bridge/KeyNameMap.h"
#include "bridge/MacroStore.h"
#include "bridge/myQQuickView.h"
#include "platform/Dialogs.h"
#include "support/FileBackup.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class tst_MacroStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    const QString m_folder = m_tmp.filePath(QStringLiteral("macro"));
    ScriptedDialogs *m_dialogs = nullptr;
    const QString m_viewFolder = QStringLiteral("./modules/macro");

    static void writeFile(const QString &path, const QByteArray &content)
    {
        QVERIFY(FileBackup::write(path, content));
    }
    static QByteArray readFile(const QString &path) { return FileBackup::read(path); }
    static QStringList entries(const QString &folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QString file(const QString &name) const { return m_folder + QLatin1Char('/') + name + ".bin"; }

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        auto dialogs = std::make_unique<ScriptedDialogs>(false);
        m_dialogs = dialogs.get();
        Dialogs::setInstance(std::move(dialogs));
    }
    void init()
    {
        QDir(m_folder).removeRecursively();
        m_dialogs->clear();
    }

    // New macros fill the first gap in the numbering, in a folder made when missing.
    void create()
    {
        const MacroStore store(m_folder);
        QCOMPARE(store.create(), QStringLiteral("Macro. 001"));
        writeFile(file(QStringLiteral("Macro. 003")), "");
        QCOMPARE(store.create(), QStringLiteral("Macro. 002"));
        QCOMPARE(store.create(), QStringLiteral("Macro. 004"));
        QCOMPARE(store.config("Macro. 004", 1), (QVariantList{-1, 1}));
        QCOMPARE(store.boundIndex("Macro. 004"), -1);
        QCOMPARE(store.script("Macro. 004"), QStringList());
        // Listed ignoring case, macro files only.
        for (const char *other : {"b.bin", "C.txt"})
            writeFile(m_folder + "/" + other, "");
        QVERIFY(QDir(m_folder).mkdir(QStringLiteral("dir.bin")));
        QCOMPARE(store.names(), (QStringList{"b.bin", "Macro. 001.bin", "Macro. 002.bin",
                                             "Macro. 003.bin", "Macro. 004.bin"}));
        QCOMPARE(MacroStore(m_tmp.filePath("missing")).names(), QStringList());
    }

    // Every key name survives the file, commas, quotes, backslashes and spaces included; a
    // shorter script leaves no old lines behind.
    void scriptRoundTrip()
    {
        const MacroStore store(m_folder);
        const QString name = store.create();
        KeyNameMap keys;
        keys.build();
        QStringList lines;
        for (const auto &entry : keys.entries())
            lines << entry.first + QStringLiteral("    [Down]") << entry.first + "      [Up]";
        lines << QStringLiteral("1000   [Delay]");
        QVERIFY(store.saveScript(name, lines));
        QCOMPARE(MacroStore(m_folder).script(name), lines);
        QVERIFY(store.saveScript(name, {"x"}));
        QCOMPARE(store.script(name), QStringList{"x"});
        QSettings ini(file(name), QSettings::IniFormat);
        QCOMPARE(ini.value("config/total").toInt(), 1);
        QVERIFY(!ini.contains("macro/1"));
        QVERIFY(!store.saveScript(QStringLiteral("missing"), {"x"}));
        // A write the file system refuses is a failure, not a silent loss (a folder in the
        // file's place refuses even root).
        QVERIFY(QDir(m_folder).mkdir(QStringLiteral("held.bin")));
        QVERIFY(!store.saveScript(QStringLiteral("held"), {"y"}));
        QVERIFY(!QFile::exists(file(QStringLiteral("missing"))));
        // A claimed line count must not make the program build a list of that size; the lines
        // the file lacks read as zero.
        writeFile(file("damaged"), "[config]\ntotal=2000000000\n");
        QCOMPARE(store.script("damaged"), QStringList(MacroStore::kMaxLines, "0"));
    }

    // A list too short to hold both values, or a missing macro, changes nothing; a file without
    // values reads as unbound and played once. Per device kind: tst_macros' configFollowsDevice.
    void config()
    {
        const MacroStore store(m_folder);
        const QString name = store.create();
        QVERIFY(store.setConfig(name, {3, 300}, 1));
        QVERIFY(!store.setConfig(name, {5}, 0));
        QCOMPARE(store.config(name, 1), (QVariantList{3, 300}));
        QVERIFY(!store.setConfig("missing", {1, 1}, 1));
        QVERIFY(!QFile::exists(file("missing")));
        QCOMPARE(store.config("missing", 1), QVariantList());
        writeFile(file("bare"), "[config]\n");
        QCOMPARE(store.config("bare", 1), (QVariantList{-1, 1}));
    }

    void renameAndDelete()
    {
        QVERIFY(QDir().mkpath(m_folder));
        const MacroStore store(m_folder);
        writeFile(file("one"), "1");
        writeFile(file("two"), "2");
        QVERIFY(!store.rename("one", "two")); // target exists
        QVERIFY(!store.rename("none", "three"));
        QCOMPARE(entries(m_folder), QStringList({"one.bin", "two.bin"}));
        // Single dots are ordinary, a leading one too: hidden, but still listed.
        QVERIFY(store.rename("one", "Spray."));
        QVERIFY(store.rename("two", ".burst"));
        QCOMPARE(store.names(), QStringList({".burst.bin", "Spray..bin"}));
        QCOMPARE(readFile(file("Spray.")), QByteArray("1"));
        QCOMPARE(readFile(file(".burst")), QByteArray("2"));
        QVERIFY(store.remove("Spray."));
        QVERIFY(!store.remove("Spray."));
    }

    // Names from QML that reach outside the macro folder are refused by every slot and touch
    // nothing: one row per check of the name.
    void unsafeNamesTouchNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("parent, existing file") << QStringLiteral("../setting/apConfig");
        QTest::newRow("parent, new file") << QStringLiteral("../escaped");
        QTest::newRow("slash") << QStringLiteral("sub/inner");
        QTest::newRow("nul") << QString::fromLatin1("out\0side", 8);
        QTest::newRow("dot dot") << QStringLiteral("..");
    }
    void unsafeNamesTouchNothing()
    {
        QFETCH(QString, name);
        const QString apConfig = QStringLiteral("./modules/setting/apConfig.bin");
        const QString inner = m_viewFolder + "/sub/inner.bin";
        const QString exported = m_tmp.filePath("exported.bin");
        QVERIFY(QDir().mkpath(m_viewFolder + "/sub"));
        writeFile(inner, "[config]\ntotal=0\n");
        const QByteArray before = readFile(apConfig);
        QVERIFY(!before.isEmpty());
        myQQuickView view;
        const QString inside = view.createMacroIni().toString();
        const QStringList folder = entries(m_viewFolder);

        QVERIFY(!view.deleteMacroIni(name).toBool());
        QVERIFY(!view.saveMacroIni(name, {"x"}).toBool());
        view.setMacroIniConfig(name, {1, 1});
        view.renameMacroIniFile(name, QStringLiteral("moved"));
        view.renameMacroIniFile(inside, name);
        QCOMPARE(view.loadMacroIni(name), QStringList());
        QCOMPARE(view.loadMacroIniConfig(name), QVariantList());
        m_dialogs->nextFile(exported);
        view.saveMacroIniToFile(name);

        QCOMPARE(readFile(apConfig), before);
        QCOMPARE(readFile(inner), QByteArray("[config]\ntotal=0\n"));
        QCOMPARE(entries(m_viewFolder), folder);
        QVERIFY(!QFile::exists(QStringLiteral("./modules/escaped.bin")));
        QVERIFY(!QFile::exists(exported));
        QVERIFY(m_dialogs->shown().isEmpty());
        QVERIFY(view.deleteMacroIni(inside).toBool());
        QVERIFY(QDir(m_viewFolder + "/sub").removeRecursively());
    }

    void importCopiesUnderItsName()
    {
        const QString source = m_tmp.filePath("My Macro.bin");
        writeFile(source, "[config]\ntotal=1\n[macro]\n0=A    [Down]\n");
        const MacroStore store(m_folder);
        QCOMPARE(store.importFile(source), QStringLiteral("My Macro"));
        QCOMPARE(readFile(file("My Macro")), readFile(source));
        // Importing again replaces the copy; importing the copy itself keeps it.
        writeFile(source, "[config]\ntotal=0\n");
        QCOMPARE(store.importFile(source), QStringLiteral("My Macro"));
        QCOMPARE(store.importFile(file("My Macro")), QStringLiteral("My Macro"));
        QCOMPARE(readFile(file("My Macro")), QByteArray("[config]\ntotal=0\n"));
        // Without the suffix the last four characters still go; single dots stay.
        const QString plain = m_tmp.filePath("abcdefg");
        writeFile(plain, "x");
        QCOMPARE(store.importFile(plain), QStringLiteral("abc"));
        QCOMPARE(readFile(file("abc")), QByteArray("x"));
        const QString dotted = m_tmp.filePath("Spray..bin");
        writeFile(dotted, "y");
        QCOMPARE(store.importFile(dotted), QStringLiteral("Spray."));
        QCOMPARE(readFile(file("Spray.")), QByteArray("y"));
    }

    // Through the view: a picked file that is no macro file, or whose name makes no macro name,
    // is refused with a box and nothing changes (the other file checks are the profile
    // import's, see tst_profile); a macro of the same name is replaced only when the user
    // agrees.
    void viewImportRefusesOrAsks_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("existing"); // a macro of that name holds "old" before
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("box"); // title of the box shown, if any
        QTest::addColumn<bool>("imported");
        const QString in = QStringLiteral("tst_macrostore in.bin");
        const QByteArray macro("[config]\ntotal=0\n");
        QTest::newRow("macro file") << in << macro << false << true << "" << true;
        QTest::newRow("INI without config")
            << in << QByteArray("[General]\na=1\n") << false << true << "Import Failed" << false;
        QTest::newRow("dot dot name")
            << "...bin" << macro << false << true << "Import Failed" << false;
        QTest::newRow("same name, kept")
            << in << macro << true << false << "Replace Macro" << false;
        QTest::newRow("same name, replaced")
            << in << macro << true << true << "Replace Macro" << true;
    }
    void viewImportRefusesOrAsks()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(bool, existing);
        QFETCH(bool, answer);
        QFETCH(QString, box);
        QFETCH(bool, imported);
        const QString source = m_tmp.filePath(fileName);
        writeFile(source, content);
        const QString target = m_viewFolder + QStringLiteral("/tst_macrostore in.bin");
        QVERIFY(QDir().mkpath(m_viewFolder));
        if (existing)
            writeFile(target, "old");
        const QStringList before = entries(m_viewFolder);
        myQQuickView view;
        view.getGlobalStrings(QStringLiteral("031000"));
        m_dialogs->nextFile(source);
        m_dialogs->nextAnswer(answer);
        QCOMPARE(view.loadMacroIniFromFile().toString(),
                 imported ? QStringLiteral("tst_macrostore in") : QString());
        QCOMPARE(m_dialogs->shown().size(), box.isEmpty() ? 0 : 1);
        QCOMPARE(m_dialogs->shown().value(0).value(0), box);
        QCOMPARE(readFile(target), imported ? content : existing ? "old" : QByteArray());
        if (!imported)
            QCOMPARE(entries(m_viewFolder), before);
        QFile::remove(target);
        QFile::remove(source);
    }

    // Export through the file dialog replaces the whole target; cancelled, or of a missing
    // macro, it writes nothing, and a failed one says so (its failures are the profile
    // export's, see tst_profile).
    void viewExport()
    {
        myQQuickView view;
        view.getGlobalStrings(QStringLiteral("031000"));
        const QString name = view.createMacroIni().toString();
        QVERIFY(view.saveMacroIni(name, {"A    [Down]", "A      [Up]"}).toBool());
        const QString exported = m_tmp.filePath("tst_macrostore export.bin");
        writeFile(exported, QByteArray(4096, 'o'));
        m_dialogs->nextFile(exported);
        view.saveMacroIniToFile(name);
        QCOMPARE(readFile(exported), readFile(m_viewFolder + "/" + name + ".bin"));
        m_dialogs->nextFile(QString());
        view.saveMacroIniToFile(name);
        const QString path = m_tmp.filePath("no/such/x.bin");
        m_dialogs->nextFile(path);
        view.saveMacroIniToFile(name);
        QCOMPARE(m_dialogs->shown(),
                 QList<QStringList>({{"Export Failed", "The file could not be saved: " + path}}));
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(view.deleteMacroIni(name).toBool());
        m_dialogs->nextFile(m_tmp.filePath("unused.bin"));
        view.saveMacroIniToFile(name);
        QVERIFY(!QFile::exists(m_tmp.filePath("unused.bin")));
    }
};

QTEST_MAIN(tst_MacroStore)
#include "tst_macrostore.moc"
