// The device-setting bridge against the emulated devices: what each slot keeps in the current
// profile, what it sends, and what the getters read back.
#include "bridge/DeviceBytes.h"
#include "bridge/myQQuickView.h"
#include "platform/Dialogs.h"
#include "support/FileBackup.h"
#include "support/SimRig.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QtTest>

#include <memory>

class tst_Bridge : public QObject
{
    Q_OBJECT

    FileBackup m_settingBackup{QStringLiteral("./modules/setting")};
    FileBackup m_gunBackup{QStringLiteral("./modules/gun")};
    std::unique_ptr<SimRig> m_rig;
    std::unique_ptr<myQQuickView> m_view;

    myQQuickView &view() { return *m_view; }
    SimRig &rig() { return *m_rig; }

    // Command codes the device received since the last clear, in order.
    static QList<int> codes(EmulatedDevice &d)
    {
        QList<int> out;
        for (const auto &block : d.received())
            out << block[0];
        return out;
    }
    void settle() { QVERIFY(rig().waitIdle()); }
    // Only once no transfer runs: a Set still on the pool would reach the device afterwards.
    void clearTraffic()
    {
        settle();
        rig().mouse().clearReceived();
        rig().keyboard().clearReceived();
        rig().recorder().clear();
    }
    void selectKeyboard()
    {
        QVERIFY(rig().select(SimRig::Keyboard));
        clearTraffic();
    }
    // The current profile as a fresh handle reads it from disk.
    QVariant stored(const QString &key)
    {
        view().currentProfile().sync();
        return QSettings(view().currentProfile().fileName(), QSettings::IniFormat).value(key);
    }
    static QVariantList numbers(int count, int first = 1)
    {
        QVariantList out;
        for (int i = 0; i < count; ++i)
            out << first + i;
        return out;
    }

private slots:
    void initTestCase() { Dialogs::setInstance(std::make_unique<ScriptedDialogs>(false)); }
    void init()
    {
        m_settingBackup.restore();
        m_gunBackup.restore();
        for (int n = 1; n <= 10; ++n)
            QFile::remove(QStringLiteral("./modules/setting/p%1.bin").arg(n));
        if (!m_rig)
            m_rig = std::make_unique<SimRig>();
        rig().mouse().resetFactory();
        rig().keyboard().resetFactory();
        rig().sim().plug("mouse");
        rig().hid().replaceDeviceTable(SimRig::deviceTable());
        QVERIFY(rig().select(SimRig::Mouse));
        if (!rig().hid().isListening())
            rig().listen(SimRig::Mouse);
        m_view = std::make_unique<myQQuickView>();
        view().setTransport(&rig().hid());
        clearTraffic();
    }
    void cleanup()
    {
        settle();
        m_view.reset();
    }
    void cleanupTestCase()
    {
        m_rig.reset();
        m_settingBackup.restore();
        m_gunBackup.restore();
    }

    void profileSwitchOnTheMouseSendsNothing()
    {
        view().ui_02H_SetCurrentProfile(3);
        view().ui_0BH_SetCurrentDPIStage(4);
        view().ui_11H_SetDPISet(8, {9, 0x13}, {1000, 2000});
        settle();
        QCOMPARE(codes(rig().mouse()), QList<int>({0x0B, 0x11}));
        QVERIFY(view().currentProfile().fileName().endsWith("/p4.bin"));
        QCOMPARE(stored("sensor/stage_V7").toInt(), 4);
        QCOMPARE(stored("sensor/dpi_V7").toStringList(), QStringList({"1000", "2000"}));
        QVERIFY(!QFile::exists("./modules/setting/p1.bin"));
    }

    void reportRateIsKeptOnlyForTheMouse_data()
    {
        QTest::addColumn<int>("device");
        QTest::newRow("mouse") << int(SimRig::Mouse);
        QTest::newRow("keyboard") << int(SimRig::Keyboard);
    }
    void reportRateIsKeptOnlyForTheMouse()
    {
        QFETCH(int, device);
        QVERIFY(rig().select(SimRig::Device(device)));
        clearTraffic();
        view().ui_01H_SetReportRate(4);
        settle();
        EmulatedDevice &d = rig().device(SimRig::Device(device));
        QCOMPARE(codes(d), QList<int>({0x01}));
        QCOMPARE(d.parameters(0x01).at(0), char(4));
        QCOMPARE(stored("sensor/reportRate_V7"),
                 device == SimRig::Mouse ? QVariant("4") : QVariant());
        // The mouse's rate comes back from the profile, the keyboard's from the device.
        clearTraffic();
        QCOMPARE(view().ui_81H_GetReportRate(), QVariant(4));
        QCOMPARE(rig().recorder().featureOuts().size(), device == SimRig::Mouse ? 0 : 1);
    }

