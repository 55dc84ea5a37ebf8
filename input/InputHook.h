#pragma once

#include "input/HookTypes.h"
#include "input/KeyCodeMaps.h"

#include <QString>

#include <memory>

class HookBackend;
class QCoreApplication;

// Global key and mouse-button capture. One instance per process: it translates every key
// transition into a USB HID usage and every left/right/middle button press or release into a
// button code, and hands them to the registered callbacks. It only observes; nothing is
// consumed.
class InputHook
{
public:
    // Without a backend the desktop's event devices are used.
    explicit InputHook(bool nonUsHash, HookBackend *backend = nullptr);
    ~InputHook();
    InputHook(const InputHook &) = delete;
    InputHook &operator=(const InputHook &) = delete;

    static InputHook *instance();

    bool nonUsHash() const { return m_nonUsHash; }

    // True when both hooks are in place; on failure neither is.
    static bool installHooks();
    static void removeHooks();

    static void setKeyboardCallback(KeyboardCallback callback, void *context);
    static void setMouseCallback(MouseCallback callback, void *context);
    // Notices sent to windowTitle reach callback; returns the callback it replaces.
    static CopyDataCallback setCopyDataFilter(CopyDataCallback callback,
                                              QCoreApplication *application, void *context,
                                              const QString &windowTitle);
    // Delivers a notice to the window with that title and waits (bounded) for it to be handled.
    // Returns 1 when the receiver handled it, 0 when there is no such receiver or it did not
    // answer. A receiver equal to excludedReceiver is not sent to (result 0).
    static long sendCopyData(const QString &windowTitle, const CopyDataStruct *data,
                             const void *excludedReceiver = nullptr);

    // The hook procedures. Called on the GUI thread; they neither block nor allocate.
    static long keyboardProc(int nCode, uint wParam, const KeyboardEvent *lParam);
    static long mouseProc(int nCode, uint wParam, const MouseEvent *lParam);

    static HookHandle keyboardHookHandle();
    static HookHandle mouseHookHandle();
    static const KeyCodeMaps::ScanCodeMap &scanCodeMap();
    static const KeyCodeMaps::UsageMap &usageMap();
    // Key State Table entry of a usage: 1 while down.
    static uchar keyState(uchar usbCode);

private:
    bool m_nonUsHash;
    std::unique_ptr<HookBackend> m_ownBackend;
};
