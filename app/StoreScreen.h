#pragma once

#include <QString>
#include <QStringList>

// Checks the stored INI files under a modules/ folder before any store reads them: a file that
// could make QSettings decode a binary value is renamed to "<file>.refused" and the application
// settings fall back to their factory copy. Returns the files set aside.
namespace StoreScreen {

QStringList setAsideUnsafe(const QString &modulesDir);

} // namespace StoreScreen
