// The input hook fed through the evdev translation, as the desktop backend does, with a backend
// whose translator the test drives: what reaches the scene for keys and buttons.
#include "input/EvdevTranslator.h"
#include "input/HookBackend.h"
#include "input/HookContext.h"
#include "input/InputHook.h"
#include "support/HookRecorder.h"

#include <QTest>

#include <linux/input.h>

namespace {

class FakeHookBackend final : public HookBackend
{
public:
    FakeHookBackend() : translator([] { return QPoint(640, 360); }) {}

    HookHandle setKeyboardHook(KeyboardProc proc) override
    {
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
    // "30+ 30* 30-": evdev key 30 pressed, repeated, released.
    void type(const QString &keys)
    {
        for (const QString &k : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QChar action = k.back();
            event(EV_KEY, quint16(k.chopped(1).toInt()), action == '+' ? 1 : action == '*' ? 2 : 0);
        }
    }

    EvdevTranslator translator;
    bool refuseMouse = false;
    const char keyboardHandle = 0;
    const char mouseHandle = 0;
};

} // namespace

class tst_InputHook : public QObject
{
    Q_OBJECT

private slots:
    // Each scan code of the map, pressed and released, reports its usage once each way.
    void everyMappedKeyIsReported()
    {
        FakeHookBackend backend;
        InputHook hook(false, &backend);
        HookRecorder recorder;
        for (const auto &[key, vk] : InputHook::scanCodeMap()) {
            const KeyboardEvent ev{quint32(key >> 8), quint32(key & 1)};
            InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, &ev);
            InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyUp, &ev);
            const auto usage = InputHook::usageMap().find(vk);
            QVERIFY2(usage != InputHook::usageMap().end(), qPrintable(QString::number(vk, 16)));
            const QString code =
                QString::number(usage->second, 16).rightJustified(2, '0').toUpper();
            QCOMPARE(recorder.reports, QStringList({'+' + code, '-' + code}));
            recorder.reports.clear();
        }
    }

    void keysReportUsages_data()
    {
        QTest::addColumn<bool>("nonUsHash");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("reports");
        const struct
        {
            const char *name, *keys, *reports;
        } rows[] = {
            {"held key reports once", "30+ 30* 30* 30* 30-", "+04 -04"},
            {"Esc, keypad dot, F12", "1+ 1- 83+ 83- 88+ 88-", "+29 -29 +63 -63 +45 -45"},
            {"left Shift", "42+ 42-", "+E1 -E1"},
            {"right Shift", "54+ 54-", "+E5 -E5"},
            {"left Control", "29+ 29-", "+E0 -E0"},
            {"right Control", "97+ 97-", "+E4 -E4"},
            {"left and right Alt", "56+ 100+ 100- 56-", "+E2 +E6 -E6 -E2"},
            {"Enter", "28+ 28-", "+28 -28"},
            {"keypad Enter", "96+ 96-", "+58 -58"},
            {"Print Screen", "99+ 99-", "+46 -46"},
            {"Alt+Print Screen", "56+ 99+ 99* 99- 56-", "+E2 +46 -46 -E2"},
            {"right Alt+Print Screen", "100+ 99+ 99- 100-", "+E6 +46 -46 -E6"},
            {"Pause", "119+ 119-", "+48 -48"},
            {"Ctrl+Pause", "29+ 119+ 119- 29-", "+E0 +48 -48 -E0"},
            {"Ctrl let go before Pause", "97+ 119+ 97- 119-", "+E4 +48 -E4 -48"},
            {"Scroll Lock", "70+ 70-", "+47 -47"},
            {"Num Lock", "69+ 69-", "+53 -53"},
            {"backslash", "43+ 43-", "+31 -31"},
            {"ISO extra key", "86+ 86-", "+64 -64"},
            {"keypad 7 and Home", "71+ 71- 102+ 102-", "+5F -5F +4A -4A"},
            {"keypad slash and slash", "98+ 98- 53+ 53-", "+54 -54 +38 -38"},
            {"left Meta, Menu", "125+ 125- 127+ 127-", "+E3 -E3 +65 -65"},
            {"right Meta", "126+ 126-", "+E7 -E7"},
            {"overlapping keys in order", "30+ 48+ 30- 48-", "+04 +05 -04 -05"},
            {"RO", "89+ 89-", "+87 -87"},
            {"Muhenkan", "94+ 94-", "+8B -8B"},
            {"keys without a usage", "113+ 113- 124+ 124- 84+ 84-", ""},
            {"a release alone", "30-", ""},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << false << r.keys << r.reports;
        QTest::newRow("backslash, non-US hash") << true << "43+ 43-"
                                                << "+32 -32";
        for (int n = 13; n <= 24; ++n)
            QTest::addRow("F%d", n)
                << false << QStringLiteral("%1+ %1-").arg(KEY_F13 + n - 13)
                << QStringLiteral("+%1 -%1").arg(0x68 + n - 13, 0, 16).toUpper();
    }
    void keysReportUsages()
    {
        QFETCH(bool, nonUsHash);
        QFETCH(QString, keys);
        QFETCH(QString, reports);
        FakeHookBackend backend;
        InputHook hook(nonUsHash, &backend);
        HookRecorder recorder;
        backend.type(keys);
        QCOMPARE(recorder.reports.join(QLatin1Char(' ')), reports);
    }

    // The hook keeps its own table of held keys: a key down before it came, or let go while it
    // was away, must not leave a release unmatched or a press swallowed.
    void heldKeysAcrossReinstall()
    {
        FakeHookBackend backend;
        InputHook hook(false, &backend);
        HookRecorder recorder;
        InputHook::removeHooks();
        backend.type(QStringLiteral("30+ 30*")); // down before the hook is there
        QVERIFY(InputHook::installHooks());
        backend.type(QStringLiteral("30- 30+ 48+"));
        InputHook::removeHooks();
        backend.type(QStringLiteral("48-")); // not seen
        QVERIFY(InputHook::installHooks());
        QCOMPARE(InputHook::keyState(0x05), uchar(0));
        backend.type(QStringLiteral("48+ 48-"));
        QCOMPARE(recorder.reports, QStringList({"+04", "+05", "+05", "-05"}));
    }

    void procedureTreatsOddEventsAsUp()
    {
        FakeHookBackend backend;
        InputHook hook(false, &backend);
        HookRecorder recorder;
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

    void buttons_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("reports");
        QTest::newRow("left") << EV_KEY << BTN_LEFT << "+F0@640,360 -F0@640,360";
        QTest::newRow("right") << EV_KEY << BTN_RIGHT << "+F1@640,360 -F1@640,360";
        QTest::newRow("middle") << EV_KEY << BTN_MIDDLE << "+F2@640,360 -F2@640,360";
        for (int code : {BTN_SIDE, BTN_EXTRA, BTN_FORWARD})
            QTest::addRow("button %d", code) << EV_KEY << code << "";
        for (int code : {REL_WHEEL, REL_HWHEEL, REL_X})
            QTest::addRow("motion %d", code) << EV_REL << code << "";
    }
    void buttons()
    {
        QFETCH(int, type);
        QFETCH(int, code);
        QFETCH(QString, reports);
        FakeHookBackend backend;
        InputHook hook(false, &backend);
        HookRecorder recorder;
        backend.event(quint16(type), quint16(code), 1);
        backend.event(quint16(type), quint16(code), 2); // no repeats for buttons
        backend.event(quint16(type), quint16(code), type == EV_REL ? -1 : 0);
        QCOMPARE(recorder.reports.join(QLatin1Char(' ')), reports);
    }

    void doubleClickMessagesAreNotReported()
    {
        FakeHookBackend backend;
        InputHook hook(false, &backend);
        HookRecorder recorder;
        const MouseEvent at{5, 7};
        for (uint message : {HookMessage::kLButtonDblClk, HookMessage::kRButtonDblClk,
                             HookMessage::kMButtonDblClk, HookMessage::kMouseMove,
                             HookMessage::kXButtonDown, HookMessage::kMouseWheel, 0u, 0xFFFFFFFFu})
            InputHook::mouseProc(HookMessage::kAction, message, &at);
        QVERIFY(recorder.reports.isEmpty());
        InputHook::mouseProc(HookMessage::kAction, HookMessage::kMButtonUp, &at);
        QCOMPARE(recorder.reports, QStringList({"-F2@5,7"}));
    }

    void refusedMouseHookLeavesNothingInstalled()
    {
        FakeHookBackend backend;
        backend.refuseMouse = true;
        InputHook hook(false, &backend);
        HookRecorder recorder;
        QVERIFY(!InputHook::installHooks());
        QCOMPARE(InputHook::keyboardHookHandle(), nullptr);
        QCOMPARE(InputHook::mouseHookHandle(), nullptr);
        // The keyboard hook that did go in was taken out again.
        QVERIFY(!backend.translator.keyboardProc());
        backend.type(QStringLiteral("30+ 30-"));
        QVERIFY(recorder.reports.isEmpty());
        backend.refuseMouse = false;
        QVERIFY(InputHook::installHooks());
        QVERIFY(InputHook::keyboardHookHandle() && InputHook::mouseHookHandle());
    }

    void removeHooksStopsDelivery()
    {
        FakeHookBackend backend;
        {
            InputHook hook(false, &backend);
            HookRecorder recorder;
            InputHook::removeHooks();
            QCOMPARE(InputHook::keyboardHookHandle(), nullptr);
            InputHook::removeHooks(); // twice is harmless
            backend.type(QStringLiteral("30+ 30-"));
            backend.event(EV_KEY, BTN_LEFT, 1);
            QVERIFY(recorder.reports.isEmpty());
            QVERIFY(InputHook::installHooks());
            // Without a context nothing is reported, but the table still follows the keys.
            InputHook::setKeyboardCallback(&HookCallbacks::keyboard, nullptr);
            InputHook::setMouseCallback(&HookCallbacks::mouse, nullptr);
            backend.type(QStringLiteral("48+"));
            backend.event(EV_KEY, BTN_LEFT, 1);
            QCOMPARE(InputHook::keyState(0x05), uchar(1));
        }
        // Destroying the hook takes it out of its backend.
        QVERIFY(!backend.translator.keyboardProc());
        QVERIFY(!backend.translator.mouseProc());
        QCOMPARE(InputHook::instance(), nullptr);
    }
};

QTEST_MAIN(tst_InputHook)
#include "tst_inputhook.moc"
