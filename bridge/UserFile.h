#pragma once

#include <QString>
#include <QStringList>

// Files the user picks in a file dialog for import or export: anything may be chosen, so each
// is checked before a store takes it in or a copy replaces it.
namespace UserFile {

// Far beyond any real profile or macro file; a larger file is not one of ours.
constexpr qint64 kMaxImportBytes = 1024 * 1024;

// Where the import and export dialogs open: the user's desktop folder.
QString startFolder();

// True for a readable regular file of at most kMaxImportBytes that reads as INI and holds a key
// in at least one of groups.
bool isIniWithGroup(const QString &path, const QStringList &groups);

} // namespace UserFile
