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

    std::unique_ptr<FileBackup> m_settingBackup;
    std::unique_ptr<FileBackup> m_gunBackup;
    std::unique_ptr<SimRig> m_rig;
    std::unique_ptr<myQQuickView> m_view;
    ScriptedDialogs *m_dialogs = nullptr;

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
    void clearTraffic()
    {
        settle();
        rig().mouse().clearReceived();
        rig().keyboard().clearReceived();
        rig().recorder().clear();
    }
    // The current profile as a fresh handle reads it from disk.
    QVariant stored(const QString &key)
    {
        view().currentProfile().sync();
        return QSettings(view().currentProfile().fileName(), QSettings::IniFormat).value(key);
    }
    static QByteArray bytes(std::initializer_list<int> list)
    {
        QByteArray out;
        for (int v : list)
            out.append(char(v));
        return out;
    }
    static QVariantList numbers(int count, int first = 1)
    {
        QVariantList out;
        for (int i = 0; i < count; ++i)
            out << first + i;
        return out;
    }

private slots:
    void initTestCase()
    {
        m_settingBackup = std::make_unique<FileBackup>(QStringLiteral("./modules/setting"));
        m_gunBackup = std::make_unique<FileBackup>(QStringLiteral("./modules/gun"));
        auto dialogs = std::make_unique<ScriptedDialogs>(false);
        m_dialogs = dialogs.get();
        Dialogs::setInstance(std::move(dialogs));
    }
    void init()
    {
        m_settingBackup->restore();
        m_gunBackup->restore();
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
        m_dialogs->clear();
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
        m_settingBackup.reset();
        m_gunBackup.reset();
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

    void profileSwitchOnTheKeyboardSendsOnce()
    {
        QVERIFY(rig().select(SimRig::Keyboard));
        clearTraffic();
        view().ui_02H_SetCurrentProfile(2);
        settle();
        view().ui_02H_SetCurrentProfile(2);
        settle();
        QCOMPARE(codes(rig().keyboard()), QList<int>({0x02}));
        QCOMPARE(rig().keyboard().parameters(0x02).at(0), char(2));
        QCOMPARE(view().currentProfileIndex(), 2);
    }

    void reportRateIsKeptOnlyForTheMouse_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<bool>("kept");
        QTest::newRow("mouse") << int(SimRig::Mouse) << true;
        QTest::newRow("keyboard") << int(SimRig::Keyboard) << false;
    }
    void reportRateIsKeptOnlyForTheMouse()
    {
        QFETCH(int, device);
        QFETCH(bool, kept);
        QVERIFY(rig().select(SimRig::Device(device)));
        clearTraffic();
        view().ui_01H_SetReportRate(4);
        settle();
        EmulatedDevice &d = rig().device(SimRig::Device(device));
        QCOMPARE(codes(d), QList<int>({0x01}));
        QCOMPARE(d.parameters(0x01).at(0), char(4));
        QCOMPARE(stored("sensor/reportRate_V7"), kept ? QVariant("4") : QVariant());
    }

    void mouseReportRateComesFromTheProfile()
    {
        QCOMPARE(view().ui_81H_GetReportRate(), QVariant(0));
        view().currentProfile().setValue("sensor/reportRate_V7", 0x108);
        QCOMPARE(view().ui_81H_GetReportRate(), QVariant(8));
        QCOMPARE(rig().recorder().calls().size(), 0);
    }

    void userPictureWithOption255IsOnlyStored()
    {
        QVERIFY(rig().select(SimRig::Keyboard));
        clearTraffic();
        const QVariantList picture = numbers(512, 0);
        view().ui_12H_SetUserPicture(0, 255, picture);
        settle();
        QCOMPARE(rig().recorder().calls().size(), 0);
        QCOMPARE(view().ui_92H_GetUserPicture(0), picture);
        view().ui_12H_SetUserPicture(1, 3, picture);
        settle();
        QCOMPARE(codes(rig().keyboard()), QList<int>({0x12}));
        QByteArray expected;
        for (int i = 0; i < 512; ++i)
            expected.append(char(i & 0xFF));
        QCOMPARE(rig().keyboard().storedData(0x12, 1), expected);
    }

    void stageColourNumbersArePacked()
    {
        const auto packed = DeviceBytes::stageColors(2, numbers(8));
        const QByteArray sent(reinterpret_cast<const char *>(packed.data()), 24);
        QCOMPARE(sent, bytes({0x21, 0x43, 0x65, 0x87, 5, 6, 7, 8, 0, 0, 0, 0,
                              0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0, 0}));

        view().ui_10H_SetLED8StageColor(2, numbers(8));
        settle();
        QCOMPARE(rig().mouse().storedData(0x10, 2), bytes({0x21, 0x43, 0x65, 0x87}));
        QCOMPARE(stored("color_V7/type2").toStringList(),
                 QStringList({"1", "2", "3", "4", "5", "6", "7", "8"}));
    }

    void stageColourTriplesAreSentAsGiven()
    {
        QVariantList list = numbers(24, 200); // 200..223, and two more the array has no room for
        list << 7 << 9;
        view().ui_10H_SetLED8StageColor(1, list);
        settle();
        QByteArray expected;
        for (int i = 0; i < 24; ++i)
            expected.append(char(200 + i));
        QCOMPARE(rig().mouse().storedData(0x10, 1), expected);
        QCOMPARE(stored("color_V7/type1").toList().size(), 26);
        QVariantList back = view().ui_90H_GetLED8StageColor(1);
        QCOMPARE(back.value(0).typeId(), QMetaType::UInt);
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
        const QByteArray l1 = rig().mouse().storedData(0x12, 1);
        QCOMPARE(l1.size(), 64);
        QCOMPARE(l1.mid(0, 4), bytes({1, 0, 0xF0, 0}));
        QCOMPARE(l1.mid(52, 4), bytes({8, 0, 1, byte3[0]}));
        const QList<QByteArray> buttons0 = {bytes({0x0B, 0, 10, 3}), bytes({0x0B, 1, 20, 5}),
                                            bytes({0x0B, 2, 300 & 0xFF, 9})};
        for (int l = 0; l < 3; ++l) {
            const QByteArray layer = rig().mouse().storedData(0x12, l + 2);
            QCOMPARE(layer.mid(0, 4), buttons0[l]);
            QCOMPARE(layer.mid(52, 4), bytes({8, 0, 1, byte3[l + 1]}));
            QCOMPARE(layer.mid(4, 48), l1.mid(4, 48));
        }
        QCOMPARE(stored("keydefine_V7/13").toStringList(),
                 QStringList({"8", "0", "1", QString::number(mode)}));
    }

    void noWeaponSwitchSendsOneTable()
    {
        QVariantList table(64, 0);
        table[0] = 1;
        view().ui_12H_SetKeyMatrix(table);
        settle();
        QCOMPARE(codes(rig().mouse()), QList<int>({0x12}));
        QCOMPARE(rig().mouse().received().first()[1], uchar(1));
    }

    void missingSelectionCountsAsZeros()
    {
        QVariantList table(64, 0);
        table[4] = 8, table[7] = 6;
        const auto k = DeviceBytes::keyLayers(table, {QVariantList{}, QVariantList{1}, {}});
        QVERIFY(k.weaponLayers);
        for (int l = 0; l < 3; ++l) {
            QCOMPARE(int(k.layers[size_t(l)][0]), 0x0B);
            QCOMPARE(int(k.layers[size_t(l)][1]), l);
            QCOMPARE(int(k.layers[size_t(l)][2]), 0);
            QCOMPARE(int(k.layers[size_t(l)][3]), 0);
        }
        // A short table sends zeros for the buttons it lacks.
        const auto shortTable = DeviceBytes::keyLayers({8, 0, 1, 4}, {});
        QCOMPARE(int(shortTable.base[3]), 1);
        QCOMPARE(int(shortTable.base[63]), 0);
    }

    void scrollSwapKeepsTheOtherOptions_data()
    {
        QTest::addColumn<bool>("swap");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("on") << true << 0x05 << 0x45;
        QTest::newRow("off") << false << 0x45 << 0x05;
    }
    void scrollSwapKeepsTheOtherOptions()
    {
        QFETCH(bool, swap);
        QFETCH(int, before);
        QFETCH(int, after);
        rig().hid().hid_01H_SetReportRate(4);
        rig().hid().hid_03H_SetFunctionOption(3, 4, uchar(before), 0x07);
        clearTraffic();
        view().setScrollPinSwap(swap);
        settle();
        QCOMPARE(codes(rig().mouse()), QList<int>({0x83, 0x81, 0x03}));
        QCOMPARE(rig().mouse().parameters(0x03).left(4), bytes({3, 4, after, 0x07}));
        QCOMPARE(view().getScrollPinSwap(), swap);
        QCOMPARE(stored("keydefine_V7/scrollswap").toString(), swap ? "true" : "false");
    }

    void scrollSwapWritesNothingBackAfterAFailedRead()
    {
        rig().hid().hid_01H_SetReportRate(4);
        rig().hid().hid_03H_SetFunctionOption(3, 4, 0x05, 0x07);
        clearTraffic();
        rig().mouse().setFault(EmulatedDevice::Fault::Stalled, true);
        view().setScrollPinSwap(true);
        settle();
        rig().mouse().setFault(EmulatedDevice::Fault::Stalled, false);
        QVERIFY(!codes(rig().mouse()).contains(0x03));
        QCOMPARE(rig().mouse().parameters(0x03).left(4), bytes({3, 4, 0x05, 0x07}));
        // The profile keeps the choice all the same.
        QCOMPARE(view().getScrollPinSwap(), true);
    }

    void keyboardSettingsRoundTrip()
    {
        QVERIFY(rig().select(SimRig::Keyboard));
        clearTraffic();
        const QVariantList onOff = numbers(21, 0xF0); // 0xF0..0x104: the last ones wrap
        view().ui_03H_SetKeyboardoption(1, 2, 3, 4);
        view().ui_04H_SetButtonSensitivity(5, 6, 7, 8, 9);
        view().ui_07H_SetControlIndicatorLight(10, 11);
        view().ui_09H_SetKeyboardMode(3);
        view().ui_0EH_SetKeyOnOff(onOff);
        view().ui_02H_SetCurrentProfile(4);
        settle();
        QCOMPARE(codes(rig().keyboard()), QList<int>({0x03, 0x04, 0x07, 0x09, 0x0E, 0x02}));
        QCOMPARE(rig().keyboard().parameters(0x04).left(5), bytes({5, 6, 7, 8, 9}));
        QCOMPARE(rig().keyboard().parameters(0x07).left(2), bytes({10, 11}));
        // None of these is kept in a profile.
        view().currentProfile().sync();
        QVERIFY(!QFile::exists("./modules/setting/p1.bin"));
        QVERIFY(!QFile::exists("./modules/setting/p5.bin"));

        QCOMPARE(view().ui_83H_GetKeyboardoption(), QVariantList({1, 2, 3, 4}));
        QCOMPARE(view().ui_84H_GetButtonSensitivity(), QVariantList({5, 6, 7, 8}));
        QCOMPARE(view().ui_89H_GetKeyboardMode(), QVariant(3));
        QCOMPARE(view().ui_82H_GetCurrentProfile(), QVariant(4));
        QVariantList onOffBytes;
        for (const QVariant &v : onOff)
            onOffBytes << (v.toInt() & 0xFF);
        QCOMPARE(view().ui_8EH_GetKeyOnOff(), onOffBytes);
        view().ui_0DH_SetKeyMatrix(numbers(512, 0));
        settle();
        const QVariantList matrix = view().ui_8DH_GetKeyMatrix();
        QCOMPARE(matrix.size(), 512);
        QCOMPARE(matrix.value(300), QVariant(300 & 0xFF));
        QCOMPARE(matrix.value(300).typeId(), QMetaType::Int);
    }

    void mouseButtonTableReadsBackFromTheDevice()
    {
        QVariantList table = numbers(64, 0x40);
        view().ui_12H_SetKeyMatrix(table);
        settle();
        const QVariantList back = view().ui_92H_GetKeyMatrix();
        QCOMPARE(back, numbers(64, 0x40));
        QCOMPARE(view().ui_80H_GetFWVersion().isEmpty(), false);
    }

    void stageCountNeedsTheMouse()
    {
        view().ui_11H_SetDPISet(4, numbers(8), numbers(8));
        settle();
        QCOMPARE(int(view().ui_91H_SyncDPI()), 4);
        rig().sim().unplug("mouse");
        QCOMPARE(int(view().ui_91H_SyncDPI()), 8);
        QCOMPARE(view().chkIsLogoLedWork(), false);
        QCOMPARE(view().getSensorType(), QVariant(0));
    }

    void listsComeBackAsStrings()
    {
        view().ui_11H_SetDPISet(8, {5, 7}, {600, 800, 1000});
        view().ui_0DH_SetRGBLedEffect(2, 10, 2, {"2", "7", "7"});
        view().currentProfile().sync();
        myQQuickView fresh;
        const QVariantList dpi = fresh.ui_91H_GetDPISet();
        QCOMPARE(dpi, QVariantList({"600", "800", "1000"}));
        QCOMPARE(fresh.ui_8DH_GetRGBLedEffect(), QVariantList({2u, 7u, 7u}));
        QCOMPARE(fresh.ui_8DH_GetRGBLedEffect().at(0).typeId(), QMetaType::UInt);
        QCOMPARE(fresh.ui_88H_GetLEDType(), QVariantList());
        QCOMPARE(fresh.ui_8BH_GetCurrentDPIStage(), QVariant(0));
    }

    void keyboardSettersStoreTheirLists()
    {
        QVERIFY(rig().select(SimRig::Keyboard));
        clearTraffic();
        view().ui_08H_SetLEDType(9, 1, 2, 3, 4, 5);
        view().ui_14H_SetColor(6, 10, 20, 30);
        view().ui_0DH_SetKeyMatrix(numbers(512, 1000));
        settle();
        QCOMPARE(codes(rig().keyboard()), QList<int>({0x08, 0x14, 0x0D}));
        QCOMPARE(view().ui_88H_GetLEDType(), QVariantList({1, 2, 3, 4, 5}));
        QCOMPARE(view().ui_94H_GetColor(6), QVariantList({10, 20, 30}));
        QCOMPARE(stored("keydefine/125").toStringList(),
                 QStringList({"1500", "1501", "1502", "1503"}));
        QCOMPARE(rig().keyboard().storedData(0x0D).at(1), char((1001) & 0xFF));
    }

    void syncCopiesTheKeyboardPictures()
    {
        view().syncFW();
        QCOMPARE(rig().recorder().calls().size(), 0); // the mouse has no pictures
        QVERIFY(rig().select(SimRig::Keyboard));
        for (int n = 0; n < 5; ++n)
            view().ui_12H_SetUserPicture(uchar(n), 1, QVariantList(512, 10 + n));
        settle();
        view().ui_02H_SetCurrentProfile(5);
        view().syncFW();
        for (int n = 0; n < 5; ++n) {
            const QVariantList picture = view().ui_92H_GetUserPicture(uchar(n));
            QCOMPARE(picture.size(), 512);
            QCOMPARE(picture.first(), QVariant(10 + n));
            QCOMPARE(picture.last(), QVariant(10 + n));
        }
        // A keyboard that does not answer leaves the stored pictures alone.
        rig().keyboard().setFault(EmulatedDevice::Fault::Stalled, true);
        view().syncFW();
        rig().keyboard().setFault(EmulatedDevice::Fault::Stalled, false);
        for (int n = 0; n < 5; ++n)
            QCOMPARE(view().ui_92H_GetUserPicture(uchar(n)).last(), QVariant(10 + n));
    }

    void safetyQuestionTakesTheAnswer_data()
    {
        QTest::addColumn<int>("answer"); // -1: none scripted, the default button
        QTest::addColumn<bool>("result");
        QTest::newRow("ok") << 1 << true;
        QTest::newRow("cancel") << 0 << false;
        QTest::newRow("default") << -1 << false;
    }
    void safetyQuestionTakesTheAnswer()
    {
        QFETCH(int, answer);
        QFETCH(bool, result);
        if (answer >= 0)
            m_dialogs->nextAnswer(answer == 1);
        view().getGlobalStrings(QStringLiteral("031000"));
        QCOMPARE(view().getMsgAns_FoolProofing(), result);
        QCOMPARE(m_dialogs->shown().size(), 1);
        // Titled with message string 4, asking message string 5.
        QCOMPARE(m_dialogs->shown().first(),
                 QStringList({view().messageString(4), view().messageString(5)}));
        QCOMPARE(m_dialogs->shown().first().first(), QStringLiteral("Confirm Change"));
    }

    void safetyBoxIsAWarningThatDefaultsToCancel_data()
    {
        QTest::addColumn<int>("key"); // 0: click OK
        QTest::addColumn<bool>("result");
        QTest::newRow("ok") << 0 << true;
        QTest::newRow("escape") << int(Qt::Key_Escape) << false;
        QTest::newRow("enter") << int(Qt::Key_Return) << false;
    }
    void safetyBoxIsAWarningThatDefaultsToCancel()
    {
        QFETCH(int, key);
        QFETCH(bool, result);
        Dialogs::setInstance(std::make_unique<WidgetDialogs>());
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            poll.stop();
            icon = box->icon();
            buttons = box->standardButtons();
            defaultButton = box->standardButton(box->defaultButton());
            if (key == 0)
                box->button(QMessageBox::Ok)->click();
            else
                QTest::keyClick(box, Qt::Key(key));
        });
        poll.start();
        const bool answer = view().getMsgAns_FoolProofing();
        auto dialogs = std::make_unique<ScriptedDialogs>(false);
        m_dialogs = dialogs.get();
        Dialogs::setInstance(std::move(dialogs));
        QCOMPARE(answer, result);
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(defaultButton, QMessageBox::Cancel);
    }
};

QTEST_MAIN(tst_Bridge)
#include "tst_bridge.moc"
