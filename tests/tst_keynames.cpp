// Key names of a Macro Script and their device codes, the scene's own key tables against them
// (a name the two spell differently makes recorded lines vanish when the macro is encoded), and
// key definitions read from the profile.
#include "bridge/KeyNameMap.h"
#include "bridge/myQQuickView.h"
#include "support/FileBackup.h"
#include "support/SimRig.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QSet>
#include <QtTest>

class tst_KeyNames : public QObject
{
    Q_OBJECT

    KeyNameMap m_map;

private slots:
    void initTestCase() { m_map.build(); }

    void lookup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("code");
        const std::pair<const char *, int> rows[] = {
            {"A", 0x04},       {"Z", 0x1D},      {"1", 0x1E},      {"0", 0x27},
            {"\\ |", 0x31},    {"' \"", 0x34},   {"Caps", 0x39},   {"KP 7 ", 0x5F},
            {"KP =", 0x67},    {"F24", 0x73},    {"Keypad", 0x85}, {"Intl'2", 0x88},
            {"Int'l 2", 0x89}, {"Lang 2", 0x91}, {"R Win", 0xE7},  {"MS-L", 0xF0},
            {"MS-B5", 0xF4},   {"\u25BA", 0x4F}, {"\u25C4", 0x50}, {"\u25BC", 0x51},
            {"\u25B2", 0x52},  {"KP 7", 0},      {"a", 0},         {"", 0},
            {"Int'l 3", 0}};
        for (const auto &[name, code] : rows)
            QTest::addRow("'%s'", name) << QString::fromUtf8(name) << code;
    }
    void lookup()
    {
        QFETCH(QString, name);
        QFETCH(int, code);
        QCOMPARE(int(m_map.code(name)), code);
        QCOMPARE(m_map.contains(name), code != 0);
    }

    // Every key code has exactly one name; building again adds nothing.
    void everyCodeExactlyOnce()
    {
        QSet<int> expected;
        const std::pair<int, int> ranges[] = {{0x04, 0x31}, {0x33, 0x73}, {0x85, 0x85},
                                              {0x87, 0x8B}, {0x90, 0x91}, {0xE0, 0xE7},
                                              {0xF0, 0xF4}};
        for (const auto &[first, last] : ranges)
            for (int c = first; c <= last; ++c)
                expected.insert(c);
        KeyNameMap map = m_map;
        map.build();
        QCOMPARE(map.size(), int(expected.size()));
        QSet<int> codes;
        QSet<QString> names;
        for (const auto &[name, code] : map.entries()) {
            codes.insert(code);
            names.insert(name);
            QCOMPARE(map.code(name), code);
        }
        QCOMPARE(codes, expected);
        QCOMPARE(names.size(), expected.size());
        myQQuickView view;
        QCOMPARE(view.keyNames().size(), int(expected.size()));
    }

    // The scene's tables, every code both ways: the keyboard table holds exactly the native
    // keyboard names, the mouse table exactly the five button names.
    void sceneTablesAgree()
    {
        QQmlEngine engine;
        QQmlComponent component(&engine, QUrl("qrc:/modules/qml/basic/KeyCodeString.qml"));
        std::unique_ptr<QObject> keys(component.create());
        QVERIFY2(keys, qPrintable(component.errorString()));
        const auto call = [&keys](const char *function, const QVariant &argument) {
            QVariant result;
            QMetaObject::invokeMethod(keys.get(), function, Q_RETURN_ARG(QVariant, result),
                                      Q_ARG(QVariant, argument));
            return result;
        };
        QHash<int, QString> keyboard, mouse;
        for (const KeyNameMap::Entry &e : m_map.entries())
            (e.second >= 0xF0 && e.second <= 0xF4 ? mouse : keyboard).insert(e.second, e.first);
        QCOMPARE(mouse.size(), 5);
        for (int code = 0; code < 256; ++code) {
            const QString key = keyboard.value(code), button = mouse.value(code);
            QCOMPARE(call("keycodeTostr", code).toString(), key);
            QCOMPARE(call("mousecodeTostr", code).toString(), button);
            if (!key.isEmpty()) {
                QCOMPARE(call("strTokeycode", key).toInt(), code);
                QCOMPARE(call("strTomousecode", key).toInt(), 0);
            }
            if (!button.isEmpty()) {
                QCOMPARE(call("strTomousecode", button).toInt(), code);
                QCOMPARE(call("strTokeycode", button).toInt(), 0);
            }
        }
        for (const QString &name :
             {QStringLiteral("KP 7"), QStringLiteral("a"), QStringLiteral("toString"), QString()}) {
            QCOMPARE(call("strTokeycode", name).toInt(), 0);
            QCOMPARE(call("strTomousecode", name).toInt(), 0);
        }
    }

    void keyDefinitionOfCurrentDevice()
    {
        // Puts the profiles back however the test ends.
        const FileBackup backup(QStringLiteral("./modules/setting"));
        SimRig rig;
        myQQuickView view;
        QCOMPARE(view.getKeydefine(3), QVariantList()); // no transport yet
        view.setTransport(&rig.hid());
        QSettings &profile = view.currentProfile();
        profile.setValue(QStringLiteral("keydefine_V7/3"), QVariantList{1, 0, 240, 0});
        profile.setValue(QStringLiteral("keydefine/3"), QVariantList{0, 2, 4, 0});
        profile.remove(QStringLiteral("keydefine_V7/20"));
        profile.sync();
        const auto texts = [&view](int button) {
            return QVariant(view.getKeydefine(button)).toStringList();
        };
        QCOMPARE(rig.hid().currentDevice(), 1u);
        QCOMPARE(texts(3), QStringList({"1", "0", "240", "0"}));
        QCOMPARE(view.getKeydefine(20), QVariantList());
        QVERIFY(rig.select(SimRig::Keyboard));
        QCOMPARE(texts(3), QStringList({"0", "2", "4", "0"}));
    }
};

QTEST_MAIN(tst_KeyNames)
#include "tst_keynames.moc"
