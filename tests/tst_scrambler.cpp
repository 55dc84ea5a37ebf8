#include "device/Hid_Thread.h"
#include "device/Scrambler.h"

#include <QRandomGenerator>
#include <QTest>

#include <array>

class TestScrambler : public QObject
{
    Q_OBJECT
private slots:
    void checksum_data();
    void checksum();
    void knownAnswer();
    void roundTripOverRandomBlocksAndCodes();
    void outerCodeBytesNeverMatter();
};

void TestScrambler::checksum_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<int>("expected");
    QTest::newRow("01 02") << QByteArray::fromHex("01020000000000") << 0xFC;
    QTest::newRow("zero") << QByteArray::fromHex("00000000000000") << 0xFF;
    QTest::newRow("0D matrix") << QByteArray::fromHex("0D000008000000") << 0xEA;
    QTest::newRow("wraps") << QByteArray::fromHex("FFFFFFFFFFFFFF") << 0x06;
}

void TestScrambler::checksum()
{
    QFETCH(QByteArray, block);
    QFETCH(int, expected);
    Hid_Thread hid;
    block.append('\x55'); // the checksum byte itself takes no part
    QCOMPARE(int(hid.hidCS(reinterpret_cast<uchar *>(block.data()))), expected);
}

void TestScrambler::knownAnswer()
{
    // Worked out by hand from the four steps with the factory code "573914".
    uint8_t s[8] = {0, '5', '7', '3', '9', '1', '4', 0};
    uint8_t block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    Hid_Thread hid;
    hid.USBDataEncryption(block, s);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(block), 8).toHex(' '),
             QByteArray("76 98 6e 77 ff 45 76 bf"));
    hid.USBDataDecipher(block, s);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(block), 8).toHex(' '),
             QByteArray("01 02 03 04 05 06 07 08"));
}

void TestScrambler::roundTripOverRandomBlocksAndCodes()
{
    QRandomGenerator rng(7);
    int changed = 0;
    for (int i = 0; i < 20000; ++i) {
        std::array<uint8_t, 8> block, s, original;
        for (auto *a : {&block, &s})
            for (auto &b : *a)
                b = uint8_t(rng.generate());
        original = block;
        Scrambler::encrypt(block.data(), s.data());
        changed += block != original;
        Scrambler::decrypt(block.data(), s.data());
        QCOMPARE(block, original);
    }
    QVERIFY(changed > 19900);
}

void TestScrambler::outerCodeBytesNeverMatter()
{
    QRandomGenerator rng(11);
    for (int i = 0; i < 2000; ++i) {
        std::array<uint8_t, 8> s{}, t{}, a{}, b{};
        for (int k = 1; k <= 6; ++k)
            s[k] = t[k] = uint8_t(rng.generate());
        t[0] = uint8_t(rng.generate());
        t[7] = uint8_t(rng.generate());
        for (auto &x : a)
            x = uint8_t(rng.generate());
        b = a;
        Scrambler::encrypt(a.data(), s.data());
        Scrambler::encrypt(b.data(), t.data());
        QCOMPARE(a, b);
    }
}

QTEST_GUILESS_MAIN(TestScrambler)
#include "tst_scrambler.moc"
