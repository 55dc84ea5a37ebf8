#include "bridge/myQQuickView.h"

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

void myQQuickView::setSoundPlayers(std::unique_ptr<SoundPlayers> players)
{
    m_sound = std::move(players);
    if (!m_sound)
        return;
    // The background track loops, and starts when the start-up effect (1) ends.
    connect(m_sound.get(), &SoundPlayers::finished, this, [this](int player) {
        if (player == background || player == 1)
            playMedia_Background();
    });
}

void myQQuickView::setEnableAudio(bool isEnable)
{
    m_audioEnabled = isEnable;
}

void myQQuickView::playMedia_Index(uchar index)
{
    if (!m_audioEnabled || index > lastEffect)
        return;
    if (index == background) {
        playMedia_Background();
        return;
    }
    if (!m_sound)
        return;
    // Replaying an effect that still sounds starts it over.
    m_sound->clear(index);
    m_sound->setSource(index, mediaFile(index));
    m_sound->play(index);
}

void myQQuickView::playMedia_Background()
{
    if (!m_sound)
        return;
    m_sound->setSource(background, mediaFile(background));
    m_sound->play(background);
}

void myQQuickView::clearAllMedia()
{
    if (!m_sound)
        return;
    for (int player = 0; player < SoundPlayers::count; ++player)
        m_sound->clear(player);
}
