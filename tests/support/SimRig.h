#pragma once

#include "device/DeviceEntry.h"
#include "device/Hid_Thread.h"
#include "sim/EmulatedDevice.h"
#include "sim/SimBackend.h"
#include "support/RecordingBackend.h"

// A transport wired to the emulated keyboard (device 0, 64-byte reports) and mouse (device 1,
// 32-byte reports), every backend call recorded: SimBackend <- RecordingBackend <- Hid_Thread.
// A fresh rig talks to the mouse, scrambling off on both sides, no handshake run and no
// listener (every acknowledge pause then lasts its full 128 ms). Set transfers run on the pool:
// waitIdle() before reading or clearing the recorder.
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

    static DeviceTable deviceTable() { return SimBackend::deviceTable(); }

    // Makes d current and runs the handshake (switching device also starts the listener on
    // the new one's event interface); true when it passed.
    bool select(Device d)
    {
        m_hid.swichCurDevice(d);
        return m_hid.isVerified();
    }
    // Starts the listener on d without a handshake, so acknowledges end a pause after 64 ms.
    void listen(Device d) { m_hid.startListening(d); }
    // Scrambling on or off on both sides.
    void setScrambling(bool on);
    // Runs the event loop until no transfer is in progress; false if still busy after timeoutMs.
    bool waitIdle(int timeoutMs = 10000);

    // Makes the transport look busy (takes the ready flag) or idle again. While taken, every
    // command waits ~2 s for it and then drops.
    bool takeTransport();
    void releaseTransport();

private:
    SimBackend m_sim;
    RecordingBackend m_recorder;
    Hid_Thread m_hid;
    bool m_taken = false;
};
