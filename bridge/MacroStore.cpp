#include "bridge/MacroStore.h"

#include "bridge/FileReplace.h"

#include "bridge/StaleLock.h"
#include "bridge/StoreNames.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <algorithm>

namespace {

const QString kSuffix = QStringLiteral(".bin");
constexpr int kMaxNumber = 1000000;

QString lineKey(int i)
{
    return QStringLiteral("macro/") + QString::number(i);
}

} // namespace

MacroStore::MacroStore(const QString &folder) : m_folder(folder) {}

std::optional<QString> MacroStore::path(const QString &name) const
{
    if (!StoreNames::isSafeFileName(name))
        return std::nullopt;
    return m_folder + QLatin1Char('/') + name + kSuffix;
}

bool MacroStore::exists(const QString &name) const
{
    const auto file = path(name);
    return file && QFile::exists(*file);
}

QString MacroStore::create() const
{
    if (!QDir().mkpath(m_folder))
        return {};
    for (int n = 1; n < kMaxNumber; ++n) {
        const QString name =
            QStringLiteral("Macro. ") + QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
        const QString file = *path(name);
        if (QFile::exists(file))
            continue;
        StaleLock::clear(file);
        QSettings ini(file, QSettings::IniFormat);
        ini.setValue(QStringLiteral("config/index"), -1);
        ini.setValue(QStringLiteral("config/total"), 0);
        ini.setValue(QStringLiteral("config/repeat"), 1);
        ini.setValue(QStringLiteral("config/did"), -1);
        ini.sync();
        return ini.status() == QSettings::NoError ? name : QString();
    }
    return {};
}

bool MacroStore::remove(const QString &name) const
{
    const auto file = path(name);
    return file && QFile::remove(*file);
}

QStringList MacroStore::names() const
{
    // Hidden too: a macro whose name starts with a dot is still a macro.
    return QDir(m_folder).entryList({QStringLiteral("*.bin")},
                                    QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                                    QDir::Name | QDir::IgnoreCase);
}

bool MacroStore::rename(const QString &oldName, const QString &newName) const
{
    const auto from = path(oldName);
    const auto to = path(newName);
    // QFile::rename never overwrites an existing target.
    return from && to && QFile::exists(*from) && QFile::rename(*from, *to);
}

QStringList MacroStore::script(const QString &name) const
{
    if (!exists(name))
        return {};
    QSettings ini(*path(name), QSettings::IniFormat);
    const int total = std::min(ini.value(QStringLiteral("config/total"), 0).toInt(), kMaxLines);
    QStringList lines;
    for (int i = 0; i < total; ++i)
        lines << ini.value(lineKey(i), 0).toString();
    return lines;
}

bool MacroStore::saveScript(const QString &name, const QStringList &lines) const
{
    if (!exists(name))
        return false;
    StaleLock::clear(*path(name));
    QSettings ini(*path(name), QSettings::IniFormat);
    ini.remove(QStringLiteral("macro"));
    ini.setValue(QStringLiteral("config/total"), int(lines.size()));
    for (int i = 0; i < lines.size(); ++i)
        ini.setValue(lineKey(i), lines[i]);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

QVariantList MacroStore::config(const QString &name, int deviceKind) const
{
    if (!exists(name))
        return {};
    QSettings ini(*path(name), QSettings::IniFormat);
    const int did = ini.value(QStringLiteral("config/did"), -1).toInt();
    const int repeat = ini.value(QStringLiteral("config/repeat"), 1).toInt();
    const int index =
        did == deviceKind ? ini.value(QStringLiteral("config/index"), -1).toInt() : -1;
    return {index, repeat};
}

bool MacroStore::setConfig(const QString &name, const QVariantList &config, int deviceKind) const
{
    if (!exists(name) || config.size() < 2)
        return false;
    StaleLock::clear(*path(name));
    QSettings ini(*path(name), QSettings::IniFormat);
    ini.setValue(QStringLiteral("config/index"), config[0].toInt());
    ini.setValue(QStringLiteral("config/repeat"), config[1].toInt());
    ini.setValue(QStringLiteral("config/did"), uint(deviceKind));
    ini.sync();
    return ini.status() == QSettings::NoError;
}

int MacroStore::boundIndex(const QString &name) const
{
    if (!exists(name))
        return -1;
    QSettings ini(*path(name), QSettings::IniFormat);
    return ini.value(QStringLiteral("config/index"), -1).toInt();
}

uint MacroStore::repeat(const QString &name) const
{
    if (!exists(name))
        return 1;
    QSettings ini(*path(name), QSettings::IniFormat);
    return ini.value(QStringLiteral("config/repeat"), 1).toUInt();
}

QString MacroStore::importName(const QString &source)
{
    // Normally the four characters are ".bin".
    const QString fileName = source.mid(source.lastIndexOf(QLatin1Char('/')) + 1);
    return fileName.left(std::max<qsizetype>(0, fileName.size() - 4));
}

QString MacroStore::importFile(const QString &source) const
{
    const QString name = importName(source);
    const auto target = path(name);
    if (!target || !QDir().mkpath(m_folder) || !FileReplace::copyOver(source, *target))
        return {};
    return name;
}

bool MacroStore::exportFile(const QString &name, const QString &target) const
{
    return exists(name) && !target.isEmpty() && FileReplace::copyOver(*path(name), target);
}
