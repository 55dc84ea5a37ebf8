// Weapon records per game, fire-key selections, and sending the chosen weapon to the mouse.
#include "bridge/RecoilStore.h"
#include "bridge/myQQuickView.h"
#include "support/FileBackup.h"
#include "support/SimRig.h"

#include <QDirIterator>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <numeric>

class tst_Recoil : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_folder;

    static QStringList record(int i)
    {
        return QStringLiteral("Weapon %1,%1,1,%2,20,1,0").arg(i).arg(5 + i).split(',');
    }
    static QStringList records(const QList<int> &numbers)
    {
        QStringList out;
        for (int i : numbers)
            out += record(i);
        return out;
    }
    // A game file holding the records at the given positions.
    void writeGame(const QString &game, const QList<int> &positions)
    {
        QSettings ini(m_folder + "/gunData" + game + ".bin", QSettings::IniFormat);
        for (int i : positions)
            ini.setValue("gunData/" + QString::number(i), record(i));
    }
    static QList<int> range(int first, int count)
    {
        QList<int> out(count);
        std::iota(out.begin(), out.end(), first);
        return out;
    }
    static QStringList texts(const QVariantList &list) { return QVariant(list).toStringList(); }
    // Relative path and content of every file under folder.
    static QMap<QString, QByteArray> snapshot(const QString &folder)
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files.insert(QDir(folder).relativeFilePath(path), FileBackup::read(path));
        }
        return files;
    }

