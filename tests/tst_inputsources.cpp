// The desktop backend's layers: event nodes read through socket notifiers, nodes coming and
// going, and the application's own events when no node can be read.
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

namespace {

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

    void push(quint16 type, quint16 code, qint32 value)
    {
        input_event ev{};
        ev.type = type;
        ev.code = code;
        ev.value = value;
        QCOMPARE(::write(m_pipe[1], &ev, sizeof ev), ssize_t(sizeof ev));
    }
    void unplug()
    {
        ::close(m_pipe[1]);
        m_pipe[1] = -1;
    }

private:
    int m_pipe[2] = {-1, -1};
    bool m_keys;
    bool m_buttons;
};

// The nodes the test prepared, handed out once each; every path asked for is remembered.
struct Nodes
{
    PipeDevice *prepare(const QString &path, bool keys, bool buttons)
    {
        return (devices[path] = std::make_unique<PipeDevice>(keys, buttons)).get();
    }

    std::map<QString, std::unique_ptr<PipeDevice>> devices;
    QStringList opened;
};

class FakeOpener final : public EvdevDeviceOpener
{
public:
    explicit FakeOpener(Nodes &nodes) : m_nodes(nodes) {}

    std::unique_ptr<EvdevDevice> open(const QString &path) override
    {
        m_nodes.opened.append(path);
        if (auto node = m_nodes.devices.extract(path))
            return std::move(node.mapped());
        return nullptr;
    }

private:
    Nodes &m_nodes;
};

} // namespace

class tst_InputSources : public QObject
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
    void init() { m_nodes = {}; }

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
            keyboard->push(EV_KEY, KEY_LEFTSHIFT, 1);
            keyboard->push(EV_KEY, KEY_A, 1);
            keyboard->push(EV_SYN, SYN_REPORT, 0);
            keyboard->push(EV_KEY, KEY_A, 2);
            keyboard->push(EV_KEY, KEY_A, 0);
            keyboard->push(EV_KEY, KEY_LEFTSHIFT, 0);
            QTRY_COMPARE(recorder.reports, QStringList({"+E1", "+04", "-04", "-E1"}));

            recorder.reports.clear();
            mouse->push(EV_KEY, BTN_RIGHT, 1);
            mouse->push(EV_KEY, BTN_RIGHT, 0);
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

    void fallbackReportsButtonsOnce()
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
    }

    void fallbackTranslatesNativeKeyCodes()
    {
        auto b = backend();
        InputHook hook(false, b.get());
        HookRecorder recorder;
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
};

QTEST_MAIN(tst_InputSources)
#include "tst_inputsources.moc"
