#include "input/EvdevScanCodes.h"
#include "input/EvdevTranslator.h"
#include "input/HookBackend.h"
#include "input/HookContext.h"
#include "input/InputHook.h"
#include "support/HookRecorder.h"

#include <QTest>

#include <linux/input.h>

// Hook cases fed through the evdev translation, as the desktop backend does, but with a
// backend whose translator the test drives.

namespace {

const QPoint kPointer(640, 360);

class FakeHookBackend final : public HookBackend
{
public:
    FakeHookBackend() : translator([] { return kPointer; }) {}

    HookHandle setKeyboardHook(KeyboardProc proc) override
    {
        if (refuseKeyboard)
            return nullptr;
        translator.setKeyboardProc(proc);
        return &keyboardHandle;
    }
    HookHandle setMouseHook(MouseProc proc) override
    {
        if (refuseMouse)
            return nullptr;
        translator.setMouseProc(proc);
        return &mouseHandle;
    }
    void unhook(HookHandle handle) override
    {
        if (handle == &keyboardHandle)
            translator.setKeyboardProc(nullptr);
        else if (handle == &mouseHandle)
            translator.setMouseProc(nullptr);
    }

    void event(quint16 type, quint16 code, qint32 value)
    {
        input_event ev{};
        ev.type = type;
        ev.code = code;
        ev.value = value;
        translator.handle(ev);
    }

    EvdevTranslator translator;
    bool refuseKeyboard = false;
    bool refuseMouse = false;
    const char keyboardHandle = 0;
    const char mouseHandle = 0;
};

using Recorder = HookRecorder;

// "30+ 30* 30-": evdev key 30 pressed, repeated, released.
void typeKeys(FakeHookBackend &backend, const QString &keys)
{
    for (const QString &k : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int code = k.chopped(1).toInt();
        const QChar action = k.back();
        backend.event(EV_KEY, quint16(code), action == '+' ? 1 : action == '*' ? 2 : 0);
    }
}

} // namespace

class TestInputHook : public QObject
{
    Q_OBJECT
private slots:
    void mapsHaveTheirEntries();
    void everyMappedKeyIsReported();
    void evdevCodesTurnBackIntoScanCodes_data();
    void evdevCodesTurnBackIntoScanCodes();
    void keysReportUsages_data();
    void keysReportUsages();
    void keyDownAtInstallReportsNothingOnRelease();
    void keyReleasedWhileUnhookedIsReportedOnNextPress();
    void procedureTreatsOddEventsAsUp();
    void buttons_data();
    void buttons();
    void doubleClickMessagesAreNotReported();
    void refusedMouseHookLeavesNothingInstalled();
    void removeHooksStopsDelivery();
    void nullContextReportsNothing();
};

void TestInputHook::mapsHaveTheirEntries()
{
    FakeHookBackend backend;
    {
        InputHook hook(false, &backend);
        const auto &scan = InputHook::scanCodeMap();
        QCOMPARE(scan.size(), size_t(119));
        QCOMPARE(scan.at(0x1C00), quint8(0x0D));
        QCOMPARE(scan.at(0x1C01), quint8(0x0E)); // keypad Enter stays apart from Enter
        QCOMPARE(scan.at(0x4500), quint8(0x13));
        QCOMPARE(scan.at(0x4501), quint8(0x90));
        QCOMPARE(scan.at(0x4700), quint8(0x67)); // keypad 7 whatever Num Lock says
        QCOMPARE(scan.at(0x4701), quint8(0x24));
        QCOMPARE(scan.at(0x5600), quint8(0xE2));
        QCOMPARE(scan.at(0x6E00), quint8(0x86));
        QVERIFY(!scan.count(0x3600));
        const auto &usage = InputHook::usageMap();
        QCOMPARE(usage.size(), size_t(121));
        QCOMPARE(usage.at(0x0E), quint8(0x58));
        QCOMPARE(usage.at(0xDC), quint8(0x31));
        QCOMPARE(usage.at(0xA3), quint8(0xE4));
        QCOMPARE(usage.at(0x5C), quint8(0xE7));
        QCOMPARE(usage.at(0xFF), quint8(0x66));
        QCOMPARE(usage.at(0x87), quint8(0x73));
        QVERIFY(!usage.count(0x0C));
    }
    InputHook hook(true, &backend);
    QCOMPARE(InputHook::usageMap().size(), size_t(121));
    QCOMPARE(InputHook::usageMap().at(0xDC), quint8(0x32));
    QCOMPARE(InputHook::instance(), &hook);
    QVERIFY(hook.nonUsHash());
}

