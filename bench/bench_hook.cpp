// Cost of one key event through the whole hook path: evdev event -> scan code -> virtual key ->
// usage -> key state table -> callback, and then with the queued call into a QML scene.
//
// Run:  ./bench_hook [events] [all|hook|typing|queued]
// Prints instructions per event when the CPU's counters can be read (perf_event_open), and
// cycles (rdtsc) in any case. Where no counter is available (virtual machines), count
// instructions with callgrind, which collects only inside the measured loop, one run at a time:
//   valgrind --tool=callgrind --callgrind-out-file=hook.cg --toggle-collect='*measureEvents*'
//       ./bench_hook 1000000 hook          (one line)
//   callgrind_annotate hook.cg | head -20     (total Ir / events = instructions per event)

#include "bridge/SceneInputQueue.h"
#include "input/EvdevTranslator.h"
#include "input/HookBackend.h"
#include "input/HookContext.h"
#include "input/InputHook.h"

#include <QCoreApplication>
#include <QQmlComponent>
#include <QQmlEngine>

#include <linux/input.h>
#include <linux/perf_event.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

class BenchBackend final : public HookBackend
{
public:
    BenchBackend() : translator([] { return QPoint(100, 100); }) {}
    HookHandle setKeyboardHook(KeyboardProc proc) override
    {
        translator.setKeyboardProc(proc);
        return &handle;
    }
    HookHandle setMouseHook(MouseProc proc) override
    {
        translator.setMouseProc(proc);
        return &handle;
    }
    void unhook(HookHandle) override {}

    EvdevTranslator translator;
    const char handle = 0;
};

// Instructions retired in user space, where the CPU's counters can be read.
class InstructionCounter
{
public:
    InstructionCounter()
    {
        perf_event_attr attr{};
        attr.type = PERF_TYPE_HARDWARE;
        attr.size = sizeof attr;
        attr.config = PERF_COUNT_HW_INSTRUCTIONS;
        attr.disabled = 1;
        attr.exclude_kernel = 1;
        attr.exclude_hv = 1;
        m_fd = int(syscall(SYS_perf_event_open, &attr, 0, -1, -1, 0));
    }
    ~InstructionCounter()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    bool available() const { return m_fd >= 0; }
    void start()
    {
        if (m_fd < 0)
            return;
        ioctl(m_fd, PERF_EVENT_IOC_RESET, 0);
        ioctl(m_fd, PERF_EVENT_IOC_ENABLE, 0);
    }
    quint64 stop()
    {
        if (m_fd < 0)
            return 0;
        ioctl(m_fd, PERF_EVENT_IOC_DISABLE, 0);
        quint64 count = 0;
        if (read(m_fd, &count, sizeof count) != ssize_t(sizeof count))
            return 0;
        return count;
    }

private:
    int m_fd = -1;
};

quint64 cycles()
{
#if defined(__x86_64__) || defined(__i386__)
    return __rdtsc();
#else
    return 0;
#endif
}

// Mapped keys with and without the extended flag, modifiers, Pause and Print Screen.
constexpr quint16 kKeys[] = {
    KEY_A,          KEY_S,        KEY_D,         KEY_F,     KEY_Q,     KEY_W,         KEY_E,
    KEY_R,          KEY_1,        KEY_2,         KEY_SPACE, KEY_ENTER, KEY_KPENTER,   KEY_LEFTSHIFT,
    KEY_RIGHTSHIFT, KEY_LEFTCTRL, KEY_RIGHTCTRL, KEY_UP,    KEY_DOWN,  KEY_HOME,      KEY_DELETE,
    KEY_F5,         KEY_KP7,      KEY_NUMLOCK,   KEY_PAUSE, KEY_SYSRQ, KEY_BACKSLASH, KEY_TAB,
};

input_event keyEvent(quint16 code, qint32 value)
{
    input_event ev{};
    ev.type = EV_KEY;
    ev.code = code;
    ev.value = value;
    return ev;
}

// Every event a transition (press, release): each one goes the whole way.
std::vector<input_event> transitions(size_t count)
{
    std::vector<input_event> events;
    events.reserve(count);
    for (size_t i = 0; events.size() < count; ++i) {
        const quint16 code = kKeys[i % std::size(kKeys)];
        events.push_back(keyEvent(code, 1));
        events.push_back(keyEvent(code, 0));
    }
    events.resize(count);
    return events;
}

