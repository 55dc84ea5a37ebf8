#include "bridge/RecoilStore.h"

#include "bridge/StaleLock.h"
#include "bridge/StoreNames.h"

#include <QFile>
#include <QSettings>

#include <algorithm>

namespace {

QString recordKey(int i)
{
    return QStringLiteral("gunData/") + QString::number(i);
}

} // namespace

RecoilStore::RecoilStore(const QString &folder) : m_folder(folder) {}

std::optional<QString> RecoilStore::gameFile(const QVariant &gameNo) const
{
    const auto number = StoreNames::plainNumber(gameNo);
    if (!number)
        return std::nullopt;
    return m_folder + QStringLiteral("/gunData") + *number + QStringLiteral(".bin");
}

QString RecoilStore::selectionFile() const
{
    return m_folder + QStringLiteral("/selGunData.bin");
}

std::optional<int> RecoilStore::fireKeyIndex(const QVariant &fireKey)
{
    const auto number = StoreNames::plainNumber(fireKey);
    if (!number)
        return std::nullopt;
    const int k = number->toInt();
    if (k >= kFireKeys)
        return std::nullopt;
    return k;
}

QVariantList RecoilStore::gunData(const QVariant &gameNo) const
{
    const auto path = gameFile(gameNo);
    if (!path || !QFile::exists(*path))
        return {};
    QSettings file(*path, QSettings::IniFormat);
    QVariantList all;
    for (int i = 0; i < kWeapons; ++i)
        all += file.value(recordKey(i), QVariant()).toList();
    return all;
}

bool RecoilStore::saveGunData(const QVariant &gameNo, const QVariantList &gunData) const
{
    const auto path = gameFile(gameNo);
    if (!path || !QFile::exists(*path))
        return false;
    // A short list only replaces the records it holds whole; a partial record would leave the
    // weapon with fields shifted.
    const int records = std::min<int>(kWeapons, int(gunData.size() / kFields));
    if (records == 0)
        return false;
    StaleLock::clear(*path);
    QSettings file(*path, QSettings::IniFormat);
    for (int i = 0; i < records; ++i)
        file.setValue(recordKey(i), gunData.mid(i * kFields, kFields));
    file.sync();
    return file.status() == QSettings::NoError;
}

QVariantList RecoilStore::selection(const QVariant &fireKey) const
{
    const auto k = fireKeyIndex(fireKey);
    if (!k || !QFile::exists(selectionFile()))
        return {};
    QSettings file(selectionFile(), QSettings::IniFormat);
    return file.value(recordKey(*k), QVariant()).toList();
}

bool RecoilStore::saveSelection(const QVariant &fireKey, const QVariantList &selection) const
{
    const auto k = fireKeyIndex(fireKey);
    if (!k || !QFile::exists(selectionFile()))
        return false;
    StaleLock::clear(selectionFile());
    QSettings file(selectionFile(), QSettings::IniFormat);
    file.setValue(recordKey(*k), selection);
    file.sync();
    return file.status() == QSettings::NoError;
}
