#include "bridge/KeyNameMap.h"
#include "bridge/MacroEncoder.h"
#include "bridge/myQQuickView.h"
#include "support/SimRig.h"

#include <QtTest>

// Macro Script lines to the byte stream the devices store.
class tst_MacroEncoder : public QObject
{
    Q_OBJECT

    static QString down(const QString &key) { return key + QStringLiteral("    [Down]"); }
    static QString up(const QString &key) { return key + QStringLiteral("      [Up]"); }
    static QString pause(const QString &ms) { return ms + QStringLiteral("   [Delay]"); }
    static QString pause(int ms) { return pause(QString::number(ms)); }

    static QByteArray bytes(const QList<uchar> &stream)
    {
        QByteArray out;
        for (uchar b : stream)
            out.append(char(b));
        return out;
    }

private slots:
    void encode_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("expected");

        const QString A = QStringLiteral("A");
        auto row = [](const char *name, int kind, const QStringList &lines, const char *hex) {
            QTest::newRow(name) << kind << lines << QByteArray::fromHex(hex);
        };
        row("empty script", 1, {}, "00010000");
        row("mouse A down up", 1, {down(A), up(A)}, "0001010481040000");
        row("mouse 50 folds into down", 1, {down(A), pause(50), up(A)}, "0001050481040000");
        row("mouse first line pause is long", 1, {pause(50)}, "0001000100030000");
        row("mouse 2000 short form", 1, {down(A), pause(2000)}, "0001010464010000");
        row("mouse 6000 long form", 1, {down(A), pause(6000)}, "000101040001012c0000");
        row("mouse second of two pauses is long", 1, {down(A), pause(100), pause(100)},
            "00010a04000100050000");
        row("keyboard 1000", 0, {pause(1000)}, "00017f0000640000");
        row("keyboard keys and pause", 0, {down(A), pause(50), up(A)}, "000101047f00000581040000");

        // Boundaries of the mouse forms.
        row("mouse 1270 folds to 127", 1, {down(A), pause(1270)}, "00017f040000");
        row("mouse 1271 is short", 1, {down(A), pause(1271)}, "0001010440010000");
        row("mouse 5100 is short", 1, {down(A), pause(5100)}, "00010104ff010000");
        row("mouse 5101 is long", 1, {down(A), pause(5101)}, "00010104000100ff0000");
        row("mouse 10 folds to one step", 1, {down(A), pause(10), up(A), pause(20)},
            "0001010482040000");
        row("mouse 14 rounds down, 15 up", 1, {down(A), pause(14), up(A), pause(15)},
            "0001010482040000");
        row("mouse 5 counts as 10", 1, {up(A), pause(5)}, "000181040000");
        row("mouse first line 10 is one step", 1, {pause(10)}, "0001000100010000");
        row("mouse 65535 long form", 1, {down(A), pause(65535)}, "0001010400010ccd0000");
        row("keyboard 65535", 0, {pause(65535)}, "00017f0019990000");
        row("keyboard 5 is no step", 0, {pause(5)}, "00017f0000000000");
        row("mouse pause after short pause", 1, {down(A), pause(2000), pause(2000)},
            "00010104640164010000");

        // Lines that cannot be encoded are skipped.
        row("non-numeric pause", 1, {down(A), pause(QStringLiteral("abc")), up(A)},
            "0001010481040000");
        row("zero pause", 0, {pause(0)}, "00010000");
        row("negative pause", 1, {down(A), pause(-50)}, "000101040000");
        row("unknown key", 1, {down(QStringLiteral("Foo")), up(QStringLiteral("a")), down(A)},
            "000101040000");
        row("empty key name", 1, {down(QString())}, "00010000");
        row("line shorter than ten", 1, {QStringLiteral("[Down]"), QStringLiteral("A [Up]")},
            "00010000");
        row("unknown command", 1, {A + QStringLiteral("   [Press]")}, "00010000");
        row("other device kind skips pauses", 2, {down(A), pause(100)}, "000101040000");
        row("key names with spaces", 1, {down(QStringLiteral("KP 7 ")), up(QStringLiteral("\\ |"))},
            "0001015f81310000");
        row("mouse buttons", 1, {down(QStringLiteral("MS-L")), up(QStringLiteral("MS-L"))},
            "000101f081f00000");

        // A skipped line before a pause: the pause after a skipped Delay line is long, as after
        // any Delay line; a pause never lands in a unit that is not a key.
        row("pause after skipped pause", 1, {down(A), pause(0), pause(50)}, "00010104000100030000");
        row("pause after skipped key folds into last key", 1,
            {down(A), up(QStringLiteral("Foo")), pause(50)}, "000105040000");
        row("pause after skipped key behind a long pause", 1,
            {down(A), pause(6000), up(QStringLiteral("Foo")), pause(50)},
            "000101040001012c000100030000");
        row("pause after skipped first key", 1, {down(QStringLiteral("Foo")), pause(50)},
            "0001000100030000");
        row("pause after skipped key behind a short pause", 1,
            {down(A), pause(2000), up(QStringLiteral("Foo")), pause(50)},
            "000101046401000100030000");
        // Pauses beyond the 16-bit field saturate rather than wrap.
        row("keyboard huge pause", 0, {pause(700000)}, "00017f00ffff0000");
        row("mouse huge pause", 1, {down(A), pause(2000000)}, "000101040001ffff0000");
    }
    void encode()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, expected);
        KeyNameMap keys;
        keys.build();
        QCOMPARE(bytes(MacroEncoder(keys, kind).encode(lines)).toHex(), expected.toHex());
    }

    // The view encodes for the device the transport talks to.
    void viewUsesCurrentDeviceKind()
    {
        SimRig rig;
        myQQuickView view;
        view.setTransport(&rig.hid());
        const QStringList lines{pause(1000)};
        QCOMPARE(bytes(view.macroIncode(lines)).toHex(), QByteArray("0001000100320000"));
        QVERIFY(rig.select(SimRig::Keyboard));
        QCOMPARE(bytes(view.macroIncode(lines)).toHex(), QByteArray("00017f0000640000"));
    }
};

QTEST_MAIN(tst_MacroEncoder)
#include "tst_macroencoder.moc"
