#pragma once

#include <QVariantList>

#include <array>
#include <cstddef>

// Conversions between the lists that QML passes and the byte arrays of the device commands.
namespace DeviceBytes {

// Byte i = low 8 bits of entry i; entries the list lacks are 0, entries beyond n are ignored.
void fill(uchar *bytes, std::size_t n, const QVariantList &list);

template <std::size_t N> std::array<uchar, N> fromList(const QVariantList &list)
{
    std::array<uchar, N> bytes{};
    fill(bytes.data(), N, list);
    return bytes;
}

// One int per byte, in order.
QVariantList toList(const uchar *bytes, std::size_t n);

// The 24 bytes of the eight-stage colours; type 2 carries two 4-bit colour numbers a byte.
std::array<uchar, 24> stageColors(uchar type, const QVariantList &src24);

// Function options with the wheel-swap flag (bit 6) set or cleared.
uchar scrollSwapOption(uchar option1, bool isSwap);

// The mouse button table as sent: layer 1 always, layers 2 to 4 only when a weapon-switch
// button is present. selections: the three Fire Key Selections, empty when not stored.
struct KeyLayers
{
    std::array<uchar, 64> base{};
    bool weaponLayers = false;
    std::array<std::array<uchar, 64>, 3> layers{};
};
KeyLayers keyLayers(const QVariantList &src64, const std::array<QVariantList, 3> &selections);

} // namespace DeviceBytes
