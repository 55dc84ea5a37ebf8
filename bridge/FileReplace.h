#pragma once

#include <QString>

// Copies a file over another through a temporary file beside the target and a rename, so a
// failed copy leaves the target as it was.
namespace FileReplace {

// False when the source cannot be read or the target cannot be written; the target is then
// unchanged, and so is a target that exists but is not a regular file. A source equal to the
// target succeeds without writing.
bool copyOver(const QString &source, const QString &target);

} // namespace FileReplace
