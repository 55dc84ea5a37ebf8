#include "bridge/audio/MediaSoundPlayers.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QSoundEffect>
#include <QUrl>

namespace {

QUrl fileUrl(const QString &path)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
}

} // namespace

MediaSoundPlayers::MediaSoundPlayers(QObject *parent) : SoundPlayers(parent)
{
    if (QMediaDevices::audioOutputs().isEmpty())
        return;

    m_output = new QAudioOutput(this);
    m_track = new QMediaPlayer(this);
    m_track->setAudioOutput(m_output);
    connect(m_track, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::EndOfMedia)
                    emit finished(0);
            });

    for (int i = 0; i < effectCount; ++i) {
        auto *sound = new QSoundEffect(this);
        m_effects[size_t(i)] = sound;
        connect(sound, &QSoundEffect::playingChanged, this, [this, sound, i] {
            if (sound->isPlaying() || !m_started[size_t(i)])
                return;
            m_started[size_t(i)] = false;
            emit finished(i + 1);
        });
    }
}

QSoundEffect *MediaSoundPlayers::effect(int player) const
{
    if (player < 1 || player > effectCount)
        return nullptr;
    return m_effects[size_t(player - 1)];
}

void MediaSoundPlayers::setSource(int player, const QString &path)
{
    const QUrl url = fileUrl(path);
    if (player == 0 && m_track) {
        // The same source again restarts the track rather than being ignored.
        if (m_track->source() == url)
            m_track->setPosition(0);
        else
            m_track->setSource(url);
    } else if (QSoundEffect *sound = effect(player)) {
        sound->setSource(url);
    }
}

void MediaSoundPlayers::play(int player)
{
    if (player == 0 && m_track) {
        m_track->play();
    } else if (QSoundEffect *sound = effect(player)) {
        m_started[size_t(player - 1)] = true;
        sound->play();
    }
}

void MediaSoundPlayers::clear(int player)
{
    if (player == 0 && m_track) {
        m_track->stop();
        m_track->setSource(QUrl());
    } else if (QSoundEffect *sound = effect(player)) {
        m_started[size_t(player - 1)] = false;
        sound->stop();
        sound->setSource(QUrl());
    }
}
