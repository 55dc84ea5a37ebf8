#pragma once

#include "device/DeviceEntry.h"

#include <QFuture>
#include <QMutex>
#include <QThread>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

class HidBackend;
class HidPort;

// All traffic with the devices. Set commands run on the global thread pool, Get commands on the
// caller's thread; the ready flag lets one transfer use the device at a time.
class Hid_Thread : public QThread
{
    Q_OBJECT
public:
    // The stored Secrecy Code of a device (empty keeps the current one) and the box that tells
    // the user a handshake failed; both come from the program above the transport.
    using CodeReader = std::function<QString(uint did)>;
    using Warn = std::function<void(const QString &text)>;

    explicit Hid_Thread(CodeReader readCode = {}, Warn warn = {});
    ~Hid_Thread() override;

    // The backend every transfer goes through; defaults to the process-wide one.
    void setBackend(HidBackend *backend) { m_backend = backend; }
    HidBackend *backend() const { return m_backend; }
    static void setDefaultBackend(HidBackend *backend);

    // Device table, replaced whole by every device check.
    void replaceDeviceTable(const DeviceTable &table);
    DeviceTable deviceTable() const;
    uint currentDevice() const { return m_did.load(); }

    // Process-wide flags of the handshake.
    bool isEncode() const { return m_encode.load(); }
    void setEncode(bool on) { m_encode.store(on); }
    bool isVerified() const { return m_verified.load(); }
    bool isDemo() const { return m_demo.load(); }
    bool isIdle() const { return m_ready.load(std::memory_order_acquire); }
    bool isListening() const { return m_listenRun.load(); }

    // Whether the last Get command on this thread got its answer; the slots that return
    // nothing cannot tell their callers otherwise.
    bool lastGetSucceeded() const { return m_lastGetOk; }

    bool waitIdle();
    bool sendCmd(int dataLength, bool waitAck);
    bool recvCmd(int dataLength);
    void waitAck();
    void startListening(uint did);
    void stopListening();
    // Starts the listener for the current device unless it is running (the device check).
    void listenIfStopped();
    // The path of the current device that its last open refused for permissions, or empty.
    QString deniedPath() const;

signals:
    // The handshake failed and the user was told; the program must end.
    void closeRequested();
    // An open of a known interface failed and its path was dropped from the table: only the next
    // device check can bring it back. Emitted on the thread of the transfer.
    void pathLost();

public slots:
    void swichCurDevice(uint did);
    uchar hidCS(uchar *cmd);

    void USBDataEncryption(uchar *FIFOBuf, uchar *SecrecyCode);
    void USBDataDecipher(uchar *FIFOBuf, uchar *SecrecyCode);
    void hid_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void chkDeviceIsEnCode();

    // Commands shared by both devices.
    void hid_01H_SetReportRate(uchar rate);
    void hid_02H_SetCurrentProfile(uchar profile);
    void hid_80H_GetFWVersion(QString &version);
    void hid_81H_GetReportRate(uchar &rate);
    void hid_82H_GetCurrentProfile(uchar &profile);

