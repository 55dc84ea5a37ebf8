// Sends a full mouse configuration to the emulated mouse and compares the time it takes with the
// pauses the protocol itself prescribes. The transport is set up as the program sets it up: the
// window's device check finds the mouse, runs the handshake (scrambling on) and starts whatever
// it starts; nothing is started here by hand.
//
// Run from the build directory: ./bench/bench_commands [V7_HID_TRACE=FILE for a trace]
#include "app/Widget.h"
#include "device/HidTrace.h"
#include "device/Hid_Thread.h"
#include "platform/Dialogs.h"
#include "sim/SimBackend.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace {

// What the command tables prescribe for one Set command.
struct Command
{
    const char *name;
    std::function<void(Hid_Thread &)> send;
    int outputReports; // data phase, 32-byte reports, 8 ms pause after each
    bool waitAck;      // one 64 ms pause after the block, one after a data phase
    bool sleepAfter;   // 8 ms on the calling thread
};

double floorMs(const Command &c)
{
    const int ackPauses = c.waitAck ? (c.outputReports > 0 ? 2 : 1) : 0;
    return 64.0 * ackPauses + 8.0 * c.outputReports + (c.sleepAfter ? 8.0 : 0.0);
}

// Polls finely so the measurement adds as little as possible to what it measures.
void waitUntilIdle(Hid_Thread &hid)
{
    while (!hid.isIdle()) {
        QCoreApplication::processEvents();
        QThread::usleep(100);
    }
}

std::vector<Command> mouseConfiguration()
{
    static std::array<uchar, 24> colors{};
    static std::array<uchar, 8> dpi{0x09, 0x13, 0x27, 0x67, 0x80, 0x80, 0x80, 0x80};
    static std::array<uchar, 64> layer{};
    static std::array<uchar, 128> macro{};
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = uchar(i * 10);
    for (size_t i = 0; i < layer.size(); ++i)
        layer[i] = uchar(i);
    for (size_t i = 0; i < macro.size(); ++i)
        macro[i] = uchar(255 - i);

    std::vector<Command> list = {
        {"01H", [](Hid_Thread &h) { h.hid_01H_SetReportRate(0x02); }, 0, true, false},
        {"03H", [](Hid_Thread &h) { h.hid_03H_SetFunctionOption(3, 0x02, 0, 0); }, 0, true, true},
        {"0BH", [](Hid_Thread &h) { h.hid_0BH_SetCurrentDPIStage(1); }, 0, true, false},
        {"0DH", [](Hid_Thread &h) { h.hid_0DH_SetRGBLedEffect(1, 2, 3); }, 0, true, false},
    };
    for (uchar type : {0, 1, 2})
        list.push_back({"10H",
                        [type](Hid_Thread &h) { h.hid_10H_SetLED8StageColor(type, colors.data()); },
                        1, true, false});
    list.push_back(
        {"11H", [](Hid_Thread &h) { h.hid_11H_SetDPISet(8, dpi.data()); }, 1, true, false});
    for (uchar index = 1; index <= 4; ++index)
        list.push_back({"12H",
                        [index](Hid_Thread &h) { h.hid_12H_SetKeyMatrix(layer.data(), index); }, 2,
                        true, false});
    for (uchar id = 0; id < 12; ++id)
        list.push_back({"13H", [id](Hid_Thread &h) { h.hid_13H_SetMacroKey(id, macro.data()); }, 4,
                        true, false});
    return list;
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // V7_HID_TRACE=FILE records every backend call, to see where time goes.
    if (qEnvironmentVariableIsSet("V7_HID_TRACE"))
        HidTrace::instance().open(qgetenv("V7_HID_TRACE"));

    SimBackend sim({QStringLiteral("mouse")});
    sim.mouse()->setScrambling(true);
    Hid_Thread::setDefaultBackend(&sim);
    Dialogs::setInstance(std::make_unique<ScriptedDialogs>());
    Widget widget;
    widget.checkDevice();
    Hid_Thread &hid = widget.transport();
    if (!hid.isVerified()) {
        std::fprintf(stderr, "handshake with the emulated mouse failed\n");
        return 1;
    }
    QThread::msleep(50); // as a user would, start after the window is up

    const std::vector<Command> commands = mouseConfiguration();
    double floor = 0;
    for (const Command &c : commands)
        floor += floorMs(c);

    // Pass 1, as the bridge sends a configuration: slot after slot, each Set waiting in
    // waitIdle for the transfer before it.
    QElapsedTimer clock;
    clock.start();
    for (const Command &c : commands)
        c.send(hid);
    waitUntilIdle(hid);
    const double elapsed = clock.nsecsElapsed() / 1e6;

    // Pass 2, time spent inside each Set slot. Called back to back, a slot waits in waitIdle for
    // the previous transfer: that is the transport being busy, not the slot blocking. So the
    // transport is idle before each call here, and what remains is the slot's own work (take
    // the ready flag, fill the buffers, start the pool task, the prescribed 8 ms sleep).
    double longest = 0;
    const char *longestName = "";
    struct Sum
    {
        const char *name;
        int count = 0;
        double transferMs = 0;
        double floorMs = 0;
    };
    std::vector<Sum> sums;
    for (const Command &c : commands) {
        waitUntilIdle(hid);
        QElapsedTimer t;
        t.start();
        c.send(hid);
        const double inSlot = t.nsecsElapsed() / 1e6;
        waitUntilIdle(hid);
        const double transfer = t.nsecsElapsed() / 1e6;
        if (inSlot > longest) {
            longest = inSlot;
            longestName = c.name;
        }
        if (sums.empty() || std::string_view(sums.back().name) != c.name)
            sums.push_back({c.name});
        sums.back().count += 1;
        sums.back().transferMs += transfer;
        sums.back().floorMs += floorMs(c);
    }
    const bool listening = hid.isListening();

    std::printf("mouse configuration: %zu Set commands\n", commands.size());
    std::printf("acknowledge listener %s\n", listening ? "running" : "not running");
    std::printf("elapsed            %8.1f ms\n", elapsed);
    std::printf("protocol floor     %8.1f ms\n", floor);
    std::printf("ratio              %8.3f (target <= 1.05)\n", elapsed / floor);
    std::printf("longest in a slot  %8.2f ms (%s; target < 16 ms)\n", longest, longestName);
    std::printf("per command, transport idle before each: count, mean transfer, floor\n");
    for (const Sum &s : sums)
        std::printf("  %s  %2d  %7.1f ms  %6.1f ms\n", s.name, s.count, s.transferMs / s.count,
                    s.floorMs / s.count);
    return elapsed / floor <= 1.05 && longest < 16 ? 0 : 2;
}
