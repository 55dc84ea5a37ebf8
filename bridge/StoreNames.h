#pragma once

#include <QString>
#include <QVariant>

#include <optional>

// Names that QML hands in end up in file paths; these checks keep them inside their folder.
namespace StoreNames {

// A single path component: not empty, no separator, no NUL, no "..".
bool isSafeFileName(const QString &name);

// The decimal text of a plain non-negative integer (int, whole double or a string of digits);
// nothing for anything else.
std::optional<QString> plainNumber(const QVariant &value);

} // namespace StoreNames
