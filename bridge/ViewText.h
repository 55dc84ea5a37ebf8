#pragma once

#include <QCoreApplication>
#include <QString>

// A user-visible text looked up in the view's translation context, where existing
// translations of the boxes and file dialogs are kept.
inline QString viewText(const char *sourceText)
{
    return QCoreApplication::translate("myQQuickView", sourceText);
}
