#pragma once

#include "platform/DataPaths.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// One Language File, "lang_" + six-digit code + ".ini", opened for the life of the object.
class LanguageFile
{
public:
    static constexpr int messageCount = 13;
    static constexpr int layoutCount = 16;

    static QString defaultDir() { return DataPaths::languages(); }
    static QString pathFor(const QString &code, const QString &dir = defaultDir());

    // "ENGLISH", "CHINESE (Simp)", "ENGLISH (UNITED STATES)", ... for a six-digit code.
    static QString displayName(const QString &code);
    // Display name -> code of every Language File in dir, later files winning on equal names.
    static QVariantMap catalog(const QString &dir = defaultDir());

    explicit LanguageFile(const QString &code, const QString &dir = defaultDir());

    // [0] the font family, then UI strings 1 to "font/total".
    QStringList globalStrings() const;
    QStringList messageStrings() const;
    // The sixteen button labels of the mouse's button page.
    QStringList layoutStrings() const;

private:
    QString text(const QString &key) const;

    QSettings m_file;
};