void TestInputHook::everyMappedKeyIsReported()
{
    // Each scan code of the map, pressed and released, reports its usage exactly once each way.
    FakeHookBackend backend;
    InputHook hook(false, &backend);
    Recorder recorder;
    int reported = 0;
    for (const auto &[key, vk] : InputHook::scanCodeMap()) {
        const KeyboardEvent ev{quint32(key >> 8), quint32(key & 1)};
        InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, &ev);
        InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyUp, &ev);
        const auto usage = InputHook::usageMap().find(vk);
        if (usage == InputHook::usageMap().end())
            continue;
        const QString code = QStringLiteral("%1").arg(usage->second, 2, 16, QLatin1Char('0'));
        QCOMPARE(recorder.reports.mid(reported), QStringList({QLatin1Char('+') + code.toUpper(),
                                                              QLatin1Char('-') + code.toUpper()}));
        reported += 2;
    }
    // Every virtual key of the scan-code map has a usage.
    QCOMPARE(reported, 2 * 119);
}

void TestInputHook::evdevCodesTurnBackIntoScanCodes_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<int>("scan");
    QTest::addColumn<bool>("extended");
    QTest::newRow("A") << uint(KEY_A) << 0x1E << false;
    QTest::newRow("Esc") << uint(KEY_ESC) << 0x01 << false;
    QTest::newRow("keypad Del") << uint(KEY_KPDOT) << 0x53 << false;
    QTest::newRow("F12") << uint(KEY_F12) << 0x58 << false;
    QTest::newRow("Num Lock") << uint(KEY_NUMLOCK) << 0x45 << true;
    QTest::newRow("Pause") << uint(KEY_PAUSE) << 0x45 << false;
    QTest::newRow("right Shift") << uint(KEY_RIGHTSHIFT) << 0x36 << true;
    QTest::newRow("keypad Enter") << uint(KEY_KPENTER) << 0x1C << true;
    QTest::newRow("Print Screen") << uint(KEY_SYSRQ) << 0x37 << true;
    QTest::newRow("right Meta") << uint(KEY_RIGHTMETA) << 0x5C << true;
    QTest::newRow("Menu") << uint(KEY_COMPOSE) << 0x5D << true;
    QTest::newRow("F13") << uint(KEY_F13) << 0x64 << false;
    QTest::newRow("F23") << uint(KEY_F23) << 0x6E << false;
    QTest::newRow("F24") << uint(KEY_F24) << 0x76 << false;
    QTest::newRow("Yen") << uint(KEY_YEN) << 0x7D << false;
    QTest::newRow("84 has none") << 84u << 0 << false;
    QTest::newRow("Mute has none") << uint(KEY_MUTE) << 0 << false;
    QTest::newRow("a button is no key") << uint(BTN_LEFT) << 0 << false;
}

void TestInputHook::evdevCodesTurnBackIntoScanCodes()
{
    QFETCH(uint, code);
    QFETCH(int, scan);
    QFETCH(bool, extended);
    const EvdevScanCodes::ScanCode sc = EvdevScanCodes::fromEvdev(code);
    QCOMPARE(int(sc.scan), scan);
    QCOMPARE(sc.extended, extended);
}

