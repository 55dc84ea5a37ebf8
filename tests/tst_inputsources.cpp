#include "input/EvdevDevice.h"
#include "input/EvdevSource.h"
#include "input/HookContext.h"
#include "input/InputDeviceMonitor.h"
#include "input/InputHook.h"
#include "input/LibevdevDevice.h"
#include "input/LinuxHookBackend.h"
#include "input/QtInputFilter.h"
#include "support/HookRecorder.h"

#include <QFile>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <linux/input.h>

#include <fcntl.h>
#include <map>
#include <unistd.h>

// The desktop backend's layers: event nodes read through socket notifiers, nodes coming and
// going, and the application's own events when no node can be read.

namespace {

// An event node whose events the test queues; its fd is a pipe that wakes the notifier.
class PipeDevice final : public EvdevDevice
{
public:
    PipeDevice(bool keys, bool buttons) : m_keys(keys), m_buttons(buttons)
    {
        if (::pipe2(m_pipe, O_NONBLOCK | O_CLOEXEC) != 0)
            m_pipe[0] = m_pipe[1] = -1;
    }
    ~PipeDevice() override
    {
        ::close(m_pipe[0]);
        ::close(m_pipe[1]);
    }

    int fd() const override { return m_pipe[0]; }
    bool hasKeys() const override { return m_keys; }
    bool hasButtons() const override { return m_buttons; }
    Read next(input_event &event) override
    {
        if (!m_queue.empty()) {
            event = m_queue.front();
            m_queue.erase(m_queue.begin());
            return Read::Event;
        }
        char sink[64];
        while (::read(m_pipe[0], sink, sizeof sink) > 0) {
        }
        return m_gone ? Read::Gone : Read::Empty;
    }

    void push(quint16 type, quint16 code, qint32 value)
    {
        input_event ev{};
        ev.type = type;
        ev.code = code;
        ev.value = value;
        m_queue.push_back(ev);
        wake();
    }
    void unplug()
    {
        m_gone = true;
        wake();
    }

private:
    void wake() { QCOMPARE(::write(m_pipe[1], "x", 1), ssize_t(1)); }

    int m_pipe[2];
    bool m_keys;
    bool m_buttons;
    bool m_gone = false;
    std::vector<input_event> m_queue;
};

// What the fake opener hands out; shared, so the test can prepare nodes after handing it over.
struct Nodes
{
    // The device the next open of path returns; the test keeps a plain pointer to it.
    PipeDevice *prepare(const QString &path, bool keys, bool buttons)
    {
        auto device = std::make_unique<PipeDevice>(keys, buttons);
        PipeDevice *raw = device.get();
        devices[path] = std::move(device);
        return raw;
    }

    std::map<QString, std::unique_ptr<PipeDevice>> devices;
    QStringList opened;
};

class FakeOpener final : public EvdevDeviceOpener
{
public:
    explicit FakeOpener(std::shared_ptr<Nodes> nodes) : m_nodes(std::move(nodes)) {}

    std::unique_ptr<EvdevDevice> open(const QString &path) override
    {
        m_nodes->opened.append(path);
        const auto it = m_nodes->devices.find(path);
        if (it == m_nodes->devices.end())
            return nullptr;
        std::unique_ptr<EvdevDevice> device = std::move(it->second);
        m_nodes->devices.erase(it);
        return device;
    }

private:
    std::shared_ptr<Nodes> m_nodes;
};

using Recorder = HookRecorder;

std::unique_ptr<LinuxHookBackend> makeBackend(const std::shared_ptr<Nodes> &nodes,
                                              const QString &dir)
{
    return std::make_unique<LinuxHookBackend>(std::make_unique<FakeOpener>(nodes), dir, false);
}

} // namespace

class TestInputSources : public QObject
{
    Q_OBJECT
private slots:
    void scanOpensOnlyEventNodes();
    void unreadableOrForeignNodesAreRefused();
    void eventsAreReadWhenTheNodeIsReadable();
    void unpluggedNodeIsDropped();
    void fallbackCoversWhatNoNodeProvides();
    void nodesPluggedInLaterAreRead();
    void fallbackReportsButtonsOnce();
    void fallbackTranslatesNativeKeyCodes();
    void fallbackIgnoresCopiesOfEvents();

private:
    QTemporaryDir m_dir;
};