private slots:
    void initTestCase() { QVERIFY(m_tmp.isValid()); }
    void init()
    {
        m_folder = m_tmp.filePath("gun");
        QDir(m_folder).removeRecursively();
        QVERIFY(QDir().mkpath(m_folder));
    }

    // A missing record shortens the list rather than leaving a gap; a missing game is empty.
    void gunData_data()
    {
        QTest::addColumn<QList<int>>("present");
        QList<int> some = range(0, 12);
        some.removeAt(5);
        QTest::newRow("complete") << range(0, 12);
        QTest::newRow("record 5 missing") << some;
        QTest::newRow("no game") << QList<int>();
    }
    void gunData()
    {
        QFETCH(QList<int>, present);
        if (!present.isEmpty())
            writeGame("1", present);
        const RecoilStore store(m_folder);
        QCOMPARE(texts(store.gunData(1)), records(present));
        QCOMPARE(store.saveGunData(1, QVariantList(84, 0)), !present.isEmpty());
        QCOMPARE(QDir(m_folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(),
                 present.isEmpty() ? 0 : 1);
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
        QTest::newRow("trailing text") << QVariant(QStringLiteral("2x")) << false;
        QTest::newRow("empty") << QVariant(QString()) << false;
        QTest::newRow("bool") << QVariant(true) << false;
    }
    void gameNumberForms()
    {
        QFETCH(QVariant, gameNo);
        QFETCH(bool, accepted);
        writeGame("2", {0});
        QVERIFY(FileBackup::write(m_folder + "/gunData-1.bin", "[gunData]\n0=keep\n"));
        const auto before = snapshot(m_folder);
        const RecoilStore store(m_folder);
        QCOMPARE(store.gameFile(gameNo).has_value(), accepted);
        QCOMPARE(store.gunData(gameNo).size(), accepted ? 7 : 0);
        QCOMPARE(store.saveGunData(gameNo, QVariant(records(range(20, 12))).toList()), accepted);
        const auto after = snapshot(m_folder);
        QCOMPARE(after.keys(), before.keys());
        QCOMPARE(after.value("gunData-1.bin"), before.value("gunData-1.bin"));
        QCOMPARE(after.value("gunData2.bin") == before.value("gunData2.bin"), !accepted);
    }

    // Twelve records at most are written, and only whole ones: a partial record would leave a
    // weapon with its fields shifted.
    void saveWritesWholeRecordsOnly()
    {
        const QList<int> all = range(0, 12);
        writeGame("0", all);
        const RecoilStore store(m_folder);
        QVariantList data = QVariant(records({40, 41}) + QStringList{"partial", "1", "2"}).toList();
        QVERIFY(store.saveGunData(0, data));
        QStringList expected = records({40, 41}) + records(all.mid(2));
        QCOMPARE(texts(store.gunData(0)), expected);
        QVERIFY(!store.saveGunData(0, QVariantList{"a", 1}));
        QVERIFY(!store.saveGunData(0, {}));
        QVERIFY(store.saveGunData(0, QVariant(records(range(20, 13))).toList()));
        QCOMPARE(texts(store.gunData(0)), records(range(20, 12)));
    }

    void selections()
    {
        const RecoilStore store(m_folder);
        QCOMPARE(store.selection(2), QVariantList());
        QVERIFY(!store.saveSelection(2, {0, 4, 3, 10}));
        QVERIFY(!QFile::exists(store.selectionFile()));

        QVERIFY(FileBackup::write(store.selectionFile(), "[gunData]\n0=1, 2, 3, 10\n"));
        QVERIFY(store.saveSelection(2, {0, 4, 3, 10}));
        QCOMPARE(texts(store.selection(2.0)), (QStringList{"0", "4", "3", "10"}));
        QCOMPARE(texts(store.selection(0)), (QStringList{"1", "2", "3", "10"}));
        QCOMPARE(store.selection(1), QVariantList());
        // Only the three fire keys exist.
        const QByteArray before = FileBackup::read(store.selectionFile());
        for (const QVariant &k : {QVariant(3), QVariant(-1), QVariant(QStringLiteral("x")),
                                  QVariant(QStringLiteral("../1"))}) {
            QVERIFY(!store.saveSelection(k, {9, 9, 9, 99}));
            QCOMPARE(store.selection(k), QVariantList());
        }
        QCOMPARE(FileBackup::read(store.selectionFile()), before);
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
                names.insert(data[7 * i].toString());
                QCOMPARE(data[7 * i + 1].toInt(), i);
                for (int f = 1; f < 7; ++f) {
                    bool ok = false;
                    const int v = data[7 * i + f].toString().toInt(&ok);
                    QVERIFY(ok && v >= 0 && v <= (f >= 5 ? 1 : 255));
                }
            }
            QVERIFY(names.size() == 12 && !names.contains(QString()));
        }
        for (int k = 0; k < 3; ++k) {
            const QVariantList sel = view.getSelGundata(k);
            QCOMPARE(sel.size(), 4);
            QVERIFY(sel[0].toInt() < 3 && sel[1].toInt() < 12 && sel[3].toInt() >= 10);
        }
    }

    // The view writes the data folder's files; a game name that reaches elsewhere writes
    // nothing anywhere.
    void viewWritesOnlyTheGunFolder()
    {
        const QString data = QDir::currentPath();
        const FileBackup gun(QStringLiteral("./modules/gun"));
        myQQuickView view;
        const auto before = snapshot(data);
        view.saveSelGundata(2, {0, 4, 3, 10});
        QCOMPARE(texts(view.getSelGundata(2)), (QStringList{"0", "4", "3", "10"}));
        for (const QString &game : {QStringLiteral("../setting/apConfig"),
                                    QStringLiteral("../../escaped"), data + "/escaped"})
            view.saveGundata(game, QVariantList(84, 1));
        auto after = snapshot(data);
        QVERIFY(after.value("modules/gun/selGunData.bin") !=
                before.value("modules/gun/selGunData.bin"));
        after.insert("modules/gun/selGunData.bin", before.value("modules/gun/selGunData.bin"));
        QCOMPARE(after.keys(), before.keys());
        QVERIFY(after == before);
        // A game that exists is written.
        view.saveGundata(2, QVariant(records({0, 1})).toList());
        QCOMPARE(texts(view.getGundata(2).mid(0, 14)), records({0, 1}));
    }

    // The option bytes are read back (83H), written with bit 3 of the last as on/off (03H), and
    // the pull sent (04H), y negated when option byte 2 says so. Without the option bytes
    // nothing is written back: zeros would overwrite them.
    void pressGun_data()
    {
        QTest::addColumn<QByteArray>("options"); // o0..o3 on the mouse
        QTest::addColumn<QByteArray>("args");    // x, y, times, enable, cursorBack, fireKey
        QTest::addColumn<bool>("stalled");
        QTest::addColumn<QByteArray>("sent03"); // parameter bytes 1..4
        QTest::addColumn<QByteArray>("sent04"); // parameter bytes 1..5
        const auto row = [](const char *name, const char *o, const char *a, bool stalled,
                            const char *s3, const char *s4) {
            QTest::newRow(name) << QByteArray::fromHex(o) << QByteArray::fromHex(a) << stalled
                                << QByteArray::fromHex(s3) << QByteArray::fromHex(s4);
        };
        row("enable, y negated", "11220120", "050c03010002", false, "11220128", "000305f402");
        row("o2 zero keeps y", "11220020", "050c03010002", false, "11220028", "0003050c02");
        row("disable clears bit 3", "aabb00ff", "020a07000100", false, "aabb00f7", "0107020a00");
        row("options not read", "11220120", "050c03010002", true, "11220120", "0000000000");
    }
    void pressGun()
    {
        QFETCH(QByteArray, options);
        QFETCH(QByteArray, args);
        QFETCH(bool, stalled);
        QFETCH(QByteArray, sent03);
        QFETCH(QByteArray, sent04);
        const auto u = [](const QByteArray &b, int i) { return uchar(b[i]); };
        SimRig rig;
        myQQuickView view;
        view.setTransport(&rig.hid());
        rig.hid().hid_03H_SetKeyboardoption(u(options, 0), u(options, 1), u(options, 2),
                                            u(options, 3));
        QVERIFY(rig.waitIdle());
        rig.mouse().clearReceived();
        rig.mouse().setFault(EmulatedDevice::Fault::Stalled, stalled);
        view.v7_0CH_SetPressGun(u(args, 0), u(args, 1), u(args, 2), u(args, 3), u(args, 4),
                                u(args, 5));
        QVERIFY(rig.waitIdle());
        QList<uchar> order;
        for (const auto &block : rig.mouse().received())
            order << block[0];
        QCOMPARE(order, stalled ? QList<uchar>({0x83}) : QList<uchar>({0x83, 0x03, 0x04}));
        QCOMPARE(rig.mouse().parameters(0x03).left(4), sent03);
        QCOMPARE(rig.mouse().parameters(0x04).left(5), sent04);
    }
};

QTEST_MAIN(tst_Recoil)
#include "tst_recoil.moc"
