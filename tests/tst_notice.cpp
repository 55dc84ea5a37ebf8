#include "input/HookContext.h"
#include "input/InputHook.h"
#include "input/NoticeChannel.h"
#include "input/NoticeServer.h"
#include "platform/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTest>
#include <QtEndian>

// The notice channel: a notice addressed to a window title, shown in a warning box titled with
// that window's title while the sender waits; from other processes through a local socket.

namespace {

// Titles carry the process id, so runs of this test in other build folders do not meet.
QString uniqueTitle(const char *what)
{
    return QStringLiteral("%1 %2").arg(QLatin1String(what)).arg(QCoreApplication::applicationPid());
}

const QString kTitle = uniqueTitle("V7 notice test");

ScriptedDialogs &dialogs()
{
    return static_cast<ScriptedDialogs &>(Dialogs::instance());
}

QByteArray frame(quint64 code, const QByteArray &bytes, quint32 count)
{
    QByteArray f(NoticeServer::kHeaderBytes, '\0');
    qToLittleEndian<quint64>(code, f.data());
    qToLittleEndian<quint32>(count, f.data() + 8);
    return f + bytes;
}

} // namespace

class TestNotice : public QObject
{
    Q_OBJECT
private slots:

    void initTestCase()
    {
        Dialogs::setInstance(std::make_unique<ScriptedDialogs>(false));
        m_context.windowTitle = [] { return kTitle; };
    }
    void init()
    {
        dialogs().clear();
        InputHook::setCopyDataFilter(&HookCallbacks::copyData, QCoreApplication::instance(),
                                     &m_context, kTitle);
    }
    void cleanup()
    {
        InputHook::setCopyDataFilter(nullptr, QCoreApplication::instance(), nullptr, kTitle);
    }
    void noticeShowsUnderWindowTitle_data()
    {
        QTest::addColumn<quint64>("code");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("shown");
        const QByteArray demo("===== Demo Mode =====");
        QTest::newRow("demo notice")
            << quint64(9487) << demo
            << QStringList{kTitle, QStringLiteral("===== Demo Mode =====")};
        QTest::newRow("UTF-8 text") << quint64(9487) << QStringLiteral("Maus ä 鼠标").toUtf8()
                                    << QStringList{kTitle, QStringLiteral("Maus ä 鼠标")};
        QTest::newRow("another data code") << quint64(9488) << demo << QStringList();
        QTest::newRow("zero byte inside")
            << quint64(9487) << QByteArray("Demo\0Mode", 9) << QStringList();
        QTest::newRow("terminating zero counted")
            << quint64(9487) << QByteArray("Demo", 5) << QStringList();
    }
    void noticeShowsUnderWindowTitle()
    {
        QFETCH(quint64, code);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, shown);
        const CopyDataStruct data{quintptr(code), quint32(bytes.size()), bytes.constData()};
        // Handled (and so consumed) whether or not it shows anything.
        QCOMPARE(InputHook::sendCopyData(kTitle, &data), 1L);
        QList<QStringList> expected;
        if (!shown.isEmpty())
            expected.append(shown);
        QCOMPARE(dialogs().shown(), expected);
    }
    void unknownTitleOrExcludedReceiverSendsNothing()
    {
        const QByteArray text("===== Demo Mode =====");
        const CopyDataStruct data{9487, quint32(text.size()), text.constData()};
        QCOMPARE(InputHook::sendCopyData(QStringLiteral("no such window 7f3a"), &data), 0L);
        QCOMPARE(InputHook::sendCopyData(kTitle, &data, NoticeChannel::receiver()), 0L);
        const CopyDataStruct broken{9487, 4, nullptr};
        QCOMPARE(InputHook::sendCopyData(kTitle, &broken), 0L);
        QCOMPARE(InputHook::sendCopyData(kTitle, nullptr), 0L);
        // Without a callback the notice is not handled; without a context nothing is shown.
        InputHook::setCopyDataFilter(nullptr, QCoreApplication::instance(), nullptr, kTitle);
        QCOMPARE(InputHook::sendCopyData(kTitle, &data), 0L);
        InputHook::setCopyDataFilter(&HookCallbacks::copyData, QCoreApplication::instance(),
                                     nullptr, kTitle);
        QCOMPARE(InputHook::sendCopyData(kTitle, &data), 1L);
        QVERIFY(dialogs().shown().isEmpty());
    }
    void otherProcessesReachTheReceiverThroughItsSocket()
    {
        QVERIFY(NoticeChannel::receiver()->isListening());
        const QByteArray text("===== Demo Mode =====");
        for (quint64 code : {quint64(9488), quint64(9487)}) {
            QLocalSocket client;
            client.connectToServer(NoticeServer::serverName(kTitle));
            QVERIFY(client.waitForConnected(5000));
            // Written in two parts: the receiver waits for the whole notice.
            const QByteArray f = frame(code, text, quint32(text.size()));
            client.write(f.left(5));
            QVERIFY(client.waitForBytesWritten(5000));
            QTest::qWait(1);
            client.write(f.mid(5));
            QTRY_COMPARE(client.bytesAvailable(), qint64(1));
            QCOMPARE(client.readAll(), QByteArray(1, '\1'));
        }
        const QList<QStringList> expected{{kTitle, QString::fromUtf8(text)}};
        QCOMPARE(dialogs().shown(), expected);
    }
    void oversizedNoticeFromOutsideIsRefused()
    {
        QLocalSocket client;
        client.connectToServer(NoticeServer::serverName(kTitle));
        QVERIFY(client.waitForConnected(5000));
        client.write(frame(9487, QByteArray("x"), NoticeServer::kMaxBytes + 1));
        QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(client.bytesAvailable(), qint64(0));
        QVERIFY(dialogs().shown().isEmpty());
    }
    void silentReceiverDoesNotHangTheSender()
    {
        const QString title = uniqueTitle("silent receiver");
        QLocalServer silent;
        QLocalServer::removeServer(NoticeServer::serverName(title));
        QVERIFY(silent.listen(NoticeServer::serverName(title)));
        const QByteArray text("hello");
        const CopyDataStruct data{9487, quint32(text.size()), text.constData()};
        QCOMPARE(NoticeChannel::send(title, &data, nullptr, 200), 0L);
    }
    void serverNamesAreSafeAndDistinct()
    {
        const QStringList titles{QStringLiteral("V7 Mouse"),
                                 QStringLiteral("V7_Mouse"),
                                 QStringLiteral("鼠标"),
                                 QStringLiteral("老鼠"),
                                 QStringLiteral("../../etc/passwd"),
                                 QString::fromUcs4(U"\U0001F5B1").repeated(200),
                                 QString()};
        QSet<QString> names;
        for (const QString &t : titles) {
            const QString name = NoticeServer::serverName(t);
            QCOMPARE(name, NoticeServer::serverName(t));
            QVERIFY2(name.size() <= 80, qPrintable(name));
            for (const QChar c : name)
                QVERIFY2(c.unicode() < 128 && (c.isLetterOrNumber() || c == '_' || c == '-'),
                         qPrintable(name));
            names.insert(name);
        }
        QCOMPARE(names.size(), titles.size());
    }
    void staleSocketIsReplacedButLiveOneIsKept()
    {
        const QString title = uniqueTitle("left behind");
        const QString name = NoticeServer::serverName(title);
        // A file where the socket should be, as a crashed copy of the program leaves it.
        QLocalServer::removeServer(name);
        QFile stale(QDir::temp().filePath(name));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        NoticeServer first(title);
        QVERIFY(first.isListening());
        // A second copy with the same title leaves the first one its socket.
        NoticeServer second(title);
        QVERIFY(!second.isListening());
        QVERIFY(first.isListening());
    }

private:
    HookContext m_context;
};

QTEST_MAIN(TestNotice)
#include "tst_notice.moc"
