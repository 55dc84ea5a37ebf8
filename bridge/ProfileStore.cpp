#include "bridge/ProfileStore.h"

#include "bridge/FileReplace.h"
#include "bridge/StaleLock.h"
#include "bridge/UserFile.h"
#include "bridge/ViewText.h"
#include "bridge/i18n/Languages.h"
#include "platform/DataPaths.h"
#include "platform/Dialogs.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

QString profilePath(int profile)
{
    return DataPaths::profile(profile + 1);
}

// The groups a profile keeps its keys in; an import must hold at least one of them.
const QStringList kProfileGroups = {QStringLiteral("sensor"),       QStringLiteral("color_V7"),
                                    QStringLiteral("keydefine_V7"), QStringLiteral("keydefine"),
                                    QStringLiteral("color"),        QStringLiteral("userPicture")};

// Replaces the file behind handle with a copy of source and reopens it. When the copy fails
// the old file and handle stay as they were, and the result is false.
bool replaceFrom(std::unique_ptr<QSettings> &handle, const QString &source)
{
    const QString target = handle->fileName();
    StaleLock::clear(target);
    // Pending writes go to the old file first, so none of them lands on the new one later.
    handle->sync();
    const QDateTime before = QFileInfo(target).lastModified();
    if (!FileReplace::copyOver(source, target))
        return false;
    // QSettings keeps a parsed copy per path and re-reads the file only when its size or
    // modification time differs: a same-sized copy made within the same millisecond would
    // otherwise be taken for the old content.
    if (before.isValid() && QFileInfo(target).lastModified() == before) {
        QFile file(target);
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(before.addMSecs(1), QFileDevice::FileModificationTime);
    }
    handle = std::make_unique<QSettings>(target, QSettings::IniFormat);
    return true;
}

void appendList(QVariantList &out, const QSettings &s, const QString &key)
{
    out += s.value(key).toList();
}

} // namespace

ProfileStore::ProfileStore(const Languages &languages) : m_languages(languages)
{
    const QString apConfig = DataPaths::apConfig();
    StaleLock::clear(apConfig);
    m_apConfig = std::make_unique<QSettings>(apConfig, QSettings::IniFormat);
    for (int n = 1; n <= kProfiles; ++n) {
        const QString profile = DataPaths::profile(n);
        StaleLock::clear(profile);
        m_profiles.push_back(std::make_unique<QSettings>(profile, QSettings::IniFormat));
    }
}

ProfileStore::~ProfileStore() = default;

bool ProfileStore::select(int profile)
{
    if (profile == m_current || !exists(profile))
        return false;
    m_current = profile;
    return true;
}

void ProfileStore::saveApConfig(const QVariantList &apConfigs)
{
    m_apConfig->setValue(QStringLiteral("common/total"), int(apConfigs.size()));
    for (qsizetype i = 0; i < apConfigs.size(); ++i)
        m_apConfig->setValue(QStringLiteral("common/") + QString::number(i), apConfigs[i]);
}

QVariantList ProfileStore::loadApConfig() const
{
    // Every entry is a key of its own: an edited total cannot ask for more than the file holds.
    const int total = std::clamp(m_apConfig->value(QStringLiteral("common/total"), 0).toInt(), 0,
                                 int(m_apConfig->allKeys().size()));
    QVariantList list;
    for (int i = 0; i < total; ++i)
        list.append(m_apConfig->value(QStringLiteral("common/") + QString::number(i)));
    return list;
}

QVariantList ProfileStore::loadDeviceApConfig() const
{
    return {m_apConfig->value(QStringLiteral("V7/colorMaxStage"), 8).toInt()};
}

void ProfileStore::resetApConfig()
{
    replaceFrom(m_apConfig, DataPaths::apConfigDefault());
}

QVariantList ProfileStore::loadDefaultProfile(uchar uiPageId) const
{
    const QSettings pD(DataPaths::profileDefault(), QSettings::IniFormat);
    QVariantList list;
    switch (uiPageId) {
    case 0:
        for (int n = 0; n < 16; ++n)
            appendList(list, pD, QStringLiteral("keydefine_V7/") + QString::number(n));
        break;
    case 2:
        appendList(list, pD, QStringLiteral("color_V7/type0"));
        appendList(list, pD, QStringLiteral("color_V7/ledEffect"));
        break;
    case 3:
        list.append(pD.value(QStringLiteral("sensor/reportRate_V7"), 2).toInt());
        list.append(pD.value(QStringLiteral("sensor/cursorSpeed_V7"), 5).toInt());
        list.append(pD.value(QStringLiteral("sensor/verticalScrollLines_V7"), 2).toInt());
        list.append(pD.value(QStringLiteral("sensor/doubleClickSpeed_V7"), 5).toInt());
        appendList(list, pD, QStringLiteral("sensor/dpi_V7"));
        list.append(pD.value(QStringLiteral("sensor/stage_V7"), 2).toInt());
        appendList(list, pD, QStringLiteral("color_V7/type1"));
        appendList(list, pD, QStringLiteral("color_V7/type2"));
        break;
    default:
        break;
    }
    return list;
}

void ProfileStore::importProfile(int profile)
{
    if (!exists(profile))
        return;
    const QString path = Dialogs::instance().openFileName(
        viewText("Open File"), UserFile::startFolder(), viewText("Profile(*.pf)"));
    if (path.isEmpty())
        return;
    // Anything else would replace the profile with whatever the file holds.
    if (!UserFile::isIniWithGroup(path, kProfileGroups) ||
        !replaceFrom(m_profiles[size_t(profile)], path))
        Dialogs::instance().warning(m_languages.messageString(6),
                                    m_languages.messageString(7).arg(path));
}

void ProfileStore::exportProfile(int profile)
{
    if (!exists(profile))
        return;
    const QString path = Dialogs::instance().saveFileName(
        viewText("Save File"), UserFile::startFolder(), viewText("Profile(*.pf)"));
    if (path.isEmpty())
        return;
    // Values set moments ago are part of the export.
    m_profiles[size_t(profile)]->sync();
    if (!FileReplace::copyOver(profilePath(profile), path))
        Dialogs::instance().warning(m_languages.messageString(9),
                                    m_languages.messageString(10).arg(path));
}

void ProfileStore::resetProfile(int profile)
{
    if (!exists(profile))
        return;
    replaceFrom(m_profiles[size_t(profile)], DataPaths::profileDefault());
}
