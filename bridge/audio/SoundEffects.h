#pragma once

#include "bridge/audio/SoundPlayers.h"

#include <QObject>

#include <memory>

// The UI's sounds: a looping background track and four effects, all silent when disabled.
class SoundEffects : public QObject
{
    Q_OBJECT
public:
    explicit SoundEffects(QObject *parent = nullptr);
    ~SoundEffects() override;

    // Replaces the players; null leaves the UI silent.
    void setPlayers(std::unique_ptr<SoundPlayers> players);

    void setEnabled(bool isEnable) { m_enabled = isEnable; }
    // 0 is the background track, 1 to 4 the effects; others are ignored.
    void play(uchar index);
    void playBackground();
    void clearAll();

private:
    bool m_enabled = true;
    std::unique_ptr<SoundPlayers> m_players;
};