void TestInputHook::keysReportUsages_data()
{
    QTest::addColumn<bool>("nonUsHash");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("reports");

    QTest::newRow("held key reports once") << false << "30+ 30* 30* 30* 30-"
                                           << "+04 -04";
    QTest::newRow("left Shift") << false << "42+ 42-"
                                << "+E1 -E1";
    QTest::newRow("right Shift") << false << "54+ 54-"
                                 << "+E5 -E5";
    QTest::newRow("left Control") << false << "29+ 29-"
                                  << "+E0 -E0";
    QTest::newRow("right Control") << false << "97+ 97-"
                                   << "+E4 -E4";
    QTest::newRow("left and right Alt") << false << "56+ 100+ 100- 56-"
                                        << "+E2 +E6 -E6 -E2";
    QTest::newRow("Enter") << false << "28+ 28-"
                           << "+28 -28";
    QTest::newRow("keypad Enter") << false << "96+ 96-"
                                  << "+58 -58";
    QTest::newRow("Print Screen") << false << "99+ 99-"
                                  << "+46 -46";
    QTest::newRow("Alt+Print Screen") << false << "56+ 99+ 99* 99- 56-"
                                      << "+E2 +46 -46 -E2";
    QTest::newRow("right Alt+Print Screen") << false << "100+ 99+ 99- 100-"
                                            << "+E6 +46 -46 -E6";
    QTest::newRow("Pause") << false << "119+ 119-"
                           << "+48 -48";
    QTest::newRow("Ctrl+Pause") << false << "29+ 119+ 119- 29-"
                                << "+E0 +48 -48 -E0";
    QTest::newRow("Ctrl let go before Pause") << false << "97+ 119+ 97- 119-"
                                              << "+E4 +48 -E4 -48";
    QTest::newRow("Scroll Lock") << false << "70+ 70-"
                                 << "+47 -47";
    QTest::newRow("Num Lock") << false << "69+ 69-"
                              << "+53 -53";
    QTest::newRow("backslash, flag off") << false << "43+ 43-"
                                         << "+31 -31";
    QTest::newRow("backslash, flag on") << true << "43+ 43-"
                                        << "+32 -32";
    QTest::newRow("ISO extra key") << false << "86+ 86-"
                                   << "+64 -64";
    QTest::newRow("keypad 7 and Home") << false << "71+ 71- 102+ 102-"
                                       << "+5F -5F +4A -4A";
    QTest::newRow("keypad slash and slash") << false << "98+ 98- 53+ 53-"
                                            << "+54 -54 +38 -38";
    QTest::newRow("left Meta, Menu") << false << "125+ 125- 127+ 127-"
                                     << "+E3 -E3 +65 -65";
    QTest::newRow("overlapping keys in order") << false << "30+ 48+ 30- 48-"
                                               << "+04 +05 -04 -05";
    QTest::newRow("right Meta") << false << "126+ 126-"
                                << "+E7 -E7";
    for (int n = 13; n <= 24; ++n) {
        QTest::addRow("F%d", n) << false << QStringLiteral("%1+ %1-").arg(KEY_F13 + n - 13)
                                << QStringLiteral("+%1 -%1").arg(0x68 + n - 13, 0, 16).toUpper();
    }
    QTest::newRow("RO") << false << "89+ 89-"
                        << "+87 -87";
    QTest::newRow("Muhenkan") << false << "94+ 94-"
                              << "+8B -8B";
    QTest::newRow("keys without a usage") << false << "113+ 113- 124+ 124- 84+ 84-"
                                          << "";
    QTest::newRow("a release alone") << false << "30-"
                                     << "";
}

void TestInputHook::keysReportUsages()
{
    QFETCH(bool, nonUsHash);
    QFETCH(QString, keys);
    QFETCH(QString, reports);
    FakeHookBackend backend;
    InputHook hook(nonUsHash, &backend);
    Recorder recorder;
    typeKeys(backend, keys);
    QCOMPARE(recorder.reports.join(QLatin1Char(' ')), reports);
}

void TestInputHook::keyDownAtInstallReportsNothingOnRelease()
{
    FakeHookBackend backend;
    InputHook hook(false, &backend);
    Recorder recorder;
    InputHook::removeHooks();
    typeKeys(backend, QStringLiteral("30+ 30*")); // down before the hook is there
    QVERIFY(InputHook::installHooks());
    typeKeys(backend, QStringLiteral("30- 30+ 30-"));
    QCOMPARE(recorder.reports, QStringList({"+04", "-04"}));
}

void TestInputHook::keyReleasedWhileUnhookedIsReportedOnNextPress()
{
    FakeHookBackend backend;
    InputHook hook(false, &backend);
    Recorder recorder;
    typeKeys(backend, QStringLiteral("30+"));
    InputHook::removeHooks();
    typeKeys(backend, QStringLiteral("30-")); // not seen
    QVERIFY(InputHook::installHooks());
    QCOMPARE(InputHook::keyState(0x04), uchar(0));
    typeKeys(backend, QStringLiteral("30+ 30-"));
    QCOMPARE(recorder.reports, QStringList({"+04", "+04", "-04"}));
}

void TestInputHook::procedureTreatsOddEventsAsUp()
{
    FakeHookBackend backend;
    InputHook hook(false, &backend);
    Recorder recorder;
    const KeyboardEvent a{0x1E, 0};
    InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, &a);
    // Another nCode counts as a release, whatever the message says.
    InputHook::keyboardProc(3, HookMessage::kKeyDown, &a);
    // Scan codes above 255 use scan byte 0, which no key has.
    const KeyboardEvent wide{0x11E, 0};
    InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, &wide);
    // Scan 54 is Print Screen only with Alt held.
    const KeyboardEvent sysRq{0x54, 0};
    InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, &sysRq);
    InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, nullptr);
    QCOMPARE(recorder.reports, QStringList({"+04", "-04"}));
}

