#include "bridge/audio/MediaSoundPlayers.h"
#include "bridge/myQQuickView.h"
#include "support/RecordingSoundPlayers.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QPointer>
#include <QtTest>

// The sound slots drive the players through a recording fake, so nothing here needs a sound
// card; the real players are only checked for staying quiet without one.
class tst_Audio : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void effectRestartsItsPlayer_data();
    void effectRestartsItsPlayer();
    void indexZeroStartsTheBackground();
    void indexAboveFourDoesNothing_data();
    void indexAboveFourDoesNothing();
    void disabledAudioBlocksIndexButNotBackground();
    void disablingAloneStopsNothing();
    void clearAllMediaClearsEveryPlayerInOrder();
    void endOfSoundStartsBackground_data();
    void endOfSoundStartsBackground();
    void replacedPlayersAreDropped();
    void shippedSoundFiles_data();
    void shippedSoundFiles();
    void shippedSoundsDecode_data();
    void shippedSoundsDecode();
    void realPlayersWithoutOutputStayQuiet();

private:
    std::unique_ptr<myQQuickView> m_view;
    RecordingSoundPlayers *m_players = nullptr;
};

void tst_Audio::init()
{
    m_view = std::make_unique<myQQuickView>();
    auto players = std::make_unique<RecordingSoundPlayers>();
    m_players = players.get();
    m_view->setSoundPlayers(std::move(players));
}

void tst_Audio::cleanup()
{
    m_view.reset();
    m_players = nullptr;
}

void tst_Audio::effectRestartsItsPlayer_data()
{
    QTest::addColumn<int>("index");
    for (int i = 1; i <= 4; ++i)
        QTest::addRow("effect %d", i) << i;
}

void tst_Audio::effectRestartsItsPlayer()
{
    QFETCH(int, index);
    m_view->playMedia_Index(uchar(index));
    m_view->playMedia_Index(uchar(index));
    const QStringList once{QStringLiteral("clear %1").arg(index),
                           QStringLiteral("source %1 ./modules/media/0%1.wav").arg(index),
                           QStringLiteral("play %1").arg(index)};
    QCOMPARE(m_players->calls, once + once);
}

void tst_Audio::indexZeroStartsTheBackground()
{
    m_view->playMedia_Index(0);
    // The background is not cleared first.
    QCOMPARE(m_players->calls, (QStringList{QStringLiteral("source 0 ./modules/media/00.mp3"),
                                            QStringLiteral("play 0")}));
}

void tst_Audio::indexAboveFourDoesNothing_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("5") << 5;
    QTest::newRow("6") << 6;
    QTest::newRow("255") << 255;
}

void tst_Audio::indexAboveFourDoesNothing()
{
    QFETCH(int, index);
    m_view->playMedia_Index(uchar(index));
    QCOMPARE(m_players->calls, QStringList());
}

void tst_Audio::disabledAudioBlocksIndexButNotBackground()
{
    m_view->setEnableAudio(false);
    m_view->playMedia_Index(0);
    m_view->playMedia_Index(2);
    QCOMPARE(m_players->calls, QStringList());

    m_view->playMedia_Background();
    QCOMPARE(m_players->calls, (QStringList{QStringLiteral("source 0 ./modules/media/00.mp3"),
                                            QStringLiteral("play 0")}));

    m_players->calls.clear();
    m_view->setEnableAudio(true);
    m_view->playMedia_Index(3);
    QCOMPARE(m_players->calls.size(), 3);
}

void tst_Audio::disablingAloneStopsNothing()
{
    m_view->playMedia_Index(0);
    m_players->calls.clear();
    m_view->setEnableAudio(false);
    QCOMPARE(m_players->calls, QStringList());
    // The loop goes on: the end of the track restarts it.
    m_players->finish(0);
    QCOMPARE(m_players->calls, (QStringList{QStringLiteral("source 0 ./modules/media/00.mp3"),
                                            QStringLiteral("play 0")}));
}