    void userPictureWithOption255IsOnlyStored()
    {
        selectKeyboard();
        const QVariantList picture = numbers(512, 0);
        view().ui_12H_SetUserPicture(0, 255, picture);
        settle();
        QVERIFY(rig().recorder().commandCalls().isEmpty());
        QCOMPARE(view().ui_92H_GetUserPicture(0), picture);
        view().ui_12H_SetUserPicture(1, 3, picture);
        settle();
        QCOMPARE(codes(rig().keyboard()), QList<int>({0x12}));
        QByteArray expected;
        for (int i = 0; i < 512; ++i)
            expected.append(char(i & 0xFF));
        QCOMPARE(rig().keyboard().storedData(0x12, 1), expected);
    }

    void weaponLayers_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("byte3"); // button 13 in layers 1 to 4
        QTest::newRow("three-weapon loop") << 6 << QList<int>({0, 2, 3, 1});
        QTest::newRow("two-weapon loop") << 5 << QList<int>({0, 2, 1, 0});
        QTest::newRow("loop switch") << 4 << QList<int>({1, 0, 0, 0});
        QTest::newRow("other") << 9 << QList<int>({9, 9, 9, 9});
    }
    void weaponLayers()
    {
        QFETCH(int, mode);
        QFETCH(QList<int>, byte3);
        view().saveSelGundata(0, {0, 4, 3, 10});
        view().saveSelGundata(1, {1, 2, 5, 20});
        view().saveSelGundata(2, {2, 7, 9, 300});
        QVariantList table = numbers(64, 0x20);
        table[0] = 1, table[1] = 0, table[2] = 0xF0, table[3] = 0;
        table[52] = 8, table[53] = 0, table[54] = 1, table[55] = mode;
        view().ui_12H_SetKeyMatrix(table);
        settle();
        QCOMPARE(codes(rig().mouse()), QList<int>({0x12, 0x12, 0x12, 0x12}));
        const auto hex = [](const char *h) { return QByteArray::fromHex(h); };
        const QByteArray l1 = rig().mouse().storedData(0x12, 1);
        QCOMPARE(l1.size(), 64);
        QCOMPARE(l1.mid(0, 4), hex("0100f000"));
        QCOMPARE(l1.mid(52, 4), hex("080001") + char(byte3[0]));
        const QList<QByteArray> buttons0 = {hex("0b000a03"), hex("0b011405"), hex("0b022c09")};
        for (int l = 0; l < 3; ++l) {
            const QByteArray layer = rig().mouse().storedData(0x12, l + 2);
            QCOMPARE(layer.mid(0, 4), buttons0[l]);
            QCOMPARE(layer.mid(52, 4), hex("080001") + char(byte3[l + 1]));
            QCOMPARE(layer.mid(4, 48), l1.mid(4, 48));
        }
        QCOMPARE(stored("keydefine_V7/13").toStringList(),
                 QStringList({"8", "0", "1", QString::number(mode)}));
    }

    void missingSelectionCountsAsZeros()
    {
        QVariantList table(64, 0);
        table[4] = 8, table[7] = 6;
        const auto k = DeviceBytes::keyLayers(table, {QVariantList{}, QVariantList{1}, {}});
        QVERIFY(k.weaponLayers);
        for (const char *layer : {"0b000000", "0b010000", "0b020000"})
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(k.layers[layer[3] - '0'].data()), 4),
                     QByteArray::fromHex(layer));
        // A short table sends zeros for the buttons it lacks.
        const auto shortTable = DeviceBytes::keyLayers({8, 0, 1, 4}, {});
        QCOMPARE(int(shortTable.base[3]), 1);
        QCOMPARE(int(shortTable.base[63]), 0);
    }

    // Reads the options and the rate, writes the options back with only the swap bit changed;
    // after a failed read nothing is written, and the profile keeps the choice all the same.
    void scrollSwapKeepsTheOtherOptions_data()
    {
        QTest::addColumn<bool>("swap");
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("stalled");
        QTest::addColumn<QList<int>>("sent");
        QTest::addColumn<int>("after");
        QTest::newRow("on") << true << 0x05 << false << QList<int>{0x83, 0x81, 0x03} << 0x45;
        QTest::newRow("off") << false << 0x45 << false << QList<int>{0x83, 0x81, 0x03} << 0x05;
        QTest::newRow("failed read") << true << 0x05 << true << QList<int>{0x83} << 0x05;
    }
    void scrollSwapKeepsTheOtherOptions()
    {
        QFETCH(bool, swap);
        QFETCH(int, before);
        QFETCH(bool, stalled);
        QFETCH(QList<int>, sent);
        QFETCH(int, after);
        rig().hid().hid_01H_SetReportRate(4);
        rig().hid().hid_03H_SetFunctionOption(3, 4, uchar(before), 0x07);
        clearTraffic();
        rig().mouse().setFault(EmulatedDevice::Fault::Stalled, stalled);
        view().setScrollPinSwap(swap);
        settle();
        rig().mouse().setFault(EmulatedDevice::Fault::Stalled, false);
        QCOMPARE(codes(rig().mouse()), sent);
        QCOMPARE(rig().mouse().parameters(0x03).left(4),
                 QByteArray::fromHex("0304") + char(after) + char(0x07));
        QCOMPARE(view().getScrollPinSwap(), swap);
    }

    // Every keyboard setting goes out in order, a repeated profile switch only once; the getters
    // read the device back (the on/off bytes wrap), and only the LED type, colours and key table
    // are kept, in the profile switched to.
    void keyboardSettingsRoundTrip()
    {
        selectKeyboard();
        const QVariantList onOff = numbers(21, 0xF0); // 0xF0..0x104: the last ones wrap
        view().ui_02H_SetCurrentProfile(4);
        settle();
        view().ui_02H_SetCurrentProfile(4);
        view().ui_03H_SetKeyboardoption(1, 2, 3, 4);
        view().ui_04H_SetButtonSensitivity(5, 6, 7, 8, 9);
        view().ui_07H_SetControlIndicatorLight(10, 11);
        view().ui_09H_SetKeyboardMode(3);
        view().ui_0EH_SetKeyOnOff(onOff);
        view().ui_08H_SetLEDType(9, 1, 2, 3, 4, 5);
        view().ui_14H_SetColor(6, 10, 20, 30);
        view().ui_0DH_SetKeyMatrix(numbers(512, 1000));
        settle();
        QCOMPARE(codes(rig().keyboard()),
                 QList<int>({0x02, 0x03, 0x04, 0x07, 0x09, 0x0E, 0x08, 0x14, 0x0D}));
        QCOMPARE(rig().keyboard().parameters(0x02).at(0), char(4));
        QCOMPARE(rig().keyboard().parameters(0x04).left(5), QByteArray::fromHex("0506070809"));
        QCOMPARE(rig().keyboard().parameters(0x07).left(2), QByteArray::fromHex("0a0b"));
        QCOMPARE(rig().keyboard().storedData(0x0D).at(1), char(1001 & 0xFF));
        QCOMPARE(view().currentProfileIndex(), 4);
        view().currentProfile().sync();
        QVERIFY(!QFile::exists("./modules/setting/p1.bin"));
        QSettings p5(view().currentProfile().fileName(), QSettings::IniFormat);
        QCOMPARE(p5.childGroups(), QStringList({"color", "keydefine"}));
        QCOMPARE(p5.value("keydefine/125").toStringList(),
                 QStringList({"1500", "1501", "1502", "1503"}));
        p5.beginGroup("color");
        QCOMPARE(p5.childKeys(), QStringList({"6", "ledType"}));

        QCOMPARE(view().ui_83H_GetKeyboardoption(), QVariantList({1, 2, 3, 4}));
        QCOMPARE(view().ui_84H_GetButtonSensitivity(), QVariantList({5, 6, 7, 8}));
        QCOMPARE(view().ui_89H_GetKeyboardMode(), QVariant(3));
        QCOMPARE(view().ui_82H_GetCurrentProfile(), QVariant(4));
        QCOMPARE(view().ui_88H_GetLEDType(), QVariantList({1, 2, 3, 4, 5}));
        QCOMPARE(view().ui_94H_GetColor(6), QVariantList({10, 20, 30}));
        QVariantList onOffBytes;
        for (const QVariant &v : onOff)
            onOffBytes << (v.toInt() & 0xFF);
        QCOMPARE(view().ui_8EH_GetKeyOnOff(), onOffBytes);
        const QVariantList matrix = view().ui_8DH_GetKeyMatrix();
        QCOMPARE(matrix.size(), 512);
        QCOMPARE(matrix.value(300), QVariant(1300 & 0xFF));
        QCOMPARE(matrix.value(300).typeId(), QMetaType::Int);
    }

    // The button table and stage count read back from the mouse; the DPI list and effect from
    // the profile, as strings and unsigned numbers; without the mouse the stage count falls
    // back to 8 and the logo LED and sensor read as off.
    void mouseSettingsRoundTrip()
    {
        view().ui_12H_SetKeyMatrix(numbers(64, 0x40));
        view().ui_11H_SetDPISet(4, {5, 7}, {600, 800, 1000});
        view().ui_0DH_SetRGBLedEffect(2, 10, 2, {"2", "7", "7"});
        settle();
        QCOMPARE(view().ui_92H_GetKeyMatrix(), numbers(64, 0x40));
        QCOMPARE(int(view().ui_91H_SyncDPI()), 4);
        QCOMPARE(view().ui_80H_GetFWVersion(), QStringLiteral("1.05"));
        view().currentProfile().sync();
        myQQuickView fresh;
        QCOMPARE(fresh.ui_91H_GetDPISet(), QVariantList({"600", "800", "1000"}));
        QCOMPARE(fresh.ui_8DH_GetRGBLedEffect(), QVariantList({2u, 7u, 7u}));
        QCOMPARE(fresh.ui_8DH_GetRGBLedEffect().at(0).typeId(), QMetaType::UInt);
        QCOMPARE(fresh.ui_8BH_GetCurrentDPIStage(), QVariant(0));
        rig().sim().unplug("mouse");
        QCOMPARE(int(view().ui_91H_SyncDPI()), 8);
        QCOMPARE(view().chkIsLogoLedWork(), false);
        QCOMPARE(view().getSensorType(), QVariant(0));
    }

    void syncCopiesTheKeyboardPictures()
    {
        view().syncFW();
        QVERIFY(rig().recorder().commandCalls().isEmpty()); // the mouse has no pictures
        QVERIFY(rig().select(SimRig::Keyboard));
        for (int n = 0; n < 5; ++n)
            view().ui_12H_SetUserPicture(uchar(n), 1, QVariantList(512, 10 + n));
        settle();
        view().ui_02H_SetCurrentProfile(5);
        view().syncFW();
        for (int n = 0; n < 5; ++n)
            QCOMPARE(view().ui_92H_GetUserPicture(uchar(n)), QVariantList(512, 10 + n));
        // A keyboard that does not answer leaves the stored pictures alone.
        rig().keyboard().setFault(EmulatedDevice::Fault::Stalled, true);
        view().syncFW();
        rig().keyboard().setFault(EmulatedDevice::Fault::Stalled, false);
        for (int n = 0; n < 5; ++n)
            QCOMPARE(view().ui_92H_GetUserPicture(uchar(n)), QVariantList(512, 10 + n));
    }

    // The caution before a risky change: a warning titled and worded from message strings 4
    // and 5 whose default, Enter included, is Cancel.
    void safetyQuestion_data()
    {
        QTest::addColumn<int>("key"); // 0: click OK
        QTest::addColumn<bool>("result");
        QTest::newRow("ok") << 0 << true;
        QTest::newRow("enter") << int(Qt::Key_Return) << false;
    }
    void safetyQuestion()
    {
        QFETCH(int, key);
        QFETCH(bool, result);
        view().getGlobalStrings(QStringLiteral("031000"));
        Dialogs::setInstance(std::make_unique<WidgetDialogs>());
        QStringList seen;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            poll.stop();
            seen << box->windowTitle() << box->text() << QString::number(int(box->icon()))
                 << QString::number(int(box->standardButtons()))
                 << QString::number(int(box->standardButton(box->defaultButton())));
            if (key == 0)
                box->button(QMessageBox::Ok)->click();
            else
                QTest::keyClick(box, Qt::Key(key));
        });
        poll.start();
        const bool answer = view().getMsgAns_FoolProofing();
        Dialogs::setInstance(std::make_unique<ScriptedDialogs>(false));
        QCOMPARE(answer, result);
        QCOMPARE(seen, QStringList({QStringLiteral("Confirm Change"), view().messageString(5),
                                    QString::number(int(QMessageBox::Warning)),
                                    QString::number(int(QMessageBox::Ok | QMessageBox::Cancel)),
                                    QString::number(int(QMessageBox::Cancel))}));
    }
};

QTEST_MAIN(tst_Bridge)
#include "tst_bridge.moc"
