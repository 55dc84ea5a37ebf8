#include "bridge/IniGuard.h"

#include <QFile>

bool IniGuard::isSafe(QByteArrayView text)
{
    if (text.contains("Variant(") || text.contains("DateTime("))
        return false;
    // Escapes that could spell those words, and a backslash ending a line, which joins it to
    // the next one. The program writes neither: its values are numbers and plain text.
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '\\')
            continue;
        const char next = text[i + 1];
        if (next == 'x' || next == 'X' || (next >= '0' && next <= '7') || next == '\n' ||
            next == '\r')
            return false;
        ++i; // "\\" is one escaped backslash
    }
    return true;
}

bool IniGuard::fileIsSafe(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return isSafe(file.readAll());
}
