#include "bridge/DeviceBytes.h"

#include <algorithm>

namespace DeviceBytes {

void fill(uchar *bytes, std::size_t n, const QVariantList &list)
{
    std::fill_n(bytes, n, uchar(0));
    const std::size_t count = std::min(n, std::size_t(list.size()));
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = uchar(list[qsizetype(i)].toInt() & 0xFF);
}

QVariantList toList(const uchar *bytes, std::size_t n)
{
    QVariantList list;
    list.reserve(qsizetype(n));
    for (std::size_t i = 0; i < n; ++i)
        list.append(int(bytes[i]));
    return list;
}

std::array<uchar, 24> stageColors(uchar type, const QVariantList &src24)
{
    auto bytes = fromList<24>(src24);
    if (type == 2)
        for (int i = 0; i < 4; ++i)
            bytes[size_t(i)] =
                uchar((bytes[size_t(2 * i)] & 0x0F) | (bytes[size_t(2 * i + 1)] << 4));
    return bytes;
}

uchar scrollSwapOption(uchar option1, bool isSwap)
{
    return uchar((option1 & ~0x40) | (isSwap ? 0x40 : 0));
}

KeyLayers keyLayers(const QVariantList &src64, const std::array<QVariantList, 3> &selections)
{
    KeyLayers k;
    k.base = fromList<64>(src64);
    for (int n = 0; n < 16; ++n)
        if (k.base[size_t(4 * n)] == 0x08)
            k.weaponLayers = true;
    if (!k.weaponLayers)
        return k;
    k.layers = {k.base, k.base, k.base};

    // Byte 3 of a weapon-switch button: its value in layer 1 and in layers 2, 3 and 4.
    struct Switch
    {
        uchar mode, base, l2, l3, l4;
    };
    constexpr Switch switches[] = {{4, 1, 0, 0, 0}, {5, 0, 2, 1, 0}, {6, 0, 2, 3, 1}};
    for (int n = 0; n < 16; ++n) {
        const size_t at = size_t(4 * n);
        if (k.base[at] != 0x08)
            continue;
        for (const Switch &s : switches) {
            if (k.base[at + 3] != s.mode)
                continue;
            k.base[at + 3] = s.base;
            k.layers[0][at + 3] = s.l2;
            k.layers[1][at + 3] = s.l3;
            k.layers[2][at + 3] = s.l4;
            break;
        }
    }

    // Button 0 of each layer fires with its selection's period and time; missing values are 0.
    for (int l = 0; l < 3; ++l) {
        const QVariantList &g = selections[size_t(l)];
        auto &layer = k.layers[size_t(l)];
        layer[0] = 0x0B;
        layer[1] = uchar(l);
        layer[2] = uchar(g.value(3).toUInt() & 0xFF);
        layer[3] = uchar(g.value(2).toUInt() & 0xFF);
    }
    return k;
}

} // namespace DeviceBytes
