#pragma once

#include <QtGlobal>

// The shapes of the low-level hook messages. The event sources speak the same language as a
// desktop's low-level hooks (set-1 scan codes, button messages), so the key-code maps stay
// independent of where the input comes from.

namespace HookMessage {
constexpr int kAction = 0; // nCode of an event the procedure should look at

constexpr uint kKeyDown = 0x0100;
constexpr uint kKeyUp = 0x0101;
constexpr uint kSysKeyDown = 0x0104;
constexpr uint kSysKeyUp = 0x0105;

constexpr uint kMouseMove = 0x0200;
constexpr uint kLButtonDown = 0x0201;
constexpr uint kLButtonUp = 0x0202;
constexpr uint kLButtonDblClk = 0x0203;
constexpr uint kRButtonDown = 0x0204;
constexpr uint kRButtonUp = 0x0205;
constexpr uint kRButtonDblClk = 0x0206;
constexpr uint kMButtonDown = 0x0207;
constexpr uint kMButtonUp = 0x0208;
constexpr uint kMButtonDblClk = 0x0209;
constexpr uint kMouseWheel = 0x020A;
constexpr uint kXButtonDown = 0x020B;
constexpr uint kXButtonUp = 0x020C;
constexpr uint kMouseHWheel = 0x020E;
} // namespace HookMessage

// Bits of KeyboardEvent::flags.
namespace KeyFlag {
constexpr quint32 kExtended = 0x01; // E0-prefixed key
constexpr quint32 kAltDown = 0x20;
constexpr quint32 kUp = 0x80;
} // namespace KeyFlag

// The codes a keyboard sends instead while a modifier is held.
namespace ModifiedScan {
constexpr quint8 kBreak = 0x46; // Ctrl+Pause: E0 46
constexpr quint8 kSysRq = 0x54; // Alt+Print Screen: 54
} // namespace ModifiedScan

// One key transition as a low-level keyboard hook sees it.
struct KeyboardEvent
{
    quint32 scanCode = 0;
    quint32 flags = 0;
};

// One mouse message's screen position.
struct MouseEvent
{
    int x = 0;
    int y = 0;
};

// The payload of a notice message.
struct CopyDataStruct
{
    quintptr dwData = 0; // data code
    quint32 cbData = 0;  // byte count at lpData
    const void *lpData = nullptr;
};

using KeyboardProc = long (*)(int nCode, uint wParam, const KeyboardEvent *lParam);
using MouseProc = long (*)(int nCode, uint wParam, const MouseEvent *lParam);

using KeyboardCallback = void (*)(uchar usbCode, uchar isDown, void *context);
using MouseCallback = void (*)(uchar buttonCode, uchar isDown, int x, int y, void *context);
using CopyDataCallback = void (*)(const CopyDataStruct *data, void *context);

// Opaque handle of an installed hook; null when not installed.
using HookHandle = const void *;
