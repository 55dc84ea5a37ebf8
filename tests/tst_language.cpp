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
        auto dialogs = std::make_unique<ScriptedDialogs>(false);
        m_dialogs = dialogs.get();
        Dialogs::setInstance(std::move(dialogs));
        m_view = std::make_unique<myQQuickView>();
    }
    void init() { m_dialogs->clear(); }
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
    // The language map's own codes show there. Qt 4.8 renamed Kurundi to Rundi and went on
    // after Shambala (214) up to Yangben (234); country 246 is its last.
    void displayNames()
    {
        for (const auto &[code, name] : {std::pair{"068000", "RUNDI"},
                                         {"234000", "YANGBEN"},
                                         {"037246", "FRENCH (LATIN AMERICA AND THE CARIBBEAN)"},
                                         {"235247", "UNKNOWN (UNKNOWN)"}})
            QCOMPARE(LanguageFile::displayName(code), QString::fromLatin1(name));
    }
    void globalStringsFollowTotal_data()
    {
        QTest::addColumn<QVariant>("total");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("missing total") << QVariant() << QStringList{"Sans"};
        QTest::newRow("negative") << QVariant(-4) << QStringList{"Sans"};
        // String 4 and 5 are not in the file: they read as empty.
        QTest::newRow("beyond the strings")
            << QVariant(5) << QStringList{"Sans", "one", "two", "three", "", ""};
    }
    void globalStringsFollowTotal()
    {
        QFETCH(QVariant, total);
        QFETCH(QStringList, expected);
        QList<std::pair<QString, QVariant>> values{{"font/family", "Sans"},
                                                   {"strings/1", "one"},
                                                   {"strings/2", "two"},
                                                   {"strings/3", "three"}};
        if (total.isValid())
            values.append({"font/total", total});
        writeLanguage(QStringLiteral("900900"), values);
        QCOMPARE(m_view->getGlobalStrings(QStringLiteral("900900")), expected);
    }
    void globalStringsRefillMessageStrings()
    {
        m_view->getGlobalStrings(QStringLiteral("031000"));
        QVERIFY(m_view->messageString(LanguageFile::messageCount).isEmpty());
        QVERIFY(m_view->messageString(-1).isEmpty());

        // A missing file gives [""] and empties every message.
        QCOMPARE(m_view->getGlobalStrings(QStringLiteral("999999")), QStringList{QString()});
        for (int i = 0; i < LanguageFile::messageCount; ++i)
            QVERIFY(m_view->messageString(i).isEmpty());

        m_view->getGlobalStrings(QStringLiteral("025044"));
        QCOMPARE(m_view->messageString(2), QStringLiteral("背景图片"));
    }
    // Sixteen labels, also from a missing file or one with a single label.
    void layoutStringsAlwaysSixteen()
    {
        QCOMPARE(m_view->getProductLayoutStrings_V7(QStringLiteral("999999")),
                 QStringList(16, QString()));
        writeLanguage(QStringLiteral("900901"), {{QStringLiteral("V7_133C6AA/0"), "only"}});
        QCOMPARE(m_view->getProductLayoutStrings_V7(QStringLiteral("900901")),
                 QStringList{QStringLiteral("only")} + QStringList(15, QString()));
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
        QCOMPARE(labels.size(), 16);
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
        QCOMPARE(m_dialogs->shown(),
                 (QList<QStringList>{
                     {"Background Image", "The image file cannot be opened: " + missing}}));
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
