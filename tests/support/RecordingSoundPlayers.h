#pragma once

#include "bridge/audio/SoundPlayers.h"

#include <QStringList>

// Records every player call as one line ("clear 1", "source 1 ./modules/media/01.wav",
// "play 1"); finish(n) plays the end of player n's sound.
class RecordingSoundPlayers final : public SoundPlayers
{
public:
    QStringList calls;

    void setSource(int player, const QString &path) override
    {
        calls.append(QStringLiteral("source %1 %2").arg(player).arg(path));
    }
    void play(int player) override { calls.append(QStringLiteral("play %1").arg(player)); }
    void clear(int player) override { calls.append(QStringLiteral("clear %1").arg(player)); }

    void finish(int player) { emit finished(player); }
};
