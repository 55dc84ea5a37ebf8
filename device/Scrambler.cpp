#include "device/Scrambler.h"

#include <utility>

namespace {

constexpr uint8_t kKey[8] = {'T', 'q', 'W', 'm', 'b', 'L', 'o', 'z'};

constexpr uint8_t nib(uint8_t x)
{
    return uint8_t((x << 4) | (x >> 4));
}

void exchange(uint8_t b[8])
{
    std::swap(b[0], b[5]);
    std::swap(b[1], b[4]);
    std::swap(b[2], b[7]);
    std::swap(b[3], b[6]);
}

void mixCode(uint8_t b[8], const uint8_t s[8])
{
    for (int i = 1; i <= 6; ++i)
        b[i] ^= s[i];
}

uint64_t load(const uint8_t b[8])
{
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v = (v << 8) | b[i];
    return v;
}

void store(uint8_t b[8], uint64_t v)
{
    for (int i = 7; i >= 0; --i, v >>= 8)
        b[i] = uint8_t(v);
}

} // namespace

void Scrambler::encrypt(uint8_t block[8], const uint8_t s[8])
{
    exchange(block);
    mixCode(block, s);
    const uint64_t v = load(block);
    store(block, (v << 3) | (v >> 61));
    for (int i = 0; i < 8; ++i)
        block[i] = uint8_t(block[i] + nib(kKey[i]));
}

void Scrambler::decrypt(uint8_t block[8], const uint8_t s[8])
{
    for (int i = 0; i < 8; ++i)
        block[i] = uint8_t(block[i] - nib(kKey[i]));
    const uint64_t v = load(block);
    store(block, (v >> 3) | (v << 61));
    mixCode(block, s);
    exchange(block);
}
