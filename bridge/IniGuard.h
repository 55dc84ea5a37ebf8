#pragma once

#include <QByteArrayView>
#include <QString>

// QSettings hands a value written as "@Variant(...)" to QDataStream, which trusts the sizes in
// it: one edited line can ask for gigabytes. None of the program's files holds such a value, so
// a file that may (literally, or spelt with escapes or a continued line) is refused whole.
namespace IniGuard {

bool isSafe(QByteArrayView text);
// False also for a file that cannot be read.
bool fileIsSafe(const QString &path);

} // namespace IniGuard