// Typing with a held key now and then: press, three repeats, release.
std::vector<input_event> typing(size_t count)
{
    std::vector<input_event> events;
    events.reserve(count);
    for (size_t i = 0; events.size() < count; ++i) {
        const quint16 code = kKeys[(i * 7) % std::size(kKeys)];
        events.push_back(keyEvent(code, 1));
        for (int r = 0; r < 3; ++r)
            events.push_back(keyEvent(code, 2));
        events.push_back(keyEvent(code, 0));
    }
    events.resize(count);
    return events;
}

struct Sink
{
    quint64 sum = 0;
    quint64 reports = 0;
};

// The measured loop; callgrind collects inside it only.
__attribute__((noinline)) void measureEvents(EvdevTranslator &translator,
                                             const std::vector<input_event> &events)
{
    for (const input_event &ev : events)
        translator.handle(ev);
}

struct Figure
{
    double instructions = 0;
    double cycles = 0;
};

template <typename Run>
Figure measure(const char *name, size_t count, InstructionCounter &counter, Run run)
{
    const quint64 c0 = cycles();
    counter.start();
    run();
    const quint64 instructions = counter.stop();
    const quint64 c1 = cycles();
    Figure f;
    f.instructions = double(instructions) / double(count);
    f.cycles = double(c1 - c0) / double(count);
    if (counter.available())
        std::printf("%-34s %10.1f instructions/event %10.1f cycles/event\n", name, f.instructions,
                    f.cycles);
    else
        std::printf("%-34s %10s instructions/event %10.1f cycles/event\n", name, "n/a", f.cycles);
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const size_t count = argc > 1 ? size_t(std::strtoull(argv[1], nullptr, 10)) : 1000000;
    const QByteArray mode = argc > 2 ? QByteArray(argv[2]) : QByteArray("all");
    if (count == 0 || !QByteArrayList{"all", "hook", "typing", "queued"}.contains(mode)) {
        std::fprintf(stderr, "usage: bench_hook [events] [all|hook|typing|queued]\n");
        return 2;
    }

    BenchBackend backend;
    InputHook hook(false, &backend);
    InstructionCounter counter;

    Sink sink;
    HookContext direct;
    direct.detectKeyboard = [&sink](bool isDown, uchar usb) {
        sink.sum += usb + isDown;
        ++sink.reports;
    };
    InputHook::setKeyboardCallback(&HookCallbacks::keyboard, &direct);

    const std::vector<input_event> worst = transitions(count);
    std::printf("%zu events; %s\n", count,
                counter.available() ? "instructions from the CPU counter"
                                    : "no CPU counter here: see the header for callgrind");

    if (mode == "all" || mode == "hook")
        measure("hook path, every event reported", count, counter,
                [&] { measureEvents(backend.translator, worst); });
    if (mode == "all" || mode == "typing") {
        const std::vector<input_event> typed = typing(count);
        measure("hook path, typing with repeats", count, counter,
                [&] { measureEvents(backend.translator, typed); });
    }
    if (mode == "all" || mode == "hook" || mode == "typing")
        std::printf("(%llu reports)\n", static_cast<unsigned long long>(sink.reports));
    if (mode != "all" && mode != "queued")
        return 0;

    // The same events, each one queued into a QML function as the view does.
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData("import QtQml\nQtObject { function detectKeyboard(isDown, usbCode) {} }",
                      QUrl());
    std::unique_ptr<QObject> root(component.create());
    if (!root) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    // As the view hands events over: gathered without allocating, delivered once per burst.
    SceneInputQueue queue([&root] { return root.get(); });
    HookContext viaQueue;
    viaQueue.detectKeyboard = [&queue](bool isDown, uchar usb) { queue.pushKey(isDown, usb); };
    {
        const char *name = "with the queued QML call";
        InputHook::setKeyboardCallback(&HookCallbacks::keyboard, &viaQueue);
        // In chunks, so the queue stays bounded; running the QML functions is not counted.
        const size_t chunk = 1000; // below the queue's capacity, so nothing is dropped
        Figure total;
        for (size_t i = 0; i < worst.size(); i += chunk) {
            const std::vector<input_event> part(worst.begin() + qsizetype(i),
                                                worst.begin() +
                                                    qsizetype(std::min(worst.size(), i + chunk)));
            const quint64 c0 = cycles();
            counter.start();
            measureEvents(backend.translator, part);
            total.instructions += double(counter.stop());
            total.cycles += double(cycles() - c0);
            QCoreApplication::processEvents();
        }
        if (counter.available())
            std::printf("%-34s %10.1f instructions/event %10.1f cycles/event\n", name,
                        total.instructions / double(count), total.cycles / double(count));
        else
            std::printf("%-34s %10s instructions/event %10.1f cycles/event\n", name, "n/a",
                        total.cycles / double(count));
    }
    InputHook::setKeyboardCallback(nullptr, nullptr);
    return 0;
}
