// The scene's own key tables against the Macro Script's key names (a name the two spell
// differently makes recorded lines vanish when the macro is encoded), and key definitions read
// from the profile.
#include "bridge/KeyNameMap.h"
#include "bridge/myQQuickView.h"
#include "support/FileBackup.h"
#include "support/SimRig.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

class tst_KeyNames : public QObject
{
    Q_OBJECT

    KeyNameMap m_map;

private slots:
    void initTestCase() { m_map.build(); }

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
        for (const KeyNameMap::Entry &e : m_map.entries()) {
            QCOMPARE(m_map.code(e.first), e.second);
            (e.second >= 0xF0 && e.second <= 0xF4 ? mouse : keyboard).insert(e.second, e.first);
        }
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