    // Mouse.
    void hid_03H_SetFunctionOption(uchar type, uchar rate, uchar option1, uchar option2);
    void hid_07H_SetLEDInstructFunction(uchar type, uchar option1, uchar option2, uchar option3);
    void hid_0BH_SetCurrentDPIStage(uchar dpiStage);
    void hid_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2);
    void hid_10H_SetLED8StageColor(uchar type, uchar *src24);
    void hid_11H_SetDPISet(uchar dpiStage, uchar *src8);
    void hid_12H_SetKeyMatrix(uchar *src64, uchar index);
    void hid_13H_SetMacroKey(uchar macroId, uchar *src128);
    void hid_83H_GetFunctionOption(uchar &type, uchar &option1, uchar &option2);
    bool hid_87H_GetLEDInstructFunction(uchar type, uchar &option1, uchar &option2, uchar &option3);
    void hid_8BH_GetCurrentDPIStage(uchar &dpiStage);
    void hid_8DH_GetRGBLedEffect(uchar &effect, uchar &option1, uchar &option2);
    void hid_90H_GetLED8StageColor(uchar type, uchar *src24);
    bool hid_91H_GetDPISet(uchar &dpiMAXStage, uchar *src8);
    void hid_92H_GetKeyMatrix(uchar *src64);
    void hid_93H_GetMacroKey(uchar macroId, uchar *src128);

    // Keyboard.
    void hid_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                      uchar index);
    void hid_07H_SetControlIndicatorLight(uchar effect, uchar frequenty);
    void hid_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light, uchar color,
                            uchar direction);
    void hid_09H_SetKeyboardMode(uchar mode);
    void hid_0DH_SetKeyMatrix(uchar *src512);
    void hid_0EH_SetKeyOnOff(uchar *src21);
    void hid_11H_SetMacroKey(uchar macroId, uchar *src192);
    void hid_12H_SetUserPicture(uchar index, uchar option, uchar *src512);
    void hid_13H_SetRecoveryData();
    void hid_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue);
    void hid_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid_84H_GetButtonSensitivity(uchar &sens1, uchar &sens2, uchar &sens3, uchar &sens4);
    void hid_88H_GetLEDType(uchar &effect, uchar &speed, uchar &light, uchar &color,
                            uchar &direction);
    void hid_89H_GetKeyboardMode(uchar &mode);
    void hid_8DH_GetKeyMatrix(uchar *src512);
    void hid_8EH_GetKeyOnOff(uchar *src21);
    void hid_91H_GetMacroKey(uchar macroId, uchar *src192);
    void hid_92H_GetUserPicture(uchar index, uchar *src512);
    void hid_94H_GetColor(uchar index, uchar &rValue, uchar &gValue, uchar &bValue);

private:
    using Params = std::array<uint8_t, 6>;
    using Answer = std::array<uint8_t, 9>;
    enum class GetResult { Busy, Failed, Ok };

    // One Set command: take the transport, fill the request and data area, start the transfer.
    void runSet(uint8_t code, const Params &params, const uint8_t *data = nullptr,
                int dataLength = 0, bool ack = true, bool sleepAfter = false);
    // One Get command on this thread. `preset` is the answer block before the exchange;
    // `data` is copied into the data area before and back out after the exchange.
    GetResult runGet(uint8_t code, const Params &params, const Answer &preset,
                     uint8_t *data = nullptr, int dataLength = 0, bool copyBackAlways = true,
                     const char *busyMessage = "cmd Failed");
    void fillRequest(uint8_t code, const Params &params);

    // Opens the command interface for a transfer and scrambles the request when asked to.
    std::unique_ptr<HidPort> openForTransfer(uint did);
    int reportLengthOf(uint did) const;
    std::unique_ptr<HidPort> openInterface(uint did, bool event);
    std::unique_ptr<HidPort> openCmdInterface(uint did);
    std::unique_ptr<HidPort> openEventInterface(uint did);
    void listenEvents(uint did);
    bool transferAllowed() const;
    void release() { m_ready.store(true, std::memory_order_release); }
    void secrecyCode(uint8_t s[8]) const;
    GetResult exchangeSecrecyCode(uint8_t challenge[4]);

    CodeReader m_readCode;
    Warn m_warn;
    HidBackend *m_backend = nullptr;

    mutable QMutex m_tableMutex; // the listener reads the table beside the GUI thread
    DeviceTable m_devices;
    QString m_deniedPath; // both under m_tableMutex; cleared with each new table
    uint m_deniedDid = 0;
    std::atomic<uint> m_did{1};

    std::atomic<bool> m_ready{true};
    std::atomic<bool> m_listenRun{false};
    std::atomic<bool> m_ack{true};
    QFuture<void> m_listener;
    QFuture<bool> m_lastSet;

    std::array<uint8_t, 9> m_request{};
    std::array<uint8_t, 9> m_answer{};
    std::array<uint8_t, 512> m_data{};

    bool m_lastGetOk = false; // Gets run on the caller's thread only
    std::atomic<bool> m_encode{false};
    std::atomic<bool> m_verified{false};
    std::atomic<bool> m_demo{false};
    std::atomic<uint64_t> m_secrecy{0}; // S[0..7], big-endian
};
