#pragma once

#include <QtGlobal>

// Turns a Linux evdev key code back into the set-1 scan code and extended flag that a PC
// keyboard sends for the same key position.
namespace EvdevScanCodes {

struct ScanCode
{
    quint8 scan = 0; // 0 when the key has no set-1 code
    bool extended = false;
};

ScanCode fromEvdev(uint code);

} // namespace EvdevScanCodes
