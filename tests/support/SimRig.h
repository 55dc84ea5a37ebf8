#pragma once

#include "device/DeviceEntry.h"
#include "device/Hid_Thread.h"
#include "sim/EmulatedDevice.h"
#include "sim/SimBackend.h"
#include "support/RecordingBackend.h"

// A transport wired to the emulated keyboard and mouse, with every backend call recorded:
//
//     SimBackend  <-  RecordingBackend  <-  Hid_Thread
//
// The device table holds the keyboard at position 0 and the mouse at position 1 (their sim
// paths, report lengths 64 and 32), as a device check would build it. A fresh rig talks to the
// mouse (the transport starts with device 1), scrambling off on both sides, no handshake run
// and no listener: every waitAck then lasts its full 128 ms.
//
// Typical use:
//
//     SimRig rig;
//     rig.select(SimRig::Keyboard);          // handshake; loads the Secrecy Code
//     rig.recorder().clear();
//     rig.hid().hid_09H_SetKeyboardMode(3);
//     QVERIFY(rig.waitIdle());               // the Set transfer runs on the pool
//     QCOMPARE(rig.recorder().featureOuts().size(), 1);
//
// The handshake reads the Secrecy Code from ./modules/setting/apConfig.bin of the current
// folder, as the program does. A failed handshake shows its warning through Dialogs (scripted in
// tests).
class SimRig
{
public:
    enum Device : uint { Keyboard = 0, Mouse = 1 };

    SimRig();
    ~SimRig();
    SimRig(const SimRig &) = delete;
    SimRig &operator=(const SimRig &) = delete;

    SimBackend &sim() { return m_sim; }
    EmulatedDevice &keyboard() { return *m_sim.keyboard(); }
    EmulatedDevice &mouse() { return *m_sim.mouse(); }
    EmulatedDevice &device(Device d) { return d == Keyboard ? keyboard() : mouse(); }
    RecordingBackend &recorder() { return m_recorder; }
    Hid_Thread &hid() { return m_hid; }

    // The table the rig installs: keyboard at 0, mouse at 1.
    static DeviceTable deviceTable();

    // swichCurDevice(d): makes d current and runs the handshake; switching to another device
    // also starts the listener on its event interface. True when the handshake passed.
    bool select(Device d);
    // Starts the listener on d's event interface without a handshake, so acknowledge reports
    // end waitAck after 64 ms.
    void listen(Device d);

    // Scrambling on or off on both sides: the transport's flag and both emulated devices.
    void setScrambling(bool on);

    // Runs the event loop until no transfer is in progress (a started Set has ended).
    // False when the transport is still busy after timeoutMs.
    bool waitIdle(int timeoutMs = 10000);

    // Makes the transport look busy (takes the ready flag) or idle again, to drive the
    // busy-transport paths. While taken, every command waits ~2 s in waitIdle and then drops.
    bool takeTransport();
    void releaseTransport();

private:
    SimBackend m_sim;
    RecordingBackend m_recorder;
    Hid_Thread m_hid;
    bool m_taken = false;
};
