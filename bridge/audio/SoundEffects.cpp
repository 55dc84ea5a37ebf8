#include "bridge/audio/SoundEffects.h"

#include "platform/DataPaths.h"

namespace {

enum : int { background = 0, lastEffect = 4 };

QString mediaFile(int index)
{
    return QStringLiteral("%1/0%2.%3")
        .arg(DataPaths::media())
        .arg(index)
        .arg(index == background ? QStringLiteral("mp3") : QStringLiteral("wav"));
}

} // namespace

SoundEffects::SoundEffects(QObject *parent) : QObject(parent) {}

SoundEffects::~SoundEffects() = default;

void SoundEffects::setPlayers(std::unique_ptr<SoundPlayers> players)
{
    m_players = std::move(players);
    if (!m_players)
        return;
    // The background track loops, and starts when the start-up effect (1) ends.
    connect(m_players.get(), &SoundPlayers::finished, this, [this](int player) {
        if (player == background || player == 1)
            playBackground();
    });
}

void SoundEffects::play(uchar index)
{
    if (!m_enabled || index > lastEffect)
        return;
    if (index == background) {
        playBackground();
        return;
    }
    if (!m_players)
        return;
    // Replaying an effect that still sounds starts it over.
    m_players->clear(index);
    m_players->setSource(index, mediaFile(index));
    m_players->play(index);
}

void SoundEffects::playBackground()
{
    if (!m_players)
        return;
    m_players->setSource(background, mediaFile(background));
    m_players->play(background);
}

void SoundEffects::clearAll()
{
    if (!m_players)
        return;
    for (int player = 0; player < SoundPlayers::count; ++player)
        m_players->clear(player);
}
