#pragma once

#include <QLatin1String>
#include <QString>

// A profile key that ends in a number: "color/3", "keydefine_V7/15", "color_V7/type1".
inline QString profileKey(const char *prefix, int index)
{
    return QLatin1String(prefix) + QString::number(index);
}
