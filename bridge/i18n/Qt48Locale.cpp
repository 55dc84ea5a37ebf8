#include "bridge/i18n/Qt48Locale.h"

#include <array>
#include <string_view>

namespace {

struct Entry
{
    int number;
    std::string_view name;
};

// QLocale::Language of Qt 4.8, by number.
constexpr Entry languages[] = {
    {0, "Default"},
    {1, "C"},
    {25, "Chinese"},
    {31, "English"},
};

// QLocale::Country of Qt 4.8, by number.
constexpr Entry countries[] = {
    {0, "Default"},
    {44, "China"},
    {208, "Taiwan"},
    {225, "United States"},
};

template <size_t N> QString lookup(const Entry (&table)[N], int number)
{
    for (const Entry &e : table)
        if (e.number == number)
            return QString::fromLatin1(e.name.data(), qsizetype(e.name.size()));
    return QStringLiteral("Unknown");
}

} // namespace

QString Qt48Locale::languageName(int language)
{
    return lookup(languages, language);
}

QString Qt48Locale::countryName(int country)
{
    return lookup(countries, country);
}
