// The input hook fed through the evdev translation, as the desktop backend does, with a backend
// whose translator the test drives: what reaches the scene for keys and buttons, and what a
// recorded key becomes in a macro.
#include "bridge/KeyNameMap.h"
#include "bridge/MacroEncoder.h"
#include "device/DeviceKind.h"
#include "input/EvdevScanCodes.h"
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

// The hook on a fake backend, reporting what would reach the scene.
struct Rig
{
    explicit Rig(bool nonUsHash = false) : hook(nonUsHash, &backend) {}

    FakeHookBackend backend;
    InputHook hook;
    HookRecorder recorder;
};

} // namespace

class tst_InputHook : public QObject
{
    Q_OBJECT

private slots:
    // Every evdev key with a scan code, pressed and released, reaches the scene once each way
    // as a usage that has a Macro Script name, which encodes back to the same byte. Only keys
    // without a usage stay silent.
    void everyKeyIsRecordedAndEncoded()
    {
        Rig rig;
        KeyNameMap names;
        names.build();
        QHash<int, QString> nameOf;
        for (const auto &[name, code] : names.entries())
            nameOf.insert(code, name);
        QList<uint> silent;
        for (uint key = 1; key < 256; ++key) {
            if (EvdevScanCodes::fromEvdev(key).scan == 0)
                continue;
            rig.recorder.reports.clear();
            rig.backend.type(QStringLiteral("%1+ %1-").arg(key));
            if (rig.recorder.reports.isEmpty()) {
                silent << key;
                continue;
            }
            const QString usage = rig.recorder.reports[0].mid(1);
            QCOMPARE(rig.recorder.reports, QStringList({'+' + usage, '-' + usage}));
            const uchar code = uchar(usage.toUInt(nullptr, 16));
            QVERIFY2(nameOf.contains(code), qPrintable(usage));
            QCOMPARE(MacroEncoder(names, DeviceKind::Mouse).encode({nameOf[code] + "    [Down]"}),
                     (QList<uchar>{0x00, 0x01, 0x01, code, 0x00, 0x00}));
        }
        QCOMPARE(silent, (QList<uint>{KEY_HENKAN, KEY_KATAKANAHIRAGANA, KEY_KPEQUAL, KEY_YEN}));
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
            {"plain keys", "1+ 1- 83+ 83- 88+ 88- 28+ 28- 43+ 43- 86+ 86- 71+ 71- 53+ 53-",
             "+29 -29 +63 -63 +45 -45 +28 -28 +31 -31 +64 -64 +5F -5F +38 -38"},
            {"modifiers", "42+ 54+ 29+ 97+ 56+ 100+ 125+ 126+ 126- 125- 100- 56- 97- 29- 54- 42-",
             "+E1 +E5 +E0 +E4 +E2 +E6 +E3 +E7 -E7 -E3 -E6 -E2 -E4 -E0 -E5 -E1"},
            {"extended keys", "96+ 96- 102+ 102- 98+ 98- 99+ 99- 69+ 69- 127+ 127-",
             "+58 -58 +4A -4A +54 -54 +46 -46 +53 -53 +65 -65"},
            {"Pause, Scroll Lock", "119+ 119- 70+ 70-", "+48 -48 +47 -47"},
            {"Alt+Print Screen", "56+ 99+ 99* 99- 56-", "+E2 +46 -46 -E2"},
            {"right Alt+Print Screen", "100+ 99+ 99- 100-", "+E6 +46 -46 -E6"},
            {"Ctrl+Pause", "29+ 119+ 119- 29-", "+E0 +48 -48 -E0"},
            {"Ctrl let go before Pause", "97+ 119+ 97- 119-", "+E4 +48 -E4 -48"},
            {"RO, Muhenkan", "89+ 89- 94+ 94-", "+87 -87 +8B -8B"},
            {"F13, F23, F24", "183+ 183- 193+ 193- 194+ 194-", "+68 -68 +72 -72 +73 -73"},
            {"overlapping keys in order", "30+ 48+ 30- 48-", "+04 +05 -04 -05"},
            {"keys without a usage", "113+ 113- 124+ 124- 84+ 84-", ""},
            {"a release alone", "30-", ""},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << false << r.keys << r.reports;
        QTest::newRow("backslash, non-US hash") << true << "43+ 43-"
                                                << "+32 -32";
    }
    void keysReportUsages()
    {
        QFETCH(bool, nonUsHash);
        QFETCH(QString, keys);
        QFETCH(QString, reports);
        Rig rig(nonUsHash);
        rig.backend.type(keys);
        QCOMPARE(rig.recorder.reports.join(QLatin1Char(' ')), reports);
    }

    // The hook keeps its own table of held keys: a key down before it came, or let go while it
    // was away, must not leave a release unmatched or a press swallowed.
    void heldKeysAcrossReinstall()
    {
        Rig rig;
        InputHook::removeHooks();
        rig.backend.type(QStringLiteral("30+ 30*")); // down before the hook is there
        QVERIFY(InputHook::installHooks());
        rig.backend.type(QStringLiteral("30- 30+ 48+"));
        InputHook::removeHooks();
        rig.backend.type(QStringLiteral("48-")); // not seen
        QVERIFY(InputHook::installHooks());
        QCOMPARE(InputHook::keyState(0x05), uchar(0));
        rig.backend.type(QStringLiteral("48+ 48-"));
        QCOMPARE(rig.recorder.reports, QStringList({"+04", "+05", "+05", "-05"}));
    }

    // Only left, right and middle are buttons, once per press and release.
    void buttons()
    {
        Rig rig;
        for (int code : {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE, BTN_SIDE, BTN_EXTRA, BTN_FORWARD})
            for (int value : {1, 2, 0})
                rig.backend.event(EV_KEY, quint16(code), value);
        for (int code : {REL_WHEEL, REL_HWHEEL, REL_X})
            rig.backend.event(EV_REL, quint16(code), -1);
        QCOMPARE(rig.recorder.reports.join(QLatin1Char(' ')),
                 QStringLiteral("+F0@640,360 -F0@640,360 +F1@640,360 -F1@640,360 "
                                "+F2@640,360 -F2@640,360"));
    }

    void proceduresSkipOddEvents()
    {
        Rig rig;
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
        const MouseEvent at{5, 7};
        for (uint message : {HookMessage::kLButtonDblClk, HookMessage::kRButtonDblClk,
                             HookMessage::kMButtonDblClk, HookMessage::kMouseMove,
                             HookMessage::kXButtonDown, HookMessage::kMouseWheel, 0u, 0xFFFFFFFFu})
            InputHook::mouseProc(HookMessage::kAction, message, &at);
        InputHook::mouseProc(HookMessage::kAction, HookMessage::kMButtonDown, nullptr);
        InputHook::mouseProc(HookMessage::kAction, HookMessage::kMButtonUp, &at);
        QCOMPARE(rig.recorder.reports, QStringList({"+04", "-04", "-F2@5,7"}));
    }

    void refusedMouseHookLeavesNothingInstalled()
    {
        Rig rig;
        rig.backend.refuseMouse = true;
        QVERIFY(!InputHook::installHooks());
        QCOMPARE(InputHook::keyboardHookHandle(), nullptr);
        QCOMPARE(InputHook::mouseHookHandle(), nullptr);
        // The keyboard hook that did go in was taken out again.
        QVERIFY(!rig.backend.translator.keyboardProc());
        rig.backend.type(QStringLiteral("30+ 30-"));
        QVERIFY(rig.recorder.reports.isEmpty());
        rig.backend.refuseMouse = false;
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
