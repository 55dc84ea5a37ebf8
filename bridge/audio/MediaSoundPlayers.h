#pragma once

#include "bridge/audio/SoundPlayers.h"

#include <array>

class QAudioOutput;
class QMediaPlayer;
class QSoundEffect;

// Qt Multimedia: QMediaPlayer for the background track, QSoundEffect for the effects. Without
// an audio output nothing is created (Qt's media player crashes there) and every call is a
// no-op.
class MediaSoundPlayers final : public SoundPlayers
{
    Q_OBJECT
public:
    explicit MediaSoundPlayers(QObject *parent = nullptr);

    bool hasOutput() const { return m_track != nullptr; }

    void setSource(int player, const QString &path) override;
    void play(int player) override;
    void clear(int player) override;

private:
    static constexpr int effectCount = count - 1;

    QSoundEffect *effect(int player) const;

    QAudioOutput *m_output = nullptr;
    QMediaPlayer *m_track = nullptr;
    std::array<QSoundEffect *, effectCount> m_effects{};
    // Set by play(), so that the stop of clear() is not taken for the end of the sound.
    std::array<bool, effectCount> m_started{};
};
