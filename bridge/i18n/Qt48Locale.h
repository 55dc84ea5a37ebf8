#pragma once

#include <QString>

// Language file codes carry the numbers of Qt 4.8's QLocale::Language and QLocale::Country,
// which later Qt versions renumbered; these tables keep the old numbering and English names.
namespace Qt48Locale {

// The English name, as Qt 4.8's languageToString/countryToString gave it ("Unknown" when the
// number is not in the enumeration).
QString languageName(int language);
QString countryName(int country);

} // namespace Qt48Locale