void TestInputHook::buttons_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("reports");
    const QString left = QStringLiteral("+F0@640,360 -F0@640,360");
    QTest::newRow("left") << EV_KEY << BTN_LEFT << left;
    QTest::newRow("right") << EV_KEY << BTN_RIGHT << "+F1@640,360 -F1@640,360";
    QTest::newRow("middle") << EV_KEY << BTN_MIDDLE << "+F2@640,360 -F2@640,360";
    QTest::newRow("side X button") << EV_KEY << BTN_SIDE << "";
    QTest::newRow("extra X button") << EV_KEY << BTN_EXTRA << "";
    QTest::newRow("forward") << EV_KEY << BTN_FORWARD << "";
    QTest::newRow("wheel") << EV_REL << REL_WHEEL << "";
    QTest::newRow("horizontal wheel") << EV_REL << REL_HWHEEL << "";
    QTest::newRow("move") << EV_REL << REL_X << "";
}

void TestInputHook::buttons()
{
    QFETCH(int, type);
    QFETCH(int, code);
    QFETCH(QString, reports);
    FakeHookBackend backend;
    InputHook hook(false, &backend);
    Recorder recorder;
    backend.event(quint16(type), quint16(code), 1);
    backend.event(quint16(type), quint16(code), 2); // no repeats for buttons
    backend.event(quint16(type), quint16(code), type == EV_REL ? -1 : 0);
    QCOMPARE(recorder.reports.join(QLatin1Char(' ')), reports);
}

void TestInputHook::doubleClickMessagesAreNotReported()
{
    FakeHookBackend backend;
    InputHook hook(false, &backend);
    Recorder recorder;
    const MouseEvent at{5, 7};
    for (uint message : {HookMessage::kLButtonDblClk, HookMessage::kRButtonDblClk,
                         HookMessage::kMButtonDblClk, HookMessage::kMouseMove,
                         HookMessage::kXButtonDown, HookMessage::kMouseWheel, 0u, 0xFFFFFFFFu})
        InputHook::mouseProc(HookMessage::kAction, message, &at);
    QVERIFY(recorder.reports.isEmpty());
    InputHook::mouseProc(HookMessage::kAction, HookMessage::kMButtonUp, &at);
    QCOMPARE(recorder.reports, QStringList({"-F2@5,7"}));
}

void TestInputHook::refusedMouseHookLeavesNothingInstalled()
{
    FakeHookBackend backend;
    backend.refuseMouse = true;
    InputHook hook(false, &backend);
    Recorder recorder;
    QVERIFY(!InputHook::installHooks());
    QCOMPARE(InputHook::keyboardHookHandle(), nullptr);
    QCOMPARE(InputHook::mouseHookHandle(), nullptr);
    // The keyboard hook that did go in was taken out again.
    QVERIFY(!backend.translator.keyboardProc());
    typeKeys(backend, QStringLiteral("30+ 30-"));
    QVERIFY(recorder.reports.isEmpty());

    backend.refuseMouse = false;
    QVERIFY(InputHook::installHooks());
    QVERIFY(InputHook::keyboardHookHandle());
    QVERIFY(InputHook::mouseHookHandle());
}

void TestInputHook::removeHooksStopsDelivery()
{
    FakeHookBackend backend;
    {
        InputHook hook(false, &backend);
        Recorder recorder;
        InputHook::removeHooks();
        QCOMPARE(InputHook::keyboardHookHandle(), nullptr);
        InputHook::removeHooks(); // twice is harmless
        typeKeys(backend, QStringLiteral("30+ 30-"));
        backend.event(EV_KEY, BTN_LEFT, 1);
        QVERIFY(recorder.reports.isEmpty());
        QVERIFY(InputHook::installHooks());
    }
    // Destroying the hook takes it out of its backend.
    QVERIFY(!backend.translator.keyboardProc());
    QVERIFY(!backend.translator.mouseProc());
    QCOMPARE(InputHook::instance(), nullptr);
}

void TestInputHook::nullContextReportsNothing()
{
    FakeHookBackend backend;
    InputHook hook(false, &backend);
    InputHook::setKeyboardCallback(&HookCallbacks::keyboard, nullptr);
    InputHook::setMouseCallback(&HookCallbacks::mouse, nullptr);
    typeKeys(backend, QStringLiteral("30+ 30-"));
    backend.event(EV_KEY, BTN_LEFT, 1);
    // The table still follows the keys.
    typeKeys(backend, QStringLiteral("48+"));
    QCOMPARE(InputHook::keyState(0x05), uchar(1));
    typeKeys(backend, QStringLiteral("48-"));
    InputHook::setKeyboardCallback(nullptr, nullptr);
    InputHook::setMouseCallback(nullptr, nullptr);
}

QTEST_MAIN(TestInputHook)
#include "tst_inputhook.moc"
