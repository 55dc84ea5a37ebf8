#pragma once

#include "device/DeviceKind.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>

// A device's firmware at the byte level: it takes command blocks as feature reports (scrambled
// with its own Secrecy Code), answers Gets, takes and gives data phases in whole reports and
// puts the acknowledge report on its event interface. Thread-safe: the transport reaches it
// from the GUI thread, the worker pool and the listener at once.
class EmulatedDevice
{
public:
    enum class Fault { Unplugged, NoAck, Stalled, WrongEcho };
    using Block = std::array<uint8_t, 8>;

    explicit EmulatedDevice(int kind); // a DeviceKind

    int kind() const { return m_kind; }
    const char *name() const { return m_kind == DeviceKind::Keyboard ? "keyboard" : "mouse"; }
    uint16_t vid() const { return 0x04d9; }
    uint16_t pid() const { return m_kind == DeviceKind::Keyboard ? 0x8008 : 0xa09f; }
    uint16_t usagePage(bool event) const;
    uint16_t usage(bool event) const;
    int reportLength() const { return m_kind == DeviceKind::Keyboard ? 64 : 32; }

    void setFault(Fault fault, bool on);
    bool fault(Fault fault) const;
    void setSecrecyCode(const QByteArray &code);
    void setScrambling(bool on);
    // The two bytes the firmware answers to 80H (1.05 unless changed).
    void setFirmwareVersion(uint8_t major, uint8_t minor);
    void resetFactory();

    // Host side of the wire.
    int featureOut(const uint8_t *report, size_t len);
    int featureIn(uint8_t *report, size_t len);
    int dataOut(const uint8_t *report, size_t len);
    int dataIn(uint8_t *report, size_t len, int timeoutMs);
    void eventOpened();
    void eventClosed();
    int eventIn(uint8_t *report, size_t len, int timeoutMs);

    // Firmware state, for tests: the six parameter bytes and the data of a Set command.
    QByteArray parameters(uint8_t setCode, int index = 0) const;
    QByteArray storedData(uint8_t setCode, int index = 0) const;
    // Command blocks received, deciphered, oldest first.
    QList<Block> received() const;
    void clearReceived();

private:
    using Key = std::pair<uint8_t, int>;
    struct Setting
    {
        std::array<uint8_t, 6> params{};
        QByteArray data;
    };

    void execute(const Block &block);
    void answer(const Block &block);
    void acknowledge();
    // Waits for the next report of a queue; 0 on timeout, -1 once unplugged. A stall holds back
    // the queue when `stalls`.
    int takeReport(std::deque<QByteArray> &queue, bool stalls, uint8_t *report, size_t len,
                   int timeoutMs);
    void storeParams(uint8_t code, int index, const Block &block);
    QByteArray readableData(uint8_t setCode, int index, int length) const;

    const int m_kind;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::atomic<bool> m_faults[4] = {};
    std::array<uint8_t, 8> m_secrecy{};
    bool m_scrambling = true;
    std::array<uint8_t, 2> m_version{0x01, 0x05};

    std::map<Key, Setting> m_settings;
    Block m_answer{};
    std::deque<QByteArray> m_input;
    // A Set command waiting for its data phase.
    uint8_t m_pendingCode = 0;
    int m_pendingIndex = 0;
    int m_pendingLength = 0;
    QByteArray m_pendingData;
    int m_eventReaders = 0;
    std::deque<QByteArray> m_events;
    QList<Block> m_received;
};
