#include "bridge/KeyNameMap.h"
#include "bridge/myQQuickView.h"
#include "support/SimRig.h"

#include <QSet>
#include <QtTest>

// Key names of a Macro Script and their device codes; key definitions read from the profile.
class tst_KeyNames : public QObject
{
    Q_OBJECT

private:
    static KeyNameMap built()
    {
        KeyNameMap map;
        map.build();
        return map;
    }
    static QStringList texts(const QVariantList &list)
    {
        QStringList out;
        for (const QVariant &v : list)
            out << v.toString();
        return out;
    }

private slots:
    void lookup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("code");
        QTest::newRow("A") << "A" << 0x04;
        QTest::newRow("Z") << "Z" << 0x1D;
        QTest::newRow("1") << "1" << 0x1E;
        QTest::newRow("0") << "0" << 0x27;
        QTest::newRow("backslash") << "\\ |" << 0x31;
        QTest::newRow("quote") << "' \"" << 0x34;
        QTest::newRow("Caps") << "Caps" << 0x39;
        QTest::newRow("right arrow") << QStringLiteral("\u25BA") << 0x4F;
        QTest::newRow("left arrow") << QStringLiteral("\u25C4") << 0x50;
        QTest::newRow("down arrow") << QStringLiteral("\u25BC") << 0x51;
        QTest::newRow("up arrow") << QStringLiteral("\u25B2") << 0x52;
        QTest::newRow("KP 7 with space") << "KP 7 " << 0x5F;
        QTest::newRow("KP =") << "KP =" << 0x67;
        QTest::newRow("F24") << "F24" << 0x73;
        QTest::newRow("Keypad") << "Keypad" << 0x85;
        QTest::newRow("Intl'2") << "Intl'2" << 0x88;
        QTest::newRow("Int'l 2") << "Int'l 2" << 0x89;
        QTest::newRow("Lang 2") << "Lang 2" << 0x91;
        QTest::newRow("R Win") << "R Win" << 0xE7;
        QTest::newRow("MS-L") << "MS-L" << 0xF0;
        QTest::newRow("MS-B5") << "MS-B5" << 0xF4;
        // Unknown names give 0.
        QTest::newRow("KP 7 without space") << "KP 7" << 0;
        QTest::newRow("lower case") << "a" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("Int'l 3 does not exist") << "Int'l 3" << 0;
    }
    void lookup()
    {
        QFETCH(QString, name);
        QFETCH(int, code);
        const KeyNameMap map = built();
        QCOMPARE(int(map.code(name)), code);
        QCOMPARE(map.contains(name), code != 0);
    }

    void everyCodeExactlyOnce()
    {
        QSet<int> expected;
        auto range = [&](int first, int last) {
            for (int c = first; c <= last; ++c)
                expected.insert(c);
        };
        range(0x04, 0x31);
        range(0x33, 0x73);
        range(0x85, 0x85);
        range(0x87, 0x8B);
        range(0x90, 0x91);
        range(0xE0, 0xE7);
        range(0xF0, 0xF4);
        QCOMPARE(expected.size(), 132);

        const KeyNameMap map = built();
        QCOMPARE(map.size(), 132);
        QSet<int> codes;
        QSet<QString> names;
        int previous = -1;
        for (const auto &[name, code] : map.entries()) {
            QVERIFY2(!codes.contains(code), qPrintable(QString::number(code, 16)));
            QVERIFY2(!names.contains(name), qPrintable(name));
            QVERIFY(int(code) > previous); // built in code order
            previous = code;
            codes.insert(code);
            names.insert(name);
            QCOMPARE(map.code(name), code);
        }
        QCOMPARE(codes, expected);
    }

    void rebuildDoesNotDuplicate()
    {
        KeyNameMap map = built();
        map.build();
        QCOMPARE(map.size(), 132);
    }

    void builtWithTheView()
    {
        myQQuickView view;
        QCOMPARE(view.keyNames().size(), 132);
        QCOMPARE(int(view.keyNames().code(QStringLiteral("MS-R"))), 0xF1);
    }

    void keyDefinitionOfCurrentDevice()
    {
        SimRig rig;
        myQQuickView view;
        view.setTransport(&rig.hid());
        QSettings &profile = view.currentProfile();
        const QString mouseKey = QStringLiteral("keydefine_V7/3");
        const QString keyboardKey = QStringLiteral("keydefine/3");
        const QVariant oldMouse = profile.value(mouseKey);
        const QVariant oldKeyboard = profile.value(keyboardKey);
        profile.setValue(mouseKey, QVariantList{1, 0, 240, 0});
        profile.setValue(keyboardKey, QVariantList{0, 2, 4, 0});
        profile.remove(QStringLiteral("keydefine_V7/20"));
        profile.sync();

        QCOMPARE(rig.hid().currentDevice(), 1u);
        QCOMPARE(texts(view.getKeydefine(3)), (QStringList{"1", "0", "240", "0"}));
        QCOMPARE(view.getKeydefine(20), QVariantList());

        QVERIFY(rig.select(SimRig::Keyboard));
        QCOMPARE(texts(view.getKeydefine(3)), (QStringList{"0", "2", "4", "0"}));

        auto restore = [&](const QString &key, const QVariant &old) {
            if (old.isValid())
                profile.setValue(key, old);
            else
                profile.remove(key);
        };
        restore(mouseKey, oldMouse);
        restore(keyboardKey, oldKeyboard);
        profile.sync();
    }

    void noTransportNoDefinition()
    {
        myQQuickView view;
        QCOMPARE(view.getKeydefine(3), QVariantList());
    }
};

QTEST_MAIN(tst_KeyNames)
#include "tst_keynames.moc"
