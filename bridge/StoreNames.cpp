#include "bridge/StoreNames.h"

#include <cmath>
#include <limits>

namespace StoreNames {

bool isSafeFileName(const QString &name)
{
    // ".." is refused outright, whatever a suffix would make of it: no name from QML may look
    // like a way out of its folder.
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0)) &&
           !name.contains(QLatin1String(".."));
}

std::optional<QString> plainNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::SChar: {
        const qlonglong v = value.toLongLong();
        if (v < 0)
            return std::nullopt;
        return QString::number(v);
    }
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return QString::number(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float: {
        // QML numbers arrive as doubles; only whole values name a file.
        const double d = value.toDouble();
        if (!std::isfinite(d) || d < 0 || d != std::floor(d) ||
            d > double(std::numeric_limits<qint32>::max()))
            return std::nullopt;
        return QString::number(qlonglong(d));
    }
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString s = value.toString();
        if (s.isEmpty() || s.size() > 9)
            return std::nullopt;
        for (QChar c : s)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
        return s;
    }
    default:
        return std::nullopt;
    }
}

} // namespace StoreNames
