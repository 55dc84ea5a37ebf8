#include "input/EvdevScanCodes.h"

#include <linux/input-event-codes.h>

#include <array>

namespace {

constexpr quint8 kExtendedBit = 0x80; // every set-1 code here is below 0x80

constexpr std::array<quint8, 256> buildTable()
{
    std::array<quint8, 256> t{};
    for (uint code = 1; code <= 83; ++code)
        t[code] = quint8(code);
    for (uint code = 86; code <= 88; ++code)
        t[code] = quint8(code);
    t[KEY_NUMLOCK] = 0x45 | kExtendedBit;
    // Low-level hooks see right Shift with the extended flag, and the scan-code map only knows
    // it that way.
    t[KEY_RIGHTSHIFT] = 0x36 | kExtendedBit;
    t[KEY_KPENTER] = 0x1C | kExtendedBit;
    t[KEY_RIGHTCTRL] = 0x1D | kExtendedBit;
    t[KEY_KPSLASH] = 0x35 | kExtendedBit;
    t[KEY_SYSRQ] = 0x37 | kExtendedBit;
    t[KEY_RIGHTALT] = 0x38 | kExtendedBit;
    t[KEY_HOME] = 0x47 | kExtendedBit;
    t[KEY_UP] = 0x48 | kExtendedBit;
    t[KEY_PAGEUP] = 0x49 | kExtendedBit;
    t[KEY_LEFT] = 0x4B | kExtendedBit;
    t[KEY_RIGHT] = 0x4D | kExtendedBit;
    t[KEY_END] = 0x4F | kExtendedBit;
    t[KEY_DOWN] = 0x50 | kExtendedBit;
    t[KEY_PAGEDOWN] = 0x51 | kExtendedBit;
    t[KEY_INSERT] = 0x52 | kExtendedBit;
    t[KEY_DELETE] = 0x53 | kExtendedBit;
    t[KEY_PAUSE] = 0x45;
    t[KEY_LEFTMETA] = 0x5B | kExtendedBit;
    t[KEY_RIGHTMETA] = 0x5C | kExtendedBit;
    t[KEY_COMPOSE] = 0x5D | kExtendedBit;
    t[KEY_KPEQUAL] = 0x59;
    for (uint code = KEY_F13; code <= KEY_F23; ++code)
        t[code] = quint8(0x64 + (code - KEY_F13));
    t[KEY_F24] = 0x76;
    t[KEY_RO] = 0x73;
    t[KEY_KATAKANAHIRAGANA] = 0x70;
    t[KEY_HENKAN] = 0x79;
    t[KEY_MUHENKAN] = 0x7B;
    t[KEY_YEN] = 0x7D;
    return t;
}

constexpr std::array<quint8, 256> kTable = buildTable();

static_assert(kTable[KEY_A] == 0x1E);
static_assert(kTable[KEY_F23] == 0x6E);

} // namespace

EvdevScanCodes::ScanCode EvdevScanCodes::fromEvdev(uint code)
{
    if (code >= kTable.size())
        return {};
    const quint8 v = kTable[code];
    return {quint8(v & ~kExtendedBit), (v & kExtendedBit) != 0};
}
