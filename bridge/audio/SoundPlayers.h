#pragma once

#include <QObject>
#include <QString>

// The UI's five sound players: 0 the background track, 1 to 4 the effects. Paths are relative
// to the working directory.
class SoundPlayers : public QObject
{
    Q_OBJECT
public:
    static constexpr int count = 5;

    using QObject::QObject;

    virtual void setSource(int player, const QString &path) = 0;
    virtual void play(int player) = 0;
    // Stops the player and drops its source; no finished() follows.
    virtual void clear(int player) = 0;

signals:
    // The player reached the end of its sound.
    void finished(int player);
};