void tst_Audio::clearAllMediaClearsEveryPlayerInOrder()
{
    m_view->clearAllMedia();
    QCOMPARE(m_players->calls, (QStringList{QStringLiteral("clear 0"), QStringLiteral("clear 1"),
                                            QStringLiteral("clear 2"), QStringLiteral("clear 3"),
                                            QStringLiteral("clear 4")}));
}

void tst_Audio::endOfSoundStartsBackground_data()
{
    QTest::addColumn<int>("player");
    QTest::addColumn<bool>("startsBackground");
    QTest::newRow("background loops") << 0 << true;
    QTest::newRow("start-up effect") << 1 << true;
    QTest::newRow("effect 2") << 2 << false;
    QTest::newRow("effect 3") << 3 << false;
    QTest::newRow("effect 4") << 4 << false;
}

void tst_Audio::endOfSoundStartsBackground()
{
    QFETCH(int, player);
    QFETCH(bool, startsBackground);
    // Even with the background never played before.
    m_players->finish(player);
    const QStringList background{QStringLiteral("source 0 ./modules/media/00.mp3"),
                                 QStringLiteral("play 0")};
    QCOMPARE(m_players->calls, startsBackground ? background : QStringList());
}

void tst_Audio::replacedPlayersAreDropped()
{
    QPointer<SoundPlayers> old = m_players;
    auto players = std::make_unique<RecordingSoundPlayers>();
    m_players = players.get();
    m_view->setSoundPlayers(std::move(players));
    QVERIFY(old.isNull());
    m_view->playMedia_Index(0);
    QCOMPARE(m_players->calls.size(), 2);
}

void tst_Audio::shippedSoundFiles_data()
{
    QTest::addColumn<QString>("path");
    for (int i = 0; i <= 4; ++i)
        QTest::addRow("%d", i) << QStringLiteral("./modules/media/0%1.%2")
                                      .arg(i)
                                      .arg(i == 0 ? QStringLiteral("mp3") : QStringLiteral("wav"));
}

void tst_Audio::shippedSoundFiles()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path + ": run from the build directory"));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.size() > 1000);
    QVERIFY(bytes.size() < 200 * 1024);
    if (path.endsWith(QLatin1String(".wav"))) {
        QVERIFY(bytes.startsWith("RIFF"));
        QCOMPARE(bytes.mid(8, 4), QByteArray("WAVE"));
    } else {
        // An ID3 tag or an MPEG frame sync.
        QVERIFY(bytes.startsWith("ID3") || (uchar(bytes[0]) == 0xFF && (uchar(bytes[1]) & 0xE0)));
    }
    // Four distinct effects, not one copied four times.
    for (int i = 1; i <= 4; ++i) {
        const QString other = QStringLiteral("./modules/media/0%1.wav").arg(i);
        if (other == path)
            continue;
        QFile f(other);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll() != bytes);
    }
}

void tst_Audio::shippedSoundsDecode_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("minMs");
    QTest::addColumn<int>("maxMs");
    QTest::newRow("background") << "./modules/media/00.mp3" << 2000 << 30000;
    for (int i = 1; i <= 4; ++i)
        QTest::addRow("effect %d", i)
            << QStringLiteral("./modules/media/0%1.wav").arg(i) << 30 << 1500;
}

// The files must be sound the media backend can read: a calm loop of a few seconds and short
// effects.
void tst_Audio::shippedSoundsDecode()
{
    QFETCH(QString, path);
    QFETCH(int, minMs);
    QFETCH(int, maxMs);
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
    QVERIFY2(decodedUs >= qint64(minMs) * 1000 && decodedUs <= qint64(maxMs) * 1000,
             qPrintable(QString::number(decodedUs)));
}

void tst_Audio::realPlayersWithoutOutputStayQuiet()
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

QTEST_MAIN(tst_Audio)
#include "tst_audio.moc"
