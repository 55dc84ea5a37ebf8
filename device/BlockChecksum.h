#pragma once

#include <cstdint>

// The last byte of a command or answer block: 0xFF less the low byte of the sum of the 7 before.
inline uint8_t blockChecksum(const uint8_t *block)
{
    unsigned sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += block[i];
    return uint8_t(0xFF - (sum & 0xFF));
}
