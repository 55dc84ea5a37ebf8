#include "bridge/i18n/LanguageFile.h"
#include "bridge/myQQuickView.h"
#include "platform/Dialogs.h"
#include "support/FileBackup.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// Language Files: the shipped ones in the data folder's ./modules/i18n, and files a test adds
// there (removed again in cleanup()).
class tst_Language : public QObject
{
    Q_OBJECT

private slots:

    void initTestCase()
    {
        QVERIFY2(QFile::exists(QStringLiteral("./modules/i18n/lang_031000.ini")),
                 "run in a data folder");
        m_view = std::make_unique<myQQuickView>();
    }
    void init()
    {
        auto dialogs = std::make_unique<ScriptedDialogs>(false);
        m_dialogs = dialogs.get();
        Dialogs::setInstance(std::move(dialogs));
    }
    void cleanup()
    {
        for (const QString &path : std::as_const(m_added))
            QFile::remove(path);
        m_added.clear();
    }
    void languageMapListsFilesByDisplayName()
    {
        for (const char *code : {"025208", "031225"})
            writeLanguage(code, {{QStringLiteral("font/family"), QStringLiteral("x")}});
        // Not a language: no six-digit code after "lang_".
        const QString stray = QStringLiteral("./modules/i18n/lang_notes.ini");
        m_added.append(stray);
        QFile(stray).open(QIODevice::WriteOnly);

        QCOMPARE(m_view->chkLanguages(), (QVariantMap{{"CHINESE (Simp)", "025044"},
                                                      {"CHINESE (Trad)", "025208"},
                                                      {"ENGLISH", "031000"},
                                                      {"ENGLISH (UNITED STATES)", "031225"}}));
    }
    void displayNames_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        // The names of the language map's own codes are checked there. Qt 4.8 renamed Kurundi to
        // Rundi and went on after Shambala (214) up to Yangben (234).
        const std::pair<const char *, const char *> rows[] = {
            {"042082", "GERMAN (GERMANY)"},
            {"025097", "CHINESE (HONG KONG)"},
            {"068000", "RUNDI"},
            {"215000", "BODO"},
            {"234000", "YANGBEN"},
            {"037246", "FRENCH (LATIN AMERICA AND THE CARIBBEAN)"},
            {"235247", "UNKNOWN (UNKNOWN)"}};
        for (const auto &[code, name] : rows)
            QTest::newRow(code) << code << name;
    }
    void displayNames()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(LanguageFile::displayName(code), name);
    }
    void globalStringsFollowTotal_data()
    {
        QTest::addColumn<QVariant>("total");
        QTest::addColumn<QStringList>("expected");
        const QStringList three{QStringLiteral("Sans"), QStringLiteral("one"),
                                QStringLiteral("two"), QStringLiteral("three")};
        QTest::newRow("three") << QVariant(3) << three;
        QTest::newRow("zero") << QVariant(0) << QStringList{QStringLiteral("Sans")};
        QTest::newRow("missing total") << QVariant() << QStringList{QStringLiteral("Sans")};
        QTest::newRow("negative") << QVariant(-4) << QStringList{QStringLiteral("Sans")};
        // String 5 is not in the file: it reads as empty.
        QTest::newRow("beyond the strings")
            << QVariant(5) << (three + QStringList{QString(), QString()});
    }
    void globalStringsFollowTotal()
    {
        QFETCH(QVariant, total);
        QFETCH(QStringList, expected);
        QList<std::pair<QString, QVariant>> values{
            {QStringLiteral("font/family"), QStringLiteral("Sans")},
            {QStringLiteral("strings/1"), QStringLiteral("one")},
            {QStringLiteral("strings/2"), QStringLiteral("two")},
            {QStringLiteral("strings/3"), QStringLiteral("three")}};
        if (total.isValid())
            values.append({QStringLiteral("font/total"), total});
        writeLanguage(QStringLiteral("900900"), values);
        QCOMPARE(m_view->getGlobalStrings(QStringLiteral("900900")), expected);
    }
    void globalStringsRefillMessageStrings()
    {
        const QSettings english(QStringLiteral("./modules/i18n/lang_031000.ini"),
                                QSettings::IniFormat);
        QCOMPARE(m_view->getGlobalStrings(QStringLiteral("031000")).size(),
                 english.value(QStringLiteral("font/total")).toInt() + 1);
        QCOMPARE(m_view->messageString(2), QStringLiteral("Background Image"));
        // The path follows msg/3 directly, so its trailing blank must survive the file.
        QCOMPARE(m_view->messageString(3), QStringLiteral("The image file cannot be opened: "));
        QVERIFY(m_view->messageString(LanguageFile::messageCount).isEmpty());
        QVERIFY(m_view->messageString(-1).isEmpty());

        // A missing file gives [""] and empties every message.
        QCOMPARE(m_view->getGlobalStrings(QStringLiteral("999999")), QStringList{QString()});
        for (int i = 0; i < LanguageFile::messageCount; ++i)
            QVERIFY(m_view->messageString(i).isEmpty());

        QCOMPARE(m_view->getGlobalStrings(QStringLiteral("025044")).value(107),
                 QStringLiteral("应用"));
        QCOMPARE(m_view->messageString(2), QStringLiteral("背景图片"));
    }
    void layoutStringsAlwaysSixteen_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("first");
        for (const auto &[code, first] : {std::pair{"031000", "Left Button"},
                                          {"025044", "左键"},
                                          {"999999", ""},
                                          {"900901", "only"}})
            QTest::newRow(code) << QString(code) << QString::fromUtf8(first);
    }
    void layoutStringsAlwaysSixteen()
    {
        QFETCH(QString, code);
        QFETCH(QString, first);
        if (code == QLatin1String("900901"))
            writeLanguage(code, {{QStringLiteral("V7_133C6AA/0"), QStringLiteral("only")}});
        const QStringList labels = m_view->getProductLayoutStrings_V7(code);
        QCOMPARE(labels.size(), 16);
        QCOMPARE(labels.first(), first);
    }
    void shippedFilesAreComplete_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("031000") << "031000";
        QTest::newRow("025044") << "025044";
    }
    void shippedFilesAreComplete()
    {
        QFETCH(QString, code);
        QSettings file(LanguageFile::pathFor(code), QSettings::IniFormat);
        // An unquoted comma would turn a text into a list, which reads back as an empty string.
        for (const QString &key : file.allKeys())
            QVERIFY2(file.value(key).typeId() == QMetaType::QString, qPrintable(key));

        const QStringList strings = m_view->getGlobalStrings(code);
        QVERIFY(!strings.value(0).isEmpty());
        for (int i : {100, 101, 102, 103, 104, 105, 107})
            QVERIFY2(!strings.value(i).isEmpty(), qPrintable(QString::number(i)));
        for (int i = 0; i < LanguageFile::messageCount; ++i)
            QVERIFY2(!m_view->messageString(i).isEmpty(), qPrintable(QString::number(i)));

        const QStringList labels = m_view->getProductLayoutStrings_V7(code);
        QCOMPARE(labels.count(QString()), 8);
        for (int i = 0; i < 8; ++i)
            QVERIFY(!labels[i].isEmpty());
    }
    void customFilePath()
    {
        m_view->getGlobalStrings(QStringLiteral("031000"));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString readable = dir.filePath(QStringLiteral("back.png"));
        QVERIFY(FileBackup::write(readable, "\x89PNG"));
        const QString missing = dir.filePath(QStringLiteral("gone.png"));

        m_dialogs->nextFile(QString());
        QCOMPARE(m_view->getCustomFilePath(), QString());
        m_dialogs->nextFile(readable);
        QCOMPARE(m_view->getCustomFilePath(), readable);
        QVERIFY(m_dialogs->shown().isEmpty());

        m_dialogs->nextFile(missing);
        QCOMPARE(m_view->getCustomFilePath(), QString());
        QCOMPARE(m_dialogs->shown().size(), 1);
        QCOMPARE(m_dialogs->shown().first(),
                 (QStringList{QStringLiteral("Background Image"),
                              QStringLiteral("The image file cannot be opened: ") + missing}));
    }

private:
    std::unique_ptr<myQQuickView> m_view;
    ScriptedDialogs *m_dialogs = nullptr;
    QStringList m_added;
    void writeLanguage(const QString &code, const QList<std::pair<QString, QVariant>> &values)
    {
        const QString path = LanguageFile::pathFor(code);
        QVERIFY2(!QFile::exists(path), qPrintable(path + " would be overwritten"));
        m_added.append(path);
        QSettings file(path, QSettings::IniFormat);
        for (const auto &[key, value] : values)
            file.setValue(key, value);
    }
};

QTEST_MAIN(tst_Language)
#include "tst_language.moc"
