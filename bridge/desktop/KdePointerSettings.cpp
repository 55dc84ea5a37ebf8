// GIO first: its headers use "signals" as a member name, which Qt's keyword would replace.
#include <gio/gio.h>

#include "bridge/desktop/KdePointerSettings.h"

#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <climits>

namespace {

const QString kdeGroup = QStringLiteral("[KDE]");

// The key of an entry line, or empty for anything else. KConfig may append flags such as
// "[$i]" (immutable) to the key; they stay part of what is returned.
QString entryKey(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')) ||
        trimmed.startsWith(QLatin1Char('[')))
        return QString();
    const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : trimmed.left(eq).trimmed();
}

bool isGroupHeader(const QString &line)
{
    return line.trimmed().startsWith(QLatin1Char('['));
}

// Sets key=value in [KDE] and leaves every other line as it was. False when the administrator
// made the group or the entry immutable.
bool setEntry(QStringList &lines, const QString &key, const QString &value)
{
    const QString entry = key + QLatin1Char('=') + value;
    qsizetype group = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString header = lines[i].trimmed();
        if (header == kdeGroup) {
            group = i;
            break;
        }
        if (header.startsWith(kdeGroup + QStringLiteral("[$i]")))
            return false;
    }
    if (group < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append(kdeGroup);
        lines.append(entry);
        return true;
    }
    qsizetype lastEntry = group;
    for (qsizetype i = group + 1; i < lines.size() && !isGroupHeader(lines[i]); ++i) {
        const QString k = entryKey(lines[i]);
        if (k == key) {
            lines[i] = entry;
            return true;
        }
        if (k.startsWith(key + QStringLiteral("[$i]")))
            return false;
        if (!lines[i].trimmed().isEmpty())
            lastEntry = i;
    }
    lines.insert(lastEntry + 1, entry);
    return true;
}

// What KDE's own settings modules send after a mouse setting changed: notifyChange
// (SettingsChanged, SETTINGS_MOUSE).
void announceMouseChange()
{
    GError *error = nullptr;
    GDBusConnection *bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        g_clear_error(&error);
        return;
    }
    g_dbus_connection_emit_signal(bus, nullptr, "/KGlobalSettings", "org.kde.KGlobalSettings",
                                  "notifyChange", g_variant_new("(ii)", 3, 0), nullptr);
    g_object_unref(bus);
}

} // namespace

KdePointerSettings::KdePointerSettings(QString file, bool announce)
    : m_file(file.isEmpty()
                 ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                       QStringLiteral("/kdeglobals")
                 : std::move(file)),
      m_announce(announce)
{
}

bool KdePointerSettings::writeKey(const QString &key, unsigned value)
{
    QStringList lines;
    QFile in(m_file);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly))
            return false;
        lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
        in.close();
        // The final newline leaves an empty last element.
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
    }
    if (!setEntry(lines, key, QString::number(value)))
        return false;

    // Through a temporary file and a rename, so a failed write leaves the old file whole.
    QSaveFile out(m_file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    if (!out.commit())
        return false;
    if (m_announce)
        announceMouseChange();
    return true;
}

bool KdePointerSettings::setWheelScrollLines(unsigned lines)
{
    if (lines == 0 || lines > unsigned(INT_MAX))
        return false;
    return writeKey(QStringLiteral("WheelScrollLines"), lines);
}

bool KdePointerSettings::setDoubleClickTime(unsigned ms)
{
    if (ms == 0 || ms > unsigned(INT_MAX))
        return false;
    return writeKey(QStringLiteral("DoubleClickInterval"), ms);
}
