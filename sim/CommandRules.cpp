#include "sim/CommandRules.h"

#include "device/DeviceKind.h"

#include <iterator>

namespace {

constexpr CommandRule kMouse[] = {
    {0x01, 0, 0, 0}, {0x02, 0, 0, 0},   {0x03, 0, 0, 0},     {0x04, 0, 0, 0},
    {0x07, 1, 0, 0}, {0x0B, 0, 0, 0},   {0x0D, 0, 0, 0},     {0x10, 1, -1, -2},
    {0x11, 0, 8, 8}, {0x12, 1, 64, 64}, {0x13, 1, 128, 128},
};

constexpr CommandRule kKeyboard[] = {
    {0x01, 0, 0, 0},   {0x02, 0, 0, 0},     {0x03, 0, 0, 0},     {0x04, 0, 0, 0},
    {0x07, 0, 0, 0},   {0x08, 0, 0, 0},     {0x09, 0, 0, 0},     {0x0D, 0, 512, 512},
    {0x0E, 0, 21, 21}, {0x11, 2, 192, 192}, {0x12, 2, 512, 512}, {0x13, 0, 0, 0},
    {0x14, 2, 0, 0},
};

template <size_t N> const CommandRule *lookup(const CommandRule (&rules)[N], uint8_t code)
{
    for (const CommandRule &r : rules)
        if (r.setCode == code)
            return &r;
    return nullptr;
}

} // namespace

const CommandRule *CommandRules::find(int kind, uint8_t setCode)
{
    return kind == DeviceKind::Keyboard ? lookup(kKeyboard, setCode) : lookup(kMouse, setCode);
}