void TestInputSources::scanOpensOnlyEventNodes()
{
    for (const char *name : {"event0", "event7", "mouse0", "js0", "by-id"}) {
        QFile f(m_dir.filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    auto opener = std::make_shared<Nodes>();
    opener->prepare(m_dir.filePath(QStringLiteral("event7")), true, false);
    auto backend = makeBackend(opener, m_dir.path());
    QVERIFY(backend->setKeyboardHook(&InputHook::keyboardProc));
    QCOMPARE(opener->opened, QStringList({m_dir.filePath(QStringLiteral("event0")),
                                          m_dir.filePath(QStringLiteral("event7"))}));
    QCOMPARE(backend->source().deviceCount(), 1);
    QVERIFY(backend->source().hasKeyboard());
    QVERIFY(!backend->source().hasMouse());
    // Adding an open node again does not open it twice.
    QVERIFY(!backend->source().addDevice(m_dir.filePath(QStringLiteral("event7"))));
}

void TestInputSources::unreadableOrForeignNodesAreRefused()
{
    QFile plain(m_dir.filePath(QStringLiteral("event42")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.write("not an input device");
    plain.close();
    LibevdevOpener opener;
    QVERIFY(!opener.open(plain.fileName()));
    QVERIFY(!opener.open(m_dir.filePath(QStringLiteral("event43"))));
    QVERIFY(!opener.open(QStringLiteral("/dev/null")));
}

void TestInputSources::eventsAreReadWhenTheNodeIsReadable()
{
    auto opener = std::make_shared<Nodes>();
    PipeDevice *keyboard = opener->prepare(QStringLiteral("/x/event3"), true, false);
    auto backend = makeBackend(opener, m_dir.path());
    InputHook hook(false, backend.get());
    Recorder recorder;
    QVERIFY(backend->source().addDevice(QStringLiteral("/x/event3")));
    keyboard->push(EV_KEY, KEY_LEFTSHIFT, 1);
    keyboard->push(EV_KEY, KEY_A, 1);
    keyboard->push(EV_SYN, SYN_REPORT, 0);
    keyboard->push(EV_KEY, KEY_A, 2);
    keyboard->push(EV_KEY, KEY_A, 0);
    keyboard->push(EV_KEY, KEY_LEFTSHIFT, 0);
    QTRY_COMPARE(recorder.reports, QStringList({"+E1", "+04", "-04", "-E1"}));
}

void TestInputSources::unpluggedNodeIsDropped()
{
    auto opener = std::make_shared<Nodes>();
    PipeDevice *mouse = opener->prepare(QStringLiteral("/x/event5"), false, true);
    auto backend = makeBackend(opener, m_dir.path());
    InputHook hook(false, backend.get());
    Recorder recorder;
    QSignalSpy changed(&backend->source(), &EvdevSource::devicesChanged);
    QVERIFY(backend->source().addDevice(QStringLiteral("/x/event5")));
    QVERIFY(!backend->fallback().capturesButtons());
    mouse->push(EV_KEY, BTN_RIGHT, 1);
    mouse->push(EV_KEY, BTN_RIGHT, 0);
    mouse->unplug();
    QTRY_COMPARE(backend->source().deviceCount(), 0);
    QCOMPARE(recorder.reports.size(), 2);
    QVERIFY(recorder.reports[0].startsWith(QStringLiteral("+F1@")));
    QVERIFY(recorder.reports[1].startsWith(QStringLiteral("-F1@")));
    QCOMPARE(changed.size(), 2);
    // With the mouse gone, the application's own button events take over.
    QVERIFY(backend->fallback().capturesButtons());
}

void TestInputSources::fallbackCoversWhatNoNodeProvides()
{
    auto opener = std::make_shared<Nodes>();
    opener->prepare(m_dir.filePath(QStringLiteral("event0")), true, false);
    QFile f(m_dir.filePath(QStringLiteral("event0")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    auto backend = makeBackend(opener, m_dir.path());
    {
        InputHook hook(false, backend.get());
        QVERIFY(InputHook::keyboardHookHandle());
        QVERIFY(InputHook::mouseHookHandle());
        QVERIFY(!backend->fallback().capturesKeys());
        QVERIFY(backend->fallback().capturesButtons());
        // A mouse plugged in later takes over from the fallback.
        opener->prepare(QStringLiteral("/x/event9"), false, true);
        QVERIFY(backend->source().addDevice(QStringLiteral("/x/event9")));
        QVERIFY(!backend->fallback().capturesButtons());
    }
    // Unhooked: nothing is read, nothing is filtered.
    QCOMPARE(backend->source().deviceCount(), 0);
    QVERIFY(!backend->fallback().capturesKeys());
    QVERIFY(!backend->fallback().capturesButtons());
}

void TestInputSources::nodesPluggedInLaterAreRead()
{
    auto opener = std::make_shared<Nodes>();
    LinuxHookBackend backend(std::make_unique<FakeOpener>(opener), m_dir.path(), true);
    QVERIFY(!backend.monitor());
    InputHook hook(false, &backend);
    Recorder recorder;
    QVERIFY(backend.monitor());
    PipeDevice *keyboard = opener->prepare(QStringLiteral("/x/event12"), true, false);
    emit backend.monitor()->added(QStringLiteral("/x/event12"));
    QCOMPARE(backend.source().deviceCount(), 1);
    QVERIFY(!backend.fallback().capturesKeys());
    keyboard->push(EV_KEY, KEY_KPENTER, 1);
    keyboard->push(EV_KEY, KEY_KPENTER, 0);
    QTRY_COMPARE(recorder.reports, QStringList({"+58", "-58"}));
    emit backend.monitor()->removed(QStringLiteral("/x/event12"));
    QCOMPARE(backend.source().deviceCount(), 0);
    QVERIFY(backend.fallback().capturesKeys());
}

void TestInputSources::fallbackReportsButtonsOnce()
{
    auto opener = std::make_shared<Nodes>();
    auto backend = makeBackend(opener, m_dir.path());
    InputHook hook(false, backend.get());
    QVERIFY(backend->fallback().capturesKeys());
    QVERIFY(backend->fallback().capturesButtons());
    Recorder recorder;
    QWindow window;
    window.setGeometry(100, 50, 200, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseDClick(&window, Qt::RightButton, {}, QPoint(10, 20));
    QTest::mouseClick(&window, Qt::BackButton, {}, QPoint(10, 20));
    const QPoint at = window.mapToGlobal(QPoint(10, 20));
    const QString pos = QStringLiteral("@%1,%2").arg(at.x()).arg(at.y());
    // The double click's own event adds nothing to its presses and releases.
    QStringList expected{"+F0", "-F0", "+F1", "-F1", "+F1", "-F1"};
    for (QString &e : expected)
        e += pos;
    QCOMPARE(recorder.reports, expected);
}

void TestInputSources::fallbackTranslatesNativeKeyCodes()
{
    auto opener = std::make_shared<Nodes>();
    auto backend = makeBackend(opener, m_dir.path());
    InputHook hook(false, backend.get());
    Recorder recorder;
    QtInputFilter &filter = backend->fallback();
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

void TestInputSources::fallbackIgnoresCopiesOfEvents()
{
    auto opener = std::make_shared<Nodes>();
    auto backend = makeBackend(opener, m_dir.path());
    InputHook hook(false, backend.get());
    Recorder recorder;
    QWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Events forwarded inside the application are not spontaneous: the platform's one was seen.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, KEY_A + 8, 0, 0);
    QCoreApplication::sendEvent(&window, &press);
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &click);
    QVERIFY(recorder.reports.isEmpty());
}

QTEST_MAIN(TestInputSources)
#include "tst_inputsources.moc"
