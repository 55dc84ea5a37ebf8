#include "bridge/i18n/LanguageFile.h"

#include "bridge/i18n/Qt48Locale.h"

#include <QDir>

namespace {

// A hand-edited "font/total" must not make us build a list of billions of strings.
constexpr int maxUiStrings = 65535;

bool isSixDigits(const QString &code)
{
    if (code.size() != 6)
        return false;
    for (QChar c : code)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

QString LanguageFile::pathFor(const QString &code, const QString &dir)
{
    return dir + QStringLiteral("/lang_") + code + QStringLiteral(".ini");
}

QString LanguageFile::displayName(const QString &code)
{
    const int language = code.left(3).toInt();
    const int country = code.mid(3, 3).toInt();
    QString name = Qt48Locale::languageName(language).toUpper();
    switch (country) {
    case 0:
        break;
    case 44: // China
        name += QStringLiteral(" (Simp)");
        break;
    case 208: // Taiwan
        name += QStringLiteral(" (Trad)");
        break;
    default:
        name +=
            QStringLiteral(" (") + Qt48Locale::countryName(country).toUpper() + QLatin1Char(')');
        break;
    }
    return name;
}

QVariantMap LanguageFile::catalog(const QString &dir)
{
    QVariantMap map;
    const QStringList files = QDir(dir).entryList({QStringLiteral("lang_*.ini")}, QDir::Files,
                                                  QDir::Name | QDir::IgnoreCase);
    for (const QString &file : files) {
        const QString code = file.mid(5, 6);
        // A stray "lang_notes.ini" is not a language.
        if (!isSixDigits(code))
            continue;
        map.insert(displayName(code), code);
    }
    return map;
}

LanguageFile::LanguageFile(const QString &code, const QString &dir)
    : m_file(pathFor(code, dir), QSettings::IniFormat)
{
}

QString LanguageFile::text(const QString &key) const
{
    return m_file.value(key).toString();
}

QStringList LanguageFile::globalStrings() const
{
    const int total =
        qBound(0, m_file.value(QStringLiteral("font/total"), 0).toInt(), maxUiStrings);
    QStringList result;
    result.reserve(total + 1);
    result.append(text(QStringLiteral("font/family")));
    for (int i = 1; i <= total; ++i)
        result.append(text(QStringLiteral("strings/") + QString::number(i)));
    return result;
}

QStringList LanguageFile::messageStrings() const
{
    QStringList result;
    for (int i = 0; i < messageCount; ++i)
        result.append(text(QStringLiteral("msg/") + QString::number(i)));
    return result;
}

QStringList LanguageFile::layoutStrings() const
{
    QStringList result;
    for (int i = 0; i < layoutCount; ++i)
        result.append(text(QStringLiteral("V7_133C6AA/") + QString::number(i)));
    return result;
}
