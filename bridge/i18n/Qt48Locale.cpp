#include "bridge/i18n/Qt48Locale.h"

namespace {

// QLocale::Language of Qt 4.8, indexed by its number, with its English name.
constexpr const char *languages[] = {
    "Default",                   // 0
    "C",                         // 1
    "Abkhazian",                 // 2
    "Afan",                      // 3
    "Afar",                      // 4
    "Afrikaans",                 // 5
    "Albanian",                  // 6
    "Amharic",                   // 7
    "Arabic",                    // 8
    "Armenian",                  // 9
    "Assamese",                  // 10
    "Aymara",                    // 11
    "Azerbaijani",               // 12
    "Bashkir",                   // 13
    "Basque",                    // 14
    "Bengali",                   // 15
    "Bhutani",                   // 16
    "Bihari",                    // 17
    "Bislama",                   // 18
    "Breton",                    // 19
    "Bulgarian",                 // 20
    "Burmese",                   // 21
    "Byelorussian",              // 22
    "Cambodian",                 // 23
    "Catalan",                   // 24
    "Chinese",                   // 25
    "Corsican",                  // 26
    "Croatian",                  // 27
    "Czech",                     // 28
    "Danish",                    // 29
    "Dutch",                     // 30
    "English",                   // 31
    "Esperanto",                 // 32
    "Estonian",                  // 33
    "Faroese",                   // 34
    "Fiji",                      // 35
    "Finnish",                   // 36
    "French",                    // 37
    "Frisian",                   // 38
    "Gaelic",                    // 39
    "Galician",                  // 40
    "Georgian",                  // 41
    "German",                    // 42
    "Greek",                     // 43
    "Greenlandic",               // 44
    "Guarani",                   // 45
    "Gujarati",                  // 46
    "Hausa",                     // 47
    "Hebrew",                    // 48
    "Hindi",                     // 49
    "Hungarian",                 // 50
    "Icelandic",                 // 51
    "Indonesian",                // 52
    "Interlingua",               // 53
    "Interlingue",               // 54
    "Inuktitut",                 // 55
    "Inupiak",                   // 56
    "Irish",                     // 57
    "Italian",                   // 58
    "Japanese",                  // 59
    "Javanese",                  // 60
    "Kannada",                   // 61
    "Kashmiri",                  // 62
    "Kazakh",                    // 63
    "Kinyarwanda",               // 64
    "Kirghiz",                   // 65
    "Korean",                    // 66
    "Kurdish",                   // 67
    "Rundi",                     // 68
    "Laothian",                  // 69
    "Latin",                     // 70
    "Latvian",                   // 71
    "Lingala",                   // 72
    "Lithuanian",                // 73
    "Macedonian",                // 74
    "Malagasy",                  // 75
    "Malay",                     // 76
    "Malayalam",                 // 77
    "Maltese",                   // 78
    "Maori",                     // 79
    "Marathi",                   // 80
    "Moldavian",                 // 81
    "Mongolian",                 // 82
    "Nauru",                     // 83
    "Nepali",                    // 84
    "Norwegian",                 // 85
    "Occitan",                   // 86
    "Oriya",                     // 87
    "Pashto",                    // 88
    "Persian",                   // 89
    "Polish",                    // 90
    "Portuguese",                // 91
    "Punjabi",                   // 92
    "Quechua",                   // 93
    "RhaetoRomance",             // 94
    "Romanian",                  // 95
    "Russian",                   // 96
    "Samoan",                    // 97
    "Sangho",                    // 98
    "Sanskrit",                  // 99
    "Serbian",                   // 100
    "SerboCroatian",             // 101
    "Sesotho",                   // 102
    "Setswana",                  // 103
    "Shona",                     // 104
    "Sindhi",                    // 105
    "Singhalese",                // 106
    "Siswati",                   // 107
    "Slovak",                    // 108
    "Slovenian",                 // 109
    "Somali",                    // 110
    "Spanish",                   // 111
    "Sundanese",                 // 112
    "Swahili",                   // 113
    "Swedish",                   // 114
    "Tagalog",                   // 115
    "Tajik",                     // 116
    "Tamil",                     // 117
    "Tatar",                     // 118
    "Telugu",                    // 119
    "Thai",                      // 120
    "Tibetan",                   // 121
    "Tigrinya",                  // 122
    "Tonga",                     // 123
    "Tsonga",                    // 124
    "Turkish",                   // 125
    "Turkmen",                   // 126
    "Twi",                       // 127
    "Uigur",                     // 128
    "Ukrainian",                 // 129
    "Urdu",                      // 130
    "Uzbek",                     // 131
    "Vietnamese",                // 132
    "Volapuk",                   // 133
    "Welsh",                     // 134
    "Wolof",                     // 135
    "Xhosa",                     // 136
    "Yiddish",                   // 137
    "Yoruba",                    // 138
    "Zhuang",                    // 139
    "Zulu",                      // 140
    "Nynorsk",                   // 141
    "Bosnian",                   // 142
    "Divehi",                    // 143
    "Manx",                      // 144
    "Cornish",                   // 145
    "Akan",                      // 146
    "Konkani",                   // 147
    "Ga",                        // 148
    "Igbo",                      // 149
    "Kamba",                     // 150
    "Syriac",                    // 151
    "Blin",                      // 152
    "Geez",                      // 153
    "Koro",                      // 154
    "Sidamo",                    // 155
    "Atsam",                     // 156
    "Tigre",                     // 157
    "Jju",                       // 158
    "Friulian",                  // 159
    "Venda",                     // 160
    "Ewe",                       // 161
    "Walamo",                    // 162
    "Hawaiian",                  // 163
    "Tyap",                      // 164
    "Chewa",                     // 165
    "Filipino",                  // 166
    "Swiss German",              // 167
    "Sichuan Yi",                // 168
    "Kpelle",                    // 169
    "Low German",                // 170
    "South Ndebele",             // 171
    "Northern Sotho",            // 172
    "Northern Sami",             // 173
    "Taroko",                    // 174
    "Gusii",                     // 175
    "Taita",                     // 176
    "Fulah",                     // 177
    "Kikuyu",                    // 178
    "Samburu",                   // 179
    "Sena",                      // 180
    "North Ndebele",             // 181
    "Rombo",                     // 182
    "Tachelhit",                 // 183
    "Kabyle",                    // 184
    "Nyankole",                  // 185
    "Bena",                      // 186
    "Vunjo",                     // 187
    "Bambara",                   // 188
    "Embu",                      // 189
    "Cherokee",                  // 190
    "Morisyen",                  // 191
    "Makonde",                   // 192
    "Langi",                     // 193
    "Ganda",                     // 194
    "Bemba",                     // 195
    "Kabuverdianu",              // 196
    "Meru",                      // 197
    "Kalenjin",                  // 198
    "Nama",                      // 199
    "Machame",                   // 200
    "Colognian",                 // 201
    "Masai",                     // 202
    "Soga",                      // 203
    "Luyia",                     // 204
    "Asu",                       // 205
    "Teso",                      // 206
    "Saho",                      // 207
    "Koyra Chiini",              // 208
    "Rwa",                       // 209
    "Luo",                       // 210
    "Chiga",                     // 211
    "Central Morocco Tamazight", // 212
    "Koyraboro Senni",           // 213
    "Shambala",                  // 214
    "Bodo",                      // 215
    "Aghem",                     // 216
    "Basaa",                     // 217
    "Zarma",                     // 218
    "Duala",                     // 219
    "JolaFonyi",                 // 220
    "Ewondo",                    // 221
    "Bafia",                     // 222
    "LubaKatanga",               // 223
    "MakhuwaMeetto",             // 224
    "Mundang",                   // 225
    "Kwasio",                    // 226
    "Nuer",                      // 227
    "Sakha",                     // 228
    "Sangu",                     // 229
    "Congo Swahili",             // 230
    "Tasawaq",                   // 231
    "Vai",                       // 232
    "Walser",                    // 233
    "Yangben",                   // 234
};

// QLocale::Country of Qt 4.8, indexed by its number. Names are the enumerators in words
// ("United States"), the way the language list shows a country.
constexpr const char *countries[] = {
    "Default",                                      // 0
    "Afghanistan",                                  // 1
    "Albania",                                      // 2
    "Algeria",                                      // 3
    "American Samoa",                               // 4
    "Andorra",                                      // 5
    "Angola",                                       // 6
    "Anguilla",                                     // 7
    "Antarctica",                                   // 8
    "Antigua And Barbuda",                          // 9
    "Argentina",                                    // 10
    "Armenia",                                      // 11
    "Aruba",                                        // 12
    "Australia",                                    // 13
    "Austria",                                      // 14
    "Azerbaijan",                                   // 15
    "Bahamas",                                      // 16
    "Bahrain",                                      // 17
    "Bangladesh",                                   // 18
    "Barbados",                                     // 19
    "Belarus",                                      // 20
    "Belgium",                                      // 21
    "Belize",                                       // 22
    "Benin",                                        // 23
    "Bermuda",                                      // 24
    "Bhutan",                                       // 25
    "Bolivia",                                      // 26
    "Bosnia And Herzegowina",                       // 27
    "Botswana",                                     // 28
    "Bouvet Island",                                // 29
    "Brazil",                                       // 30
    "British Indian Ocean Territory",               // 31
    "Brunei Darussalam",                            // 32
    "Bulgaria",                                     // 33
    "Burkina Faso",                                 // 34
    "Burundi",                                      // 35
    "Cambodia",                                     // 36
    "Cameroon",                                     // 37
    "Canada",                                       // 38
    "Cape Verde",                                   // 39
    "Cayman Islands",                               // 40
    "Central African Republic",                     // 41
    "Chad",                                         // 42
    "Chile",                                        // 43
    "China",                                        // 44
    "Christmas Island",                             // 45
    "Cocos Islands",                                // 46
    "Colombia",                                     // 47
    "Comoros",                                      // 48
    "Democratic Republic Of Congo",                 // 49
    "Peoples Republic Of Congo",                    // 50
    "Cook Islands",                                 // 51
    "Costa Rica",                                   // 52
    "Ivory Coast",                                  // 53
    "Croatia",                                      // 54
    "Cuba",                                         // 55
    "Cyprus",                                       // 56
    "Czech Republic",                               // 57
    "Denmark",                                      // 58
    "Djibouti",                                     // 59
    "Dominica",                                     // 60
    "Dominican Republic",                           // 61
    "East Timor",                                   // 62
    "Ecuador",                                      // 63
    "Egypt",                                        // 64
    "El Salvador",                                  // 65
    "Equatorial Guinea",                            // 66
    "Eritrea",                                      // 67
    "Estonia",                                      // 68
    "Ethiopia",                                     // 69
    "Falkland Islands",                             // 70
    "Faroe Islands",                                // 71
    "Fiji",                                         // 72
    "Finland",                                      // 73
    "France",                                       // 74
    "Metropolitan France",                          // 75
    "French Guiana",                                // 76
    "French Polynesia",                             // 77
    "French Southern Territories",                  // 78
    "Gabon",                                        // 79
    "Gambia",                                       // 80
    "Georgia",                                      // 81
    "Germany",                                      // 82
    "Ghana",                                        // 83
    "Gibraltar",                                    // 84
    "Greece",                                       // 85
    "Greenland",                                    // 86
    "Grenada",                                      // 87
    "Guadeloupe",                                   // 88
    "Guam",                                         // 89
    "Guatemala",                                    // 90
    "Guinea",                                       // 91
    "Guinea Bissau",                                // 92
    "Guyana",                                       // 93
    "Haiti",                                        // 94
    "Heard And Mc Donald Islands",                  // 95
    "Honduras",                                     // 96
    "Hong Kong",                                    // 97
    "Hungary",                                      // 98
    "Iceland",                                      // 99
    "India",                                        // 100
    "Indonesia",                                    // 101
    "Iran",                                         // 102
    "Iraq",                                         // 103
    "Ireland",                                      // 104
    "Israel",                                       // 105
    "Italy",                                        // 106
    "Jamaica",                                      // 107
    "Japan",                                        // 108
    "Jordan",                                       // 109
    "Kazakhstan",                                   // 110
    "Kenya",                                        // 111
    "Kiribati",                                     // 112
    "Democratic Republic Of Korea",                 // 113
    "Republic Of Korea",                            // 114
    "Kuwait",                                       // 115
    "Kyrgyzstan",                                   // 116
    "Lao",                                          // 117
    "Latvia",                                       // 118
    "Lebanon",                                      // 119
    "Lesotho",                                      // 120
    "Liberia",                                      // 121
    "Libyan Arab Jamahiriya",                       // 122
    "Liechtenstein",                                // 123
    "Lithuania",                                    // 124
    "Luxembourg",                                   // 125
    "Macau",                                        // 126
    "Macedonia",                                    // 127
    "Madagascar",                                   // 128
    "Malawi",                                       // 129
    "Malaysia",                                     // 130
    "Maldives",                                     // 131
    "Mali",                                         // 132
    "Malta",                                        // 133
    "Marshall Islands",                             // 134
    "Martinique",                                   // 135
    "Mauritania",                                   // 136
    "Mauritius",                                    // 137
    "Mayotte",                                      // 138
    "Mexico",                                       // 139
    "Micronesia",                                   // 140
    "Moldova",                                      // 141
    "Monaco",                                       // 142
    "Mongolia",                                     // 143
    "Montserrat",                                   // 144
    "Morocco",                                      // 145
    "Mozambique",                                   // 146
    "Myanmar",                                      // 147
    "Namibia",                                      // 148
    "Nauru",                                        // 149
    "Nepal",                                        // 150
    "Netherlands",                                  // 151
    "Netherlands Antilles",                         // 152
    "New Caledonia",                                // 153
    "New Zealand",                                  // 154
    "Nicaragua",                                    // 155
    "Niger",                                        // 156
    "Nigeria",                                      // 157
    "Niue",                                         // 158
    "Norfolk Island",                               // 159
    "Northern Mariana Islands",                     // 160
    "Norway",                                       // 161
    "Oman",                                         // 162
    "Pakistan",                                     // 163
    "Palau",                                        // 164
    "Palestinian Territory",                        // 165
    "Panama",                                       // 166
    "Papua New Guinea",                             // 167
    "Paraguay",                                     // 168
    "Peru",                                         // 169
    "Philippines",                                  // 170
    "Pitcairn",                                     // 171
    "Poland",                                       // 172
    "Portugal",                                     // 173
    "Puerto Rico",                                  // 174
    "Qatar",                                        // 175
    "Reunion",                                      // 176
    "Romania",                                      // 177
    "Russian Federation",                           // 178
    "Rwanda",                                       // 179
    "Saint Kitts And Nevis",                        // 180
    "St Lucia",                                     // 181
    "St Vincent And The Grenadines",                // 182
    "Samoa",                                        // 183
    "San Marino",                                   // 184
    "Sao Tome And Principe",                        // 185
    "Saudi Arabia",                                 // 186
    "Senegal",                                      // 187
    "Seychelles",                                   // 188
    "Sierra Leone",                                 // 189
    "Singapore",                                    // 190
    "Slovakia",                                     // 191
    "Slovenia",                                     // 192
    "Solomon Islands",                              // 193
    "Somalia",                                      // 194
    "South Africa",                                 // 195
    "South Georgia And The South Sandwich Islands", // 196
    "Spain",                                        // 197
    "Sri Lanka",                                    // 198
    "St Helena",                                    // 199
    "St Pierre And Miquelon",                       // 200
    "Sudan",                                        // 201
    "Suriname",                                     // 202
    "Svalbard And Jan Mayen Islands",               // 203
    "Swaziland",                                    // 204
    "Sweden",                                       // 205
    "Switzerland",                                  // 206
    "Syrian Arab Republic",                         // 207
    "Taiwan",                                       // 208
    "Tajikistan",                                   // 209
    "Tanzania",                                     // 210
    "Thailand",                                     // 211
    "Togo",                                         // 212
    "Tokelau",                                      // 213
    "Tonga",                                        // 214
    "Trinidad And Tobago",                          // 215
    "Tunisia",                                      // 216
    "Turkey",                                       // 217
    "Turkmenistan",                                 // 218
    "Turks And Caicos Islands",                     // 219
    "Tuvalu",                                       // 220
    "Uganda",                                       // 221
    "Ukraine",                                      // 222
    "United Arab Emirates",                         // 223
    "United Kingdom",                               // 224
    "United States",                                // 225
    "United States Minor Outlying Islands",         // 226
    "Uruguay",                                      // 227
    "Uzbekistan",                                   // 228
    "Vanuatu",                                      // 229
    "Vatican City State",                           // 230
    "Venezuela",                                    // 231
    "Viet Nam",                                     // 232
    "British Virgin Islands",                       // 233
    "US Virgin Islands",                            // 234
    "Wallis And Futuna Islands",                    // 235
    "Western Sahara",                               // 236
    "Yemen",                                        // 237
    "Yugoslavia",                                   // 238
    "Zambia",                                       // 239
    "Zimbabwe",                                     // 240
    "Serbia And Montenegro",                        // 241
    "Montenegro",                                   // 242
    "Serbia",                                       // 243
    "Saint Barthelemy",                             // 244
    "Saint Martin",                                 // 245
    "Latin America And The Caribbean",              // 246
};

template <size_t N> QString lookup(const char *const (&table)[N], int number)
{
    if (number < 0 || size_t(number) >= N)
        return QStringLiteral("Unknown");
    return QString::fromLatin1(table[number]);
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
