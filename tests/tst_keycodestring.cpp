// The scene's key tables against the native key name map: a name the two spell differently makes
// recorded macro lines vanish when the macro is encoded.
#include "bridge/KeyNameMap.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

#include <memory>

class tst_KeyCodeString : public QObject
{
    Q_OBJECT

    QQmlEngine m_engine;
    std::unique_ptr<QObject> m_keys;
    KeyNameMap m_native;

    QVariant call(const char *function, const QVariant &argument)
    {
        QVariant result;
        QMetaObject::invokeMethod(m_keys.get(), function, Q_RETURN_ARG(QVariant, result),
                                  Q_ARG(QVariant, argument));
        return result;
    }

    static bool isMouse(uchar code) { return code >= 0xF0 && code <= 0xF4; }

private slots:
    void initTestCase()
    {
        QQmlComponent component(&m_engine,
                                QUrl(QStringLiteral("qrc:/modules/qml/basic/KeyCodeString.qml")));
        m_keys.reset(component.create());
        QVERIFY2(m_keys, qPrintable(component.errorString()));
        m_native.build();
    }

    // Every code both ways: the keyboard table holds exactly the native keyboard names, the
    // mouse table exactly the five button names.
    void everyCodeBothWays()
    {
        QHash<int, QString> keyboard, mouse;
        for (const KeyNameMap::Entry &e : m_native.entries())
            (isMouse(e.second) ? mouse : keyboard).insert(e.second, e.first);
        QCOMPARE(keyboard.size(), 127);
        QCOMPARE(mouse.size(), 5);

        for (int code = 0; code < 256; ++code) {
            const QString key = keyboard.value(code);
            const QString button = mouse.value(code);
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
    }

    void namesThatAreNotKeys_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("no trailing space") << QStringLiteral("KP 7");
        QTest::newRow("lower case") << QStringLiteral("a");
        QTest::newRow("object member") << QStringLiteral("toString");
        QTest::newRow("empty") << QString();
    }
    void namesThatAreNotKeys()
    {
        QFETCH(QString, name);
        QCOMPARE(call("strTokeycode", name).toInt(), 0);
        QCOMPARE(call("strTomousecode", name).toInt(), 0);
    }
};

QTEST_MAIN(tst_KeyCodeString)
#include "tst_keycodestring.moc"
