// The input path: the hook fed through the evdev translation (a fake backend whose translator
// the test drives, or the desktop backend reading event nodes through socket notifiers, with
// the application's own events when no node can be read), what reaches the scene for keys and
// buttons, what a recorded key becomes in a macro, and the queue into the scene.
#include "app/InputCapture.h"
#include "bridge/KeyNameMap.h"
#include "bridge/MacroEncoder.h"
#include "bridge/SceneInputQueue.h"
#include "bridge/myQQuickView.h"
#include "device/DeviceKind.h"
#include "input/EvdevDevice.h"
#include "input/EvdevScanCodes.h"
#include "input/EvdevSource.h"
#include "input/EvdevTranslator.h"
#include "input/HookBackend.h"
#include "input/HookContext.h"
#include "input/InputDeviceMonitor.h"
#include "input/InputHook.h"
#include "input/LibevdevDevice.h"
#include "input/LinuxHookBackend.h"
#include "input/QtInputFilter.h"
#include "platform/Dialogs.h"
#include "support/FileBackup.h"

#include <QFile>
#include <QKeyEvent>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <linux/input.h>

#include <fcntl.h>
#include <map>
#include <unistd.h>

namespace {

input_event inputEvent(quint16 type, quint16 code, qint32 value)
{
    input_event ev{};
    ev.type = type;
    ev.code = code;
    ev.value = value;
    return ev;
}

// "30+ 30* 30-": evdev key 30 pressed, repeated, released.
QList<input_event> keys(const QString &text)
{
    QList<input_event> out;
    for (const QString &k : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QChar action = k.back();
        out << inputEvent(EV_KEY, quint16(k.chopped(1).toInt()),
                          action == '+'   ? 1
                          : action == '*' ? 2
                                          : 0);
    }
    return out;
}

// Registers itself as the hook's keyboard and mouse callbacks and records what would reach the
// scene, as "+E1" (down) / "-E1" (up) and "+F0@640,360".
struct HookRecorder
{
    HookRecorder()
    {
        context.detectKeyboard = [this](bool isDown, uchar usb) {
            reports << QString::asprintf("%c%02X", isDown ? '+' : '-', usb);
        };
        context.detectMouse = [this](bool isDown, uint button, uint x, uint y) {
            reports << QString::asprintf("%c%02X@%u,%u", isDown ? '+' : '-', button, x, y);
        };
        InputHook::setKeyboardCallback(&HookCallbacks::keyboard, &context);
        InputHook::setMouseCallback(&HookCallbacks::mouse, &context);
    }
    ~HookRecorder()
    {
        InputHook::setKeyboardCallback(nullptr, nullptr);
        InputHook::setMouseCallback(nullptr, nullptr);
    }

    HookContext context;
    QStringList reports;
};

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
        translator.handle(inputEvent(type, code, value));
    }
    void type(const QString &text)
    {
        for (const input_event &ev : keys(text))
            translator.handle(ev);
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

// An event node fed through a pipe: the test writes events into it, and closing the writing
// end reads as end of file, as a node that went away does.
class PipeDevice final : public EvdevDevice
{
public:
    PipeDevice(bool keys, bool buttons) : m_keys(keys), m_buttons(buttons)
    {
        QVERIFY(::pipe2(m_pipe, O_NONBLOCK | O_CLOEXEC) == 0);
    }
    ~PipeDevice() override
    {
        ::close(m_pipe[0]);
        unplug();
    }

    int fd() const override { return m_pipe[0]; }
    bool hasKeys() const override { return m_keys; }
    bool hasButtons() const override { return m_buttons; }
    Read next(input_event &event) override
    {
        const ssize_t n = ::read(m_pipe[0], &event, sizeof event);
        return n == ssize_t(sizeof event) ? Read::Event : n == 0 ? Read::Gone : Read::Empty;
    }

    void push(const QList<input_event> &events)
    {
        for (const input_event &ev : events)
            QCOMPARE(::write(m_pipe[1], &ev, sizeof ev), ssize_t(sizeof ev));
    }
    void unplug()
    {
        ::close(m_pipe[1]);
        m_pipe[1] = -1;
    }

    int m_pipe[2] = {-1, -1};
    const bool m_keys;
    const bool m_buttons;
};

// The nodes the test prepared, handed out once each; every path asked for is remembered.
struct Nodes
{
    PipeDevice *prepare(const QString &path, bool keys, bool buttons)
    {
        return (devices[path] = std::make_unique<PipeDevice>(keys, buttons)).get();
    }
    std::unique_ptr<EvdevDevice> open(const QString &path)
    {
        opened.append(path);
        if (auto node = devices.extract(path))
            return std::move(node.mapped());
        return nullptr;
    }

    std::map<QString, std::unique_ptr<PipeDevice>> devices;
    QStringList opened;
};

struct FakeOpener final : EvdevDeviceOpener
{
    explicit FakeOpener(Nodes &nodes) : nodes(nodes) {}
    std::unique_ptr<EvdevDevice> open(const QString &path) override { return nodes.open(path); }

    Nodes &nodes;
};

// Stands in for the scene's root item.
class Root : public QObject
{
    Q_OBJECT
public:
    int keys = 0;
    int last = -1;
    Q_INVOKABLE void detectKeyboard(const QVariant &, const QVariant &usbCode)
    {
        ++keys;
        last = usbCode.toInt();
    }
};

} // namespace

