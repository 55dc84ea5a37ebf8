#pragma once

#include <cstdint>

// The block transform shared with the device firmware: 8-byte command and answer blocks,
// scrambled with a 6-byte Secrecy Code held in s[1..6] (s[0] and s[7] take no part).
namespace Scrambler {

void encrypt(uint8_t block[8], const uint8_t s[8]);
void decrypt(uint8_t block[8], const uint8_t s[8]);

} // namespace Scrambler
