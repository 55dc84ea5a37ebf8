#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

// The Language Files as the scene asks for them, and the message strings of the one last
// loaded, which the boxes of the other concerns show.
class Languages
{
public:
    // Message String i of the language last loaded by globalStrings; empty before that.
    QString messageString(int i) const { return m_messageStrings.value(i); }

    QVariantMap catalog() const;
    // Also keeps the language's message strings.
    QStringList globalStrings(const QString &langCode);
    QStringList productLayoutStrings(const QString &langCode) const;
    // A picture the user chose; empty when cancelled or unreadable.
    QString customFilePath() const;

private:
    QStringList m_messageStrings;
};
