#pragma once

#include <QString>

// QSettings guards each write with "<file>.lock". A process killed between creating that file
// and filling it leaves it empty, and Qt then waits 30 s before taking it for stale, blocking
// the caller. Call this before opening a store file for writing.
namespace StaleLock {

// Removes the lock beside iniPath unless a live process holds it.
void clear(const QString &iniPath);

} // namespace StaleLock
