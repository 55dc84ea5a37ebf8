#include "bridge/RecoilStore.h"
#include "bridge/myQQuickView.h"
#include "support/SimRig.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// Weapon records per game, fire-key selections, and sending the chosen weapon to the mouse.
class tst_Recoil : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_folder;

    static QByteArray readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeFile(const QString &path, const QByteArray &content)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    static QVariantList record(int i)
    {
        return {QStringLiteral("Weapon %1").arg(i), i, 1, 5 + i, 20, 1, 0};
    }
    // A game file with the given records.
    void writeGame(const QString &game, const QList<int> &records)
    {
        QSettings ini(m_folder + "/gunData" + game + ".bin", QSettings::IniFormat);
        for (int i : records)
            ini.setValue("gunData/" + QString::number(i), record(i));
    }
    static QStringList texts(const QVariantList &list)
    {
        QStringList out;
        for (const QVariant &v : list)
            out << v.toString();
        return out;
    }
    QStringList entries() const
    {
        return QDir(m_folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

private slots:
    void initTestCase() { QVERIFY(m_tmp.isValid()); }
    void init()
    {
        m_folder = m_tmp.filePath("gun");
        QDir(m_folder).removeRecursively();
        QVERIFY(QDir().mkpath(m_folder));
    }

    void completeGameHas84Entries()
    {
        QList<int> all;
        for (int i = 0; i < 12; ++i)
            all << i;
        writeGame("1", all);
        const QVariantList data = RecoilStore(m_folder).gunData(1);
        QCOMPARE(data.size(), 84);
        for (int i = 0; i < 12; ++i)
            QCOMPARE(texts(data.mid(7 * i, 7)), texts(record(i)));
    }

    void missingRecordShiftsLaterWeapons()
    {
        QList<int> some;
        for (int i = 0; i < 12; ++i)
            if (i != 5)
                some << i;
        writeGame("1", some);
        const QVariantList data = RecoilStore(m_folder).gunData(1);
        QCOMPARE(data.size(), 77);
        QCOMPARE(texts(data.mid(28, 7)), texts(record(4)));
        QCOMPARE(texts(data.mid(35, 7)), texts(record(6)));
        QCOMPARE(texts(data.mid(70, 7)), texts(record(11)));
    }

    void missingGameIsEmpty()
    {
        QCOMPARE(RecoilStore(m_folder).gunData(3), QVariantList());
        QVERIFY(!RecoilStore(m_folder).saveGunData(3, QVariantList(84, 0)));
        QVERIFY(entries().isEmpty());
    }

    void gameNumberForms_data()
    {
        QTest::addColumn<QVariant>("gameNo");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("int") << QVariant(2) << true;
        QTest::newRow("uint") << QVariant(2u) << true;
        QTest::newRow("whole double") << QVariant(2.0) << true;
        QTest::newRow("digits") << QVariant(QStringLiteral("2")) << true;
        QTest::newRow("negative") << QVariant(-1) << false;
        QTest::newRow("negative text") << QVariant(QStringLiteral("-1")) << false;
        QTest::newRow("fraction") << QVariant(1.5) << false;
        QTest::newRow("path") << QVariant(QStringLiteral("../setting/p1")) << false;
        QTest::newRow("slash") << QVariant(QStringLiteral("2/x")) << false;
        QTest::newRow("trailing text") << QVariant(QStringLiteral("2x")) << false;
        QTest::newRow("empty") << QVariant(QString()) << false;
        QTest::newRow("invalid") << QVariant() << false;
        QTest::newRow("bool") << QVariant(true) << false;
    }
    void gameNumberForms()
    {
        QFETCH(QVariant, gameNo);
        QFETCH(bool, accepted);
        writeGame("2", {0});
        writeFile(m_folder + "/gunData-1.bin", "[gunData]\n0=keep\n");
        const QByteArray before = readFile(m_folder + "/gunData2.bin");
        const QStringList files = entries();
        const RecoilStore store(m_folder);

        QCOMPARE(store.gameFile(gameNo).has_value(), accepted);
        QCOMPARE(store.gunData(gameNo).size(), accepted ? 7 : 0);
        QVariantList data;
        for (int i = 0; i < 12; ++i)
            data += record(11 - i);
        QCOMPARE(store.saveGunData(gameNo, data), accepted);
        QCOMPARE(entries(), files);
        QCOMPARE(readFile(m_folder + "/gunData-1.bin"), QByteArray("[gunData]\n0=keep\n"));
        if (!accepted)
            QCOMPARE(readFile(m_folder + "/gunData2.bin"), before);
    }

    void saveWritesTwelveRecords()
    {
        writeGame("0", {0});
        QVariantList data;
        for (int i = 0; i < 12; ++i)
            data += record(20 + i);
        data += QVariantList{"beyond", 1, 2}; // ignored
        QVERIFY(RecoilStore(m_folder).saveGunData(0, data));
        const QVariantList back = RecoilStore(m_folder).gunData(0);
        QCOMPARE(back.size(), 84);
        QCOMPARE(texts(back), texts(data.mid(0, 84)));
    }

    // A short list replaces only the whole records it holds and reads nothing past its end.
    void shortListWritesWholeRecordsOnly()
    {
        QList<int> all;
        for (int i = 0; i < 12; ++i)
            all << i;
        writeGame("0", all);
        const RecoilStore store(m_folder);
        QVariantList data = record(40) + record(41);
        data += QVariantList{"partial", 1, 2};
        QVERIFY(store.saveGunData(0, data));
        const QVariantList back = store.gunData(0);
        QCOMPARE(back.size(), 84);
        QCOMPARE(texts(back.mid(0, 7)), texts(record(40)));
        QCOMPARE(texts(back.mid(7, 7)), texts(record(41)));
        QCOMPARE(texts(back.mid(14, 7)), texts(record(2)));
        QVERIFY(!store.saveGunData(0, QVariantList{"a", 1}));
        QVERIFY(!store.saveGunData(0, {}));
        QCOMPARE(texts(store.gunData(0).mid(14)), texts(back.mid(14)));
    }

    void selections()
    {
        const RecoilStore store(m_folder);
        QCOMPARE(store.selection(2), QVariantList());
        QVERIFY(!store.saveSelection(2, {0, 4, 3, 10}));
        QVERIFY(!QFile::exists(store.selectionFile()));

        writeFile(store.selectionFile(), "[gunData]\n0=1, 2, 3, 10\n");
        QVERIFY(store.saveSelection(2, {0, 4, 3, 10}));
        QCOMPARE(texts(store.selection(2)), (QStringList{"0", "4", "3", "10"}));
        QCOMPARE(texts(store.selection(0)), (QStringList{"1", "2", "3", "10"}));
        QCOMPARE(store.selection(1), QVariantList());
        QCOMPARE(texts(store.selection(2.0)), (QStringList{"0", "4", "3", "10"}));

        // Only the three fire keys exist.
        const QByteArray before = readFile(store.selectionFile());
        for (const QVariant &k : {QVariant(3), QVariant(-1), QVariant(QStringLiteral("x")),
                                  QVariant(QStringLiteral("../1"))}) {
            QVERIFY(!store.saveSelection(k, {9, 9, 9, 99}));
            QCOMPARE(store.selection(k), QVariantList());
        }
        QCOMPARE(readFile(store.selectionFile()), before);
    }

    // The files that ship: three games of twelve sensible weapons, three selections.
    void shippedFiles()
    {
        myQQuickView view;
        for (int game = 0; game < 3; ++game) {
            const QVariantList data = view.getGundata(game);
            QCOMPARE(data.size(), 84);
            QSet<QString> names;
            for (int i = 0; i < 12; ++i) {
                const QString name = data[7 * i].toString();
                QVERIFY(!name.isEmpty());
                QVERIFY(!names.contains(name));
                names.insert(name);
                for (int f = 1; f < 7; ++f) {
                    bool ok = false;
                    const int v = data[7 * i + f].toString().toInt(&ok);
                    QVERIFY(ok);
                    QVERIFY(v >= 0 && v <= 255);
                }
                QCOMPARE(data[7 * i + 1].toInt(), i);
                QVERIFY(data[7 * i + 5].toInt() <= 1 && data[7 * i + 6].toInt() <= 1);
            }
        }
        QCOMPARE(view.getGundata(3), QVariantList());
        for (int k = 0; k < 3; ++k) {
            const QVariantList sel = view.getSelGundata(k);
            QCOMPARE(sel.size(), 4);
            QVERIFY(sel[0].toInt() < 3);
            QVERIFY(sel[1].toInt() < 12);
            QVERIFY(sel[3].toInt() >= 10);
        }
    }

    void viewSavesSelectionInShippedFile()
    {
        const QString path = QStringLiteral("./modules/gun/selGunData.bin");
        const QByteArray before = readFile(path);
        QVERIFY(!before.isEmpty());
        myQQuickView view;
        view.saveSelGundata(2, {0, 4, 3, 10});
        QCOMPARE(texts(view.getSelGundata(2)), (QStringList{"0", "4", "3", "10"}));
        view.saveGundata(QStringLiteral("../setting/apConfig"), QVariantList(84, 1));
        writeFile(path, before);
    }

    void pressGun_data()
    {
        QTest::addColumn<QByteArray>("options"); // o0..o3 read back from the mouse
        QTest::addColumn<QByteArray>("args");    // x, y, times, enable, cursorBack, fireKey
        QTest::addColumn<QByteArray>("sent03");  // parameter bytes 1..4
        QTest::addColumn<QByteArray>("sent04");  // parameter bytes 1..5
        QTest::newRow("enable, y negated")
            << QByteArray::fromHex("11220120") << QByteArray::fromHex("050c03010002")
            << QByteArray::fromHex("11220128") << QByteArray::fromHex("000305f402");
        QTest::newRow("o2 zero keeps y")
            << QByteArray::fromHex("11220020") << QByteArray::fromHex("050c03010002")
            << QByteArray::fromHex("11220028") << QByteArray::fromHex("0003050c02");
        QTest::newRow("disable clears bit 3")
            << QByteArray::fromHex("aabb00ff") << QByteArray::fromHex("020a07000100")
            << QByteArray::fromHex("aabb00f7") << QByteArray::fromHex("0107020a00");
        QTest::newRow("y 0 negated stays 0")
            << QByteArray::fromHex("00000508") << QByteArray::fromHex("0000010101ff")
            << QByteArray::fromHex("00000508") << QByteArray::fromHex("01010000ff");
    }
    void pressGun()
    {
        QFETCH(QByteArray, options);
        QFETCH(QByteArray, args);
        QFETCH(QByteArray, sent03);
        QFETCH(QByteArray, sent04);
        auto u = [](const QByteArray &b, int i) { return uchar(b[i]); };

        SimRig rig;
        myQQuickView view;
        view.setTransport(&rig.hid());
        rig.hid().hid_03H_SetKeyboardoption(u(options, 0), u(options, 1), u(options, 2),
                                            u(options, 3));
        QVERIFY(rig.waitIdle());
        rig.mouse().clearReceived();

        view.v7_0CH_SetPressGun(u(args, 0), u(args, 1), u(args, 2), u(args, 3), u(args, 4),
                                u(args, 5));
        QVERIFY(rig.waitIdle());

        QList<uchar> order;
        for (const auto &block : rig.mouse().received())
            order << block[0];
        QCOMPARE(order, (QList<uchar>{0x83, 0x03, 0x04}));
        QCOMPARE(rig.mouse().parameters(0x03).left(4), sent03);
        QCOMPARE(rig.mouse().parameters(0x04).left(5), sent04);
    }

    void pressGunSendsNothingWithoutTheOptionBytes()
    {
        SimRig rig;
        myQQuickView view;
        view.setTransport(&rig.hid());
        rig.hid().hid_03H_SetKeyboardoption(0x11, 0x22, 0x01, 0x20);
        QVERIFY(rig.waitIdle());
        rig.mouse().setFault(EmulatedDevice::Fault::Stalled, true);
        rig.mouse().clearReceived();
        view.v7_0CH_SetPressGun(5, 12, 3, 1, 0, 2);
        QVERIFY(rig.waitIdle());
        QCOMPARE(rig.mouse().received().size(), 1); // the 83H read only
        QCOMPARE(rig.mouse().parameters(0x03).left(4), QByteArray::fromHex("11220120"));
    }
};

QTEST_MAIN(tst_Recoil)
#include "tst_recoil.moc"
