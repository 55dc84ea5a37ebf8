#pragma once

#include <QString>

// The folder the program makes current at start, so every "./modules/..." path lands there.
namespace DataDir {

// The executable's folder when it holds a writable modules/ (a build folder, an unpacked copy);
// otherwise the per-user folder "$XDG_DATA_HOME/<application name>".
QString defaultFolder(const QString &exeDir);

// The files shipped with the program: the installed share/<application name>/modules beside
// the executable's bin/, else the executable's own modules/.
QString shippedModules(const QString &exeDir);

// Copies every file under `shipped` that `folder`/modules lacks, keeping a user's files as they
// are. False when a folder or a copy could not be made.
bool seed(const QString &shipped, const QString &folder);

// Creates `folder`, seeds it unless its modules/ is the shipped one, and makes it current.
bool enter(const QString &folder, const QString &exeDir);

} // namespace DataDir
