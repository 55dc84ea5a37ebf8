#pragma once

#include <QString>

// Where the runtime files lie, relative to the data folder the program makes current.
namespace DataPaths {

inline QString apConfig()
{
    return QStringLiteral("./modules/setting/apConfig.bin");
}
inline QString apConfigDefault()
{
    return QStringLiteral("./modules/setting/apConfigD.bin");
}
// `n` counts from 1, as the file names do.
inline QString profile(int n)
{
    return QStringLiteral("./modules/setting/p%1.bin").arg(n);
}
inline QString profileDefault()
{
    return QStringLiteral("./modules/setting/pD.bin");
}
inline QString macros()
{
    return QStringLiteral("./modules/macro");
}
inline QString recoil()
{
    return QStringLiteral("./modules/gun");
}
inline QString languages()
{
    return QStringLiteral("./modules/i18n");
}
inline QString images()
{
    return QStringLiteral("./modules/img");
}
inline QString media()
{
    return QStringLiteral("./modules/media");
}

} // namespace DataPaths
