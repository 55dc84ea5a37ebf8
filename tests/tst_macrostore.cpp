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
    QString m_folder;
    ScriptedDialogs *m_dialogs = nullptr;

    static void writeFile(const QString &path, const QByteArray &content)
    {
        QVERIFY(FileBackup::write(path, content));
    }
    static QByteArray readFile(const QString &path) { return FileBackup::read(path); }
    QStringList folderEntries() const
    {
        return QDir(m_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
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
        m_folder = m_tmp.filePath(QStringLiteral("macro"));
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
        QSettings ini(file("Macro. 004"), QSettings::IniFormat);
        QCOMPARE(ini.value("config/index").toInt(), -1);
        QCOMPARE(ini.value("config/total").toInt(), 0);
        QCOMPARE(ini.value("config/did").toInt(), -1);
        QCOMPARE(store.config("Macro. 004", 1), (QVariantList{-1, 1}));
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
        QVERIFY(!QFile::exists(file(QStringLiteral("missing"))));
    }

    void damagedScripts_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("script");
        QTest::newRow("missing lines read as zero")
            << QByteArray("[config]\ntotal=3\n[macro]\n0=A    [Down]\n")
            << QStringList{"A    [Down]", "0", "0"};
        // A claimed line count must not make the program build a list of that size.
        QTest::newRow("huge total is cut") << QByteArray("[config]\ntotal=2000000000\n")
                                           << QStringList(MacroStore::kMaxLines, "0");
    }
    void damagedScripts()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, script);
        QVERIFY(QDir().mkpath(m_folder));
        writeFile(file("damaged"), content);
        QCOMPARE(MacroStore(m_folder).script("damaged"), script);
    }

    // The bound index belongs to the device that set it; the repeat count to every device.
    void config()
    {
        const MacroStore store(m_folder);
        const QString name = store.create();
        QVERIFY(store.setConfig(name, {3, 300}, 1));
        QCOMPARE(store.config(name, 1), (QVariantList{3, 300}));
        QCOMPARE(store.config(name, 0), (QVariantList{-1, 300}));
        QCOMPARE(store.repeat(name), 300u);
        QCOMPARE(store.boundIndex(name), 3);
        // A list too short to hold both values changes nothing.
        QVERIFY(!store.setConfig(name, {5}, 0));
        QCOMPARE(store.config(name, 1), (QVariantList{3, 300}));
        QVERIFY(!store.setConfig("missing", {1, 1}, 1));
        QVERIFY(!QFile::exists(file("missing")));
        writeFile(file("bare"), "[config]\n");
        QCOMPARE(store.config("bare", 1), (QVariantList{-1, 1}));
        QCOMPARE(store.config("missing", 1), QVariantList());
    }

    void renameAndDelete()
    {
        QVERIFY(QDir().mkpath(m_folder));
        const MacroStore store(m_folder);
        writeFile(file("one"), "1");
        writeFile(file("two"), "2");
        QVERIFY(!store.rename("one", "two")); // target exists
        QVERIFY(!store.rename("none", "three"));
        QCOMPARE(folderEntries(), QStringList({"one.bin", "two.bin"}));
        QVERIFY(store.rename("one", "three"));
        QCOMPARE(readFile(file("three")), QByteArray("1"));
        QCOMPARE(readFile(file("two")), QByteArray("2"));
        QVERIFY(!QFile::exists(file("one")));
        QVERIFY(store.remove("three"));
        QVERIFY(!store.remove("three"));
    }

    void unsafeNamesTouchNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("parent") << QStringLiteral("../outside");
        QTest::newRow("slash") << QStringLiteral("sub/inner");
        QTest::newRow("absolute") << m_tmp.filePath("outside");
        QTest::newRow("backslash") << QStringLiteral("..\\outside");
        QTest::newRow("nul") << QString::fromLatin1("out\0side", 8);
        QTest::newRow("dot dot") << QStringLiteral("..");
        QTest::newRow("dot dot inside") << QStringLiteral("a..b");
    }
    void unsafeNamesTouchNothing()
    {
        QFETCH(QString, name);
        const QString outside = m_tmp.filePath("outside.bin");
        writeFile(outside, "[config]\ntotal=1\nindex=2\ndid=1\n[macro]\n0=keep\n");
        QVERIFY(QDir().mkpath(m_folder + "/sub"));
        writeFile(m_folder + "/sub/inner.bin", "[config]\ntotal=0\n");
        writeFile(file("inside"), "[config]\ntotal=0\n");
        const QByteArray before = readFile(outside);
        const QStringList entries = folderEntries();

        const MacroStore store(m_folder);
        QVERIFY(!store.path(name));
        QVERIFY(!store.exists(name));
        QVERIFY(!store.remove(name));
        QVERIFY(!store.rename(name, "moved"));
        QVERIFY(!store.rename("inside", name));
        QCOMPARE(store.script(name), QStringList());
        QVERIFY(!store.saveScript(name, {"x"}));
        QCOMPARE(store.config(name, 1), QVariantList());
        QVERIFY(!store.setConfig(name, {1, 1}, 1));
        QVERIFY(!store.exportFile(name, m_tmp.filePath("exported.bin")));

        QCOMPARE(readFile(outside), before);
        QVERIFY(QFile::exists(m_folder + "/sub/inner.bin"));
        QCOMPARE(folderEntries(), entries);
        QVERIFY(!QFile::exists(m_tmp.filePath("exported.bin")));
        QVERIFY(!QFile::exists(m_tmp.filePath("moved.bin")));
    }

    // Single dots are ordinary: such macros can be renamed to, listed, edited and imported.
    void dottedNamesAreOrdinary_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("trailing dot") << QStringLiteral("Spray.");
        QTest::newRow("dot inside") << QStringLiteral("a.b");
        QTest::newRow("leading dot") << QStringLiteral(".burst");
    }
    void dottedNamesAreOrdinary()
    {
        QFETCH(QString, name);
        const MacroStore store(m_folder);
        QVERIFY(store.rename(store.create(), name));
        QCOMPARE(store.names(), QStringList{name + ".bin"});
        QVERIFY(store.saveScript(name, {"A    [Down]"}));
        QCOMPARE(store.script(name), QStringList{"A    [Down]"});
        QVERIFY(store.setConfig(name, {2, 4}, 1));
        QCOMPARE(store.config(name, 1), (QVariantList{2, 4}));
        QVERIFY(store.remove(name));
        const QString source = m_tmp.filePath(name + ".bin");
        writeFile(source, "[config]\ntotal=0\n");
        QCOMPARE(store.importFile(source), name);
        QCOMPARE(readFile(file(name)), QByteArray("[config]\ntotal=0\n"));
        QFile::remove(source);
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
        // Without the suffix the last four characters still go.
        const QString plain = m_tmp.filePath("abcdefg");
        writeFile(plain, "x");
        QCOMPARE(store.importFile(plain), QStringLiteral("abc"));
        QCOMPARE(readFile(file("abc")), QByteArray("x"));
    }

    // Refused sources, and copies that fail, leave the macro folder (and "Keep") as it was.
    void importRefusals_data()
    {
        QTest::addColumn<QString>("fileName"); // made in the temporary folder unless "missing"
        QTest::addColumn<QString>("kind");
        QTest::newRow("only suffix") << ".bin"
                                     << "file";
        QTest::newRow("dot dot name") << "...bin"
                                      << "file";
        QTest::newRow("backslash") << "..\\x.bin"
                                   << "file";
        QTest::newRow("short") << "ab"
                               << "file";
        QTest::newRow("missing source") << "nowhere/Keep.bin"
                                        << "missing";
        QTest::newRow("folder as source") << "dirsource/Keep.bin"
                                          << "folder";
    }
    void importRefusals()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, kind);
        QVERIFY(QDir().mkpath(m_folder));
        writeFile(file("Keep"), "old");
        const QString source = m_tmp.filePath(fileName);
        if (kind == "file")
            writeFile(source, "data");
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(source));
        QCOMPARE(MacroStore(m_folder).importFile(source), QString());
        QCOMPARE(folderEntries(), QStringList{"Keep.bin"});
        QCOMPARE(readFile(file("Keep")), QByteArray("old"));
        QFile::remove(source);
    }

    void exportCopiesAndReplaces()
    {
        QVERIFY(QDir().mkpath(m_folder));
        writeFile(file("Out"), "macro bytes");
        const QString target = m_tmp.filePath("exported.bin");
        writeFile(target, "older and longer content");
        const MacroStore store(m_folder);
        QVERIFY(store.exportFile("Out", target));
        QCOMPARE(readFile(target), QByteArray("macro bytes"));
        QVERIFY(!store.exportFile("Missing", target));
        QCOMPARE(readFile(target), QByteArray("macro bytes"));
        QVERIFY(!store.exportFile("Out", m_tmp.filePath("no/such/dir/x.bin")));
        QVERIFY(!QDir(m_tmp.filePath("no")).exists());
        QFile::remove(target);
    }

    // Through the view: a picked file that is no macro file is refused with a box and nothing
    // changes (the file checks are the profile import's, see tst_profile); a macro of the same
    // name is replaced only when the user agrees.
    void viewImportRefusesOrAsks_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("existing"); // a macro of that name holds "old" before
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("box"); // title of the box shown, if any
        QTest::addColumn<bool>("imported");
        const QByteArray macro("[config]\ntotal=0\n");
        QTest::newRow("macro file") << macro << false << true << "" << true;
        QTest::newRow("not INI") << QByteArray("root:x:0:0:root:/root:/bin/bash\n") << false << true
                                 << "Import Failed" << false;
        QTest::newRow("INI without config")
            << QByteArray("[General]\na=1\n") << false << true << "Import Failed" << false;
        QTest::newRow("same name, kept") << macro << true << false << "Replace Macro" << false;
        QTest::newRow("same name, replaced") << macro << true << true << "Replace Macro" << true;
    }
    void viewImportRefusesOrAsks()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, existing);
        QFETCH(bool, answer);
        QFETCH(QString, box);
        QFETCH(bool, imported);
        const QString source = m_tmp.filePath("tst_macrostore in.bin");
        writeFile(source, content);
        const QString target = QStringLiteral("./modules/macro/tst_macrostore in.bin");
        QVERIFY(QDir().mkpath(QStringLiteral("./modules/macro")));
        if (existing)
            writeFile(target, "old");
        const QStringList before = QDir(QStringLiteral("./modules/macro")).entryList();
        myQQuickView view;
        view.getGlobalStrings(QStringLiteral("031000"));
        m_dialogs->nextFile(source);
        m_dialogs->nextAnswer(answer);
        const QString result = view.loadMacroIniFromFile().toString();
        QCOMPARE(result, imported ? QStringLiteral("tst_macrostore in") : QString());
        QCOMPARE(m_dialogs->shown().size(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty()) {
            QCOMPARE(m_dialogs->shown()[0][0], box);
            QVERIFY(m_dialogs->shown()[0][1].contains(
                box == "Import Failed" ? source : "tst_macrostore in"));
        }
        if (imported)
            QCOMPARE(readFile(target), content);
        else if (existing)
            QCOMPARE(readFile(target), QByteArray("old"));
        else
            QCOMPARE(QDir(QStringLiteral("./modules/macro")).entryList(), before);
        QFile::remove(target);
    }

    // A failed export says so (its failures are the profile export's, see tst_profile).
    void viewExportFailureSaysSo()
    {
        const QString path = m_tmp.filePath("no/such/x.bin");
        myQQuickView view;
        view.getGlobalStrings(QStringLiteral("031000"));
        const QString name = view.createMacroIni().toString();
        m_dialogs->nextFile(path);
        view.saveMacroIniToFile(name);
        QVERIFY(view.deleteMacroIni(name).toBool());
        QCOMPARE(m_dialogs->shown(),
                 QList<QStringList>({{"Export Failed", "The file could not be saved: " + path}}));
        QVERIFY(!QFileInfo::exists(path));
    }

    // The slots on the data folder's macro folder (the page's own use of them is tst_ui_macro's):
    // export through the file dialog, and names that reach outside the folder.
    void viewSlots()
    {
        myQQuickView view;
        const QString name = view.createMacroIni().toString();
        QVERIFY(view.saveMacroIni(name, {"A    [Down]", "A      [Up]"}).toBool());
        const QString exported = m_tmp.filePath("tst_macrostore export.bin");
        m_dialogs->nextFile(exported);
        view.saveMacroIniToFile(name);
        QCOMPARE(readFile(exported), readFile("./modules/macro/" + name + ".bin"));
        // Cancelled, or of a missing macro, it writes nothing.
        m_dialogs->nextFile(QString());
        view.saveMacroIniToFile(name);
        m_dialogs->nextFile(m_tmp.filePath("unused.bin"));
        view.saveMacroIniToFile(QStringLiteral("tst_macrostore missing"));
        QVERIFY(!QFile::exists(m_tmp.filePath("unused.bin")));
        QVERIFY(view.deleteMacroIni(name).toBool());

        // Names reaching outside the macro folder are refused and touch nothing.
        const QString apConfig = QStringLiteral("./modules/setting/apConfig.bin");
        const QByteArray before = readFile(apConfig);
        QVERIFY(!before.isEmpty());
        const QString escape = QStringLiteral("../setting/apConfig");
        QVERIFY(!view.deleteMacroIni(escape).toBool());
        QVERIFY(!view.saveMacroIni(escape, {"x"}).toBool());
        view.setMacroIniConfig(escape, {1, 1});
        view.renameMacroIniFile(escape, QStringLiteral("tst_macrostore stolen"));
        QCOMPARE(view.loadMacroIni(escape), QStringList());
        QCOMPARE(view.loadMacroIniConfig(escape), QVariantList());
        QCOMPARE(readFile(apConfig), before);
        QVERIFY(!QFile::exists("./modules/macro/tst_macrostore stolen.bin"));
        QVERIFY(m_dialogs->shown().isEmpty());
    }
};

QTEST_MAIN(tst_MacroStore)
#include "tst_macrostore.moc"