class tst_InputHook : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    Nodes m_nodes;

    std::unique_ptr<LinuxHookBackend> backend(bool monitor = false)
    {
        return std::make_unique<LinuxHookBackend>(std::make_unique<FakeOpener>(m_nodes),
                                                  m_dir.path(), monitor);
    }

private slots:
    void initTestCase() { Dialogs::setInstance(std::make_unique<ScriptedDialogs>(false)); }
    void init() { m_nodes = {}; }

    // Every evdev key with a scan code, pressed and released, reaches the scene once each way
    // as a usage that has a Macro Script name, which encodes back to the same byte.
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
        QCOMPARE(silent, QList<uint>());
    }

    void keysReportUsages_data()
    {
        QTest::addColumn<bool>("nonUsHash");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("reports");
        const char *rows[][3] = {
            {"held and overlapping keys", "30+ 30* 30* 48+ 30- 48-", "+04 +05 -04 -05"},
            {"plain keys", "1+ 1- 83+ 83- 88+ 88- 28+ 28- 43+ 43- 86+ 86- 71+ 71- 53+ 53- 70+ 70-",
             "+29 -29 +63 -63 +45 -45 +28 -28 +31 -31 +64 -64 +5F -5F +38 -38 +47 -47"},
            {"modifiers", "42+ 54+ 29+ 97+ 56+ 100+ 125+ 126+ 126- 125- 100- 56- 97- 29- 54- 42-",
             "+E1 +E5 +E0 +E4 +E2 +E6 +E3 +E7 -E7 -E3 -E6 -E2 -E4 -E0 -E5 -E1"},
            {"extended keys", "96+ 96- 102+ 102- 98+ 98- 99+ 99- 69+ 69- 127+ 127-",
             "+58 -58 +4A -4A +54 -54 +46 -46 +53 -53 +65 -65"},
            {"keys beyond the Windows table",
             "183+ 183- 193+ 193- 194+ 194- 89+ 89- 94+ 94- 117+ 117- 93+ 93- 92+ 92- 124+ 124-",
             "+68 -68 +72 -72 +73 -73 +87 -87 +8B -8B +67 -67 +88 -88 +8A -8A +89 -89"},
            {"Alt+Print Screen", "56+ 99+ 99* 99- 56- 100+ 99+ 99- 100-",
             "+E2 +46 -46 -E2 +E6 +46 -46 -E6"},
            {"Pause, with Ctrl, Ctrl let go first", "119+ 119- 29+ 119+ 119- 29- 97+ 119+ 97- 119-",
             "+48 -48 +E0 +48 -48 -E0 +E4 +48 -E4 -48"},
            {"nothing to report", "113+ 113- 84+ 84- 30-", ""},
        };
        for (const auto &[name, keys, reports] : rows)
            QTest::newRow(name) << false << keys << reports;
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

    // Removed hooks deliver nothing. The hook keeps its own table of held keys: a key down
    // before it came, or let go while it was away, must not leave a release unmatched or a press
    // swallowed.
    void hooksInAndOut()
    {
        FakeHookBackend backend;
        {
            InputHook hook(false, &backend);
            HookRecorder recorder;
            InputHook::removeHooks();
            InputHook::removeHooks(); // twice is harmless
            QCOMPARE(InputHook::keyboardHookHandle(), nullptr);
            backend.type(QStringLiteral("30+ 30*"));
            backend.event(EV_KEY, BTN_LEFT, 1);
            QVERIFY(InputHook::installHooks());
            backend.type(QStringLiteral("30- 30+ 48+"));
            InputHook::removeHooks();
            backend.type(QStringLiteral("48-"));
            QVERIFY(InputHook::installHooks());
            QCOMPARE(InputHook::keyState(0x05), uchar(0));
            backend.type(QStringLiteral("48+ 48-"));
            QCOMPARE(recorder.reports, QStringList({"+04", "+05", "+05", "-05"}));
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

    // The desktop backend.
    void scanOpensOnlyEventNodes()
    {
        for (const char *name : {"event0", "event7", "mouse0", "js0", "by-id"}) {
            QFile f(m_dir.filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QString event7 = m_dir.filePath(QStringLiteral("event7"));
        m_nodes.prepare(event7, true, false);
        auto b = backend();
        QVERIFY(b->setKeyboardHook(&InputHook::keyboardProc));
        QCOMPARE(m_nodes.opened, QStringList({m_dir.filePath(QStringLiteral("event0")), event7}));
        QCOMPARE(b->source().deviceCount(), 1);
        QVERIFY(b->source().hasKeyboard());
        QVERIFY(!b->source().hasMouse());
        // Adding an open node again does not open it twice.
        QVERIFY(!b->source().addDevice(event7));
        for (const QString &name : {QStringLiteral("event0"), QStringLiteral("event7")})
            QFile::remove(m_dir.filePath(name));
    }

    void unreadableOrForeignNodesAreRefused()
    {
        QFile plain(m_dir.filePath(QStringLiteral("event42")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("not an input device");
        plain.close();
        LibevdevOpener opener;
        QVERIFY(!opener.open(plain.fileName()));
        QVERIFY(!opener.open(m_dir.filePath(QStringLiteral("event43"))));
        QVERIFY(!opener.open(QStringLiteral("/dev/null")));
        plain.remove();
    }

    // Nodes coming through the monitor are read until unplugged or removed, and the fallback
    // covers what no node provides; unhooked, nothing is read and nothing filtered.
    void nodesComeAndGo()
    {
        auto b = backend(true);
        QVERIFY(!b->monitor());
        {
            InputHook hook(false, b.get());
            HookRecorder recorder;
            QSignalSpy changed(&b->source(), &EvdevSource::devicesChanged);
            QVERIFY(b->monitor());
            QVERIFY(b->fallback().capturesKeys() && b->fallback().capturesButtons());
            PipeDevice *keyboard = m_nodes.prepare(QStringLiteral("/x/event12"), true, false);
            emit b->monitor()->added(QStringLiteral("/x/event12"));
            PipeDevice *mouse = m_nodes.prepare(QStringLiteral("/x/event9"), false, true);
            emit b->monitor()->added(QStringLiteral("/x/event9"));
            QCOMPARE(b->source().deviceCount(), 2);
            QVERIFY(!b->fallback().capturesKeys() && !b->fallback().capturesButtons());
            keyboard->push(keys("42+ 30+")
                           << inputEvent(EV_SYN, SYN_REPORT, 0) << keys("30* 30- 42-"));
            QTRY_COMPARE(recorder.reports, QStringList({"+E1", "+04", "-04", "-E1"}));

            recorder.reports.clear();
            mouse->push({inputEvent(EV_KEY, BTN_RIGHT, 1), inputEvent(EV_KEY, BTN_RIGHT, 0)});
            mouse->unplug();
            QTRY_COMPARE(b->source().deviceCount(), 1);
            QCOMPARE(recorder.reports.size(), 2);
            QVERIFY(recorder.reports[0].startsWith(QStringLiteral("+F1@")));
            QVERIFY(recorder.reports[1].startsWith(QStringLiteral("-F1@")));
            QVERIFY(b->fallback().capturesButtons() && !b->fallback().capturesKeys());

            emit b->monitor()->removed(QStringLiteral("/x/event12"));
            QCOMPARE(b->source().deviceCount(), 0);
            QVERIFY(b->fallback().capturesKeys());
            QCOMPARE(changed.size(), 4);
            m_nodes.prepare(QStringLiteral("/x/event13"), true, true);
            emit b->monitor()->added(QStringLiteral("/x/event13"));
            QCOMPARE(b->source().deviceCount(), 1);
        }
        QCOMPARE(b->source().deviceCount(), 0);
        QVERIFY(!b->fallback().capturesKeys() && !b->fallback().capturesButtons());
    }

    // With no node, the application's own events are translated: buttons once each, native
    // key codes as the node's would be.
    void fallbackEvents()
    {
        auto b = backend();
        InputHook hook(false, b.get());
        HookRecorder recorder;
        QWindow window;
        window.setGeometry(100, 50, 200, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(10, 20));
        QTest::mouseDClick(&window, Qt::RightButton, {}, QPoint(10, 20));
        QTest::mouseClick(&window, Qt::BackButton, {}, QPoint(10, 20));
        const QPoint at = window.mapToGlobal(QPoint(10, 20));
        // The double click's own event adds nothing to its presses and releases.
        QCOMPARE(recorder.reports.join(' '),
                 QStringLiteral("+F0@%1,%2 -F0@%1,%2 +F1@%1,%2 -F1@%1,%2 +F1@%1,%2 -F1@%1,%2")
                     .arg(at.x())
                     .arg(at.y()));
        // Events forwarded inside the application are not spontaneous: the platform's one was
        // seen already.
        recorder.reports.clear();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, KEY_A + 8, 0, 0);
        QCoreApplication::sendEvent(&window, &press);
        QMouseEvent click(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &click);
        QVERIFY(recorder.reports.isEmpty());

        QtInputFilter &filter = b->fallback();
        const auto key = [&](QEvent::Type type, quint32 evdev, bool autoRepeat = false) {
            const QKeyEvent ev(type, Qt::Key_unknown, Qt::NoModifier, evdev + 8, 0, 0, QString(),
                               autoRepeat);
            filter.translate(&ev);
        };
        key(QEvent::KeyPress, KEY_RIGHTCTRL);
        key(QEvent::KeyPress, KEY_PAUSE);
        // X11 autorepeat: release/press pairs marked as repeats.
        key(QEvent::KeyRelease, KEY_PAUSE, true);
        key(QEvent::KeyPress, KEY_PAUSE, true);
        key(QEvent::KeyRelease, KEY_PAUSE);
        key(QEvent::KeyRelease, KEY_RIGHTCTRL);
        // No native code: nothing to translate.
        const QKeyEvent bare(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
        filter.translate(&bare);
        QCOMPARE(recorder.reports, QStringList({"+E4", "+48", "-48", "-E4"}));
    }

    // From the hook into the scene.
    void eventsReachTheSceneQueuedAndInOrder()
    {
        const QString scene = m_dir.filePath(QStringLiteral("scene.qml"));
        QVERIFY(FileBackup::write(scene, R"(import QtQuick
            Item {
                property string log: ""
                function detectKeyboard(isDown, usbCode) { log += (isDown ? "+" : "-") + usbCode + " " }
                function detectMouse(isDown, tavoCode, x, y) {
                    log += (isDown ? "+" : "-") + tavoCode + "@" + x + "," + y + " "
                }
            })"));
        QWidget window;
        window.setWindowTitle(QStringLiteral("capture %1").arg(QCoreApplication::applicationPid()));
        {
            InputCapture capture(window);
            // No event node here: the application's own events stand in, so both hooks are there.
            QVERIFY(InputHook::keyboardHookHandle() && InputHook::mouseHookHandle());
            // Events before the view exists are dropped quietly.
            const KeyboardEvent a{0x1E, 0};
            InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, &a);
            InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyUp, &a);

            auto *view = new myQQuickView(&window);
            view->setSource(QUrl::fromLocalFile(scene));
            QVERIFY2(view->rootObject(), qPrintable(view->errors().value(0).toString()));
            const KeyboardEvent shift{0x2A, 0};
            InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, &shift);
            InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyDown, &a);
            const MouseEvent at{300, 200};
            InputHook::mouseProc(HookMessage::kAction, HookMessage::kRButtonDown, &at);
            InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyUp, &a);
            InputHook::keyboardProc(HookMessage::kAction, HookMessage::kKeyUp, &shift);
            // Queued, never from inside the hook procedure: nothing has run in the scene yet.
            QCOMPARE(view->rootObject()->property("log").toString(), QString());
            QTRY_COMPARE(view->rootObject()->property("log").toString(),
                         QStringLiteral("+225 +4 +241@300,200 -4 -225 "));
        }
        // The hooks go with the capture.
        QCOMPARE(InputHook::keyboardHookHandle(), nullptr);
        QCOMPARE(InputHook::mouseHookHandle(), nullptr);
        QCOMPARE(InputHook::instance(), nullptr);
    }

    // A burst larger than the queue drops (and counts) the rest instead of growing or
    // blocking the hook; the ring then wraps cleanly.
    void overflowDropsAndCounts()
    {
        Root root;
        SceneInputQueue queue([&root] { return &root; });
        for (int i = 0; i < 1100; ++i)
            queue.pushKey(i % 2 == 0, uchar(i));
        QCOMPARE(queue.dropped(), quint64(1100 - 1024));
        QCoreApplication::processEvents();
        QCOMPARE(root.keys, 1024);
        QCOMPARE(root.last, 1023 & 0xFF);
        queue.pushKey(true, 7);
        QCoreApplication::processEvents();
        QCOMPARE(root.keys, 1025);
        QCOMPARE(root.last, 7);
    }
};

QTEST_MAIN(tst_InputHook)
#include "tst_inputhook.moc"
