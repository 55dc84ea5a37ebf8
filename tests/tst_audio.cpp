// The sound slots drive the players through a recording fake, so nothing here needs a sound
// card; the real players are only checked for staying quiet without one, the shipped sounds
// for decoding.
#include "bridge/audio/MediaSoundPlayers.h"
#include "bridge/myQQuickView.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QPointer>
#include <QtTest>

namespace {

// Records every player call as one line ("clear 1", "source 1 …/01.wav", "play 1").
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

} // namespace

class tst_Audio : public QObject
{
    Q_OBJECT

private slots:
    // Actions: "play n" (playMedia_Index), "background", "off"/"on" (setEnableAudio), "clear"
    // (clearAllMedia) and "end n" (player n's sound ended).
    void slotsDriveThePlayers_data()
    {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("calls");
        const QString bg = QStringLiteral("source 0 ./modules/media/00.mp3, play 0");
        for (int i : {1, 4}) {
            const QString once =
                QStringLiteral("clear %1, source %1 ./modules/media/0%1.wav, play %1").arg(i);
            QTest::addRow("effect %d restarts its player", i)
                << QStringLiteral("play %1, play %1").arg(i) << once + ", " + once;
        }
        // The background starts at 0 and when the start-up sound (1) ends; it is never cleared.
        QTest::newRow("background") << "play 0, end 1" << bg + ", " + bg;
        QTest::newRow("above 4, end of an effect: nothing") << "play 5, play 255, end 2, end 4"
                                                            << "";
        QTest::newRow("off blocks index, not background; on again")
            << "off, play 0, play 2, background, on, play 3"
            << bg + ", clear 3, source 3 ./modules/media/03.wav, play 3";
        QTest::newRow("off stops nothing, the loop goes on")
            << "play 0, off, end 0" << bg + ", " + bg;
        QTest::newRow("clear all, in order") << "clear"
                                             << "clear 0, clear 1, clear 2, clear 3, clear 4";
    }
    void slotsDriveThePlayers()
    {
        QFETCH(QString, actions);
        QFETCH(QString, calls);
        myQQuickView view;
        auto owned = std::make_unique<RecordingSoundPlayers>();
        RecordingSoundPlayers *players = owned.get();
        view.setSoundPlayers(std::move(owned));
        for (const QString &a : actions.split(QStringLiteral(", "))) {
            const uchar n = uchar(a.section(' ', 1).toUInt());
            if (a.startsWith(QLatin1String("play")))
                view.playMedia_Index(n);
            else if (a.startsWith(QLatin1String("end")))
                players->finish(n);
            else if (a == QLatin1String("background"))
                view.playMedia_Background();
            else if (a == QLatin1String("clear"))
                view.clearAllMedia();
            else
                view.setEnableAudio(a == QLatin1String("on"));
        }
        QCOMPARE(players->calls.join(QStringLiteral(", ")), calls);
        // Replaced players are dropped, not leaked or still played.
        QPointer<SoundPlayers> old = players;
        view.setSoundPlayers(std::make_unique<RecordingSoundPlayers>());
        QVERIFY(old.isNull());
    }

    // The files the players are given must be sound the media backend can read.
    void shippedSoundsDecode_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("background") << "./modules/media/00.mp3";
        for (int i = 1; i <= 4; ++i)
            QTest::addRow("effect %d", i) << QStringLiteral("./modules/media/0%1.wav").arg(i);
    }
    void shippedSoundsDecode()
    {
        QFETCH(QString, path);
        QAudioDecoder decoder;
        qint64 decodedUs = 0;
        bool failed = false;
        connect(&decoder, &QAudioDecoder::bufferReady, this,
                [&] { decodedUs += decoder.read().duration(); });
        connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this,
                [&] { failed = true; });
        QSignalSpy done(&decoder, &QAudioDecoder::finished);
        decoder.setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
        decoder.start();
        QTRY_VERIFY_WITH_TIMEOUT(failed || done.count() == 1, 30000);
        QVERIFY2(!failed, qPrintable(decoder.errorString()));
        QVERIFY(decodedUs > 0);
    }

    void realPlayersWithoutOutputStayQuiet()
    {
        if (!QMediaDevices::audioOutputs().isEmpty())
            QSKIP("this machine has an audio output");
        MediaSoundPlayers players;
        QVERIFY(!players.hasOutput());
        for (int player = -1; player <= SoundPlayers::count; ++player) {
            players.setSource(player, QStringLiteral("./modules/media/01.wav"));
            players.play(player);
            players.clear(player);
        }
        // The view's own players, created by its constructor.
        myQQuickView view;
        view.playMedia_Index(1);
        view.playMedia_Index(0);
        view.clearAllMedia();
    }
};

QTEST_MAIN(tst_Audio)
#include "tst_audio.moc"
