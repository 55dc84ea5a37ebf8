#include "bridge/KeyNameMap.h"

#include <initializer_list>

namespace {

struct Run
{
    uchar first;
    std::initializer_list<const char *> names; // UTF-8, consecutive codes from first
};

// These names must match the QML key tables character for character, or recorded lines are
// dropped when a macro is encoded. "KP 7 " keeps its trailing space; the third international key
// is "Int'l 2" while 0x88 is spelled "Intl'2".
const Run kRuns[] = {
    {0x04, {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
            "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"}},
    {0x1E, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"}},
    {0x28, {"Enter", "Esc", "Back", "Tab", "Space", "- _", "= +", "[ {", "] }", "\\ |"}},
    {0x33, {"; :", "' \"", "` ~", ", <", ". >", "/ ?", "Caps"}},
    {0x3A, {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"}},
    {0x46, {"Prt", "Scr", "Pau", "Ins", "Hom", "PgU", "Del", "End", "PgD"}},
    {0x4F, {"\u25BA", "\u25C4", "\u25BC", "\u25B2", "Num"}},
    {0x54,
     {"KP /", "KP *", "KP -", "KP +", "KP Enter", "KP 1", "KP 2", "KP 3", "KP 4", "KP 5", "KP 6",
      "KP 7 ", "KP 8", "KP 9", "KP 0", "KP ."}},
    {0x64, {"Eur 2", "App", "Power", "KP ="}},
    {0x68, {"F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"}},
    {0x85, {"Keypad"}},
    {0x87, {"Int'l 1", "Intl'2", "Int'l 2", "Int'l 4", "Int'l 5"}},
    {0x90, {"Lang 1", "Lang 2"}},
    {0xE0, {"L Ctrl", "L Shift", "L Alt", "L Win", "R Ctrl", "R Shift", "R Alt", "R Win"}},
    {0xF0, {"MS-L", "MS-R", "MS-M", "MS-B4", "MS-B5"}},
};

} // namespace

void KeyNameMap::build()
{
    m_entries.clear();
    m_codes.clear();
    for (const Run &run : kRuns) {
        int code = run.first;
        for (const char *name : run.names)
            add(QString::fromUtf8(name), uchar(code++));
    }
}

void KeyNameMap::add(const QString &name, uchar code)
{
    m_entries.append({name, code});
    m_codes.insert(name, code);
}
