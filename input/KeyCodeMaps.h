#pragma once

#include <QtGlobal>

#include <map>

// The two fixed translation tables of the input hook: set-1 scan code to virtual-key code, and
// virtual-key code to USB HID usage (Keyboard/Keypad page). They follow key positions, not the
// active keyboard layout.
namespace KeyCodeMaps {

// Key: (scan code << 8) | extended bit.
using ScanCodeMap = std::map<quint16, quint8>;
using UsageMap = std::map<quint8, quint8>;

ScanCodeMap buildScanCodeMap();
// The backslash position (virtual key 0xDC) gives usage 0x32 instead of 0x31 with nonUsHash.
UsageMap buildUsageMap(bool nonUsHash);

} // namespace KeyCodeMaps
