#pragma once

#include <cstdint>

// What an emulated firmware needs to know of each Set command: where its index stands (so
// indexed settings are stored apart) and how long its data phases are.
struct CommandRule
{
    uint8_t setCode;
    int indexByte;     // command-block byte holding the index, 0 when none
    int setDataLength; // -1: taken from command-block byte 2
    int getDataLength; // -2: 4 when the index is 2, else 24
};

namespace CommandRules {

// Rules of the device kind (0 keyboard, 1 mouse); null for an unknown code.
const CommandRule *find(int kind, uint8_t setCode);

} // namespace CommandRules
