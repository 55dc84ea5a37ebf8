#pragma once

#include "platform/DataPaths.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <optional>

// The Recoil Data files: twelve Weapon Records per game ("gunData<game>.bin") and the weapon
// chosen for each fire key ("selGunData.bin"). The files are shipped; this never creates one.
class RecoilStore
{
public:
    static constexpr int kWeapons = 12;
    static constexpr int kFields = 7;
    static constexpr int kFireKeys = 3;

    explicit RecoilStore(const QString &folder = DataPaths::recoil());

    // The records of one game, concatenated; a missing record contributes nothing.
    QVariantList gunData(const QVariant &gameNo) const;
    // Writes every whole record that the list holds; false when nothing was written.
    bool saveGunData(const QVariant &gameNo, const QVariantList &gunData) const;

    QVariantList selection(const QVariant &fireKey) const;
    bool saveSelection(const QVariant &fireKey, const QVariantList &selection) const;

    // Path of a game's file, or nothing when the game number cannot name one.
    std::optional<QString> gameFile(const QVariant &gameNo) const;
    QString selectionFile() const;

private:
    static std::optional<int> fireKeyIndex(const QVariant &fireKey);

    QString m_folder;
};
