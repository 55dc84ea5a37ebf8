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
const QString kTitle = QStringLiteral("V7 notice test %1").arg(QCoreApplication::applicationPid());

ScriptedDialogs &dialogs()
{
    return static_cast<ScriptedDialogs &>(Dialogs::instance());
}

// A notice of bytes, which must outlive it.
CopyDataStruct notice(const QByteArray &bytes, quint64 code = 9487)
{
    return {quintptr(code), quint32(bytes.size()), bytes.constData()};
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
    // Handled (and so consumed) whether or not it shows anything; only the notice code with
    // text shows, read as UTF-8.
    void noticeShowsUnderWindowTitle()
    {
        const QByteArray text = QStringLiteral("Maus ä 鼠标").toUtf8();
        const QByteArray zero("Demo\0Mode", 9);
        const CopyDataStruct other = notice(text, 9488);
        QCOMPARE(InputHook::sendCopyData(kTitle, &other), 1L);
        const CopyDataStruct withZero = notice(zero);
        QCOMPARE(InputHook::sendCopyData(kTitle, &withZero), 1L);
        QVERIFY(dialogs().shown().isEmpty());
        const CopyDataStruct shown = notice(text);
        QCOMPARE(InputHook::sendCopyData(kTitle, &shown), 1L);
        const QList<QStringList> expected{{kTitle, QStringLiteral("Maus ä 鼠标")}};
        QCOMPARE(dialogs().shown(), expected);
    }
    void unknownTitleOrExcludedReceiverSendsNothing()
    {
        const QByteArray text("===== Demo Mode =====");
        const CopyDataStruct data = notice(text);
        QCOMPARE(InputHook::sendCopyData(QStringLiteral("no such window 7f3a"), &data), 0L);
        QCOMPARE(InputHook::sendCopyData(kTitle, &data, NoticeChannel::receiver()), 0L);
        const CopyDataStruct broken{9487, 4, nullptr};
        QCOMPARE(InputHook::sendCopyData(kTitle, &broken), 0L);
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
        QLocalSocket client;
        client.connectToServer(NoticeServer::serverName(kTitle));
        QVERIFY(client.waitForConnected(5000));
        // Written in two parts: the receiver waits for the whole notice.
        const QByteArray f = frame(9487, text, quint32(text.size()));
        client.write(f.left(5));
        QVERIFY(client.waitForBytesWritten(5000));
        QTest::qWait(1);
        client.write(f.mid(5));
        QTRY_COMPARE(client.bytesAvailable(), qint64(1));
        QCOMPARE(client.readAll(), QByteArray(1, '\1'));
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
        const QString title = kTitle + " silent receiver";
        QLocalServer silent;
        QLocalServer::removeServer(NoticeServer::serverName(title));
        QVERIFY(silent.listen(NoticeServer::serverName(title)));
        const QByteArray text("hello");
        const CopyDataStruct data = notice(text);
        QCOMPARE(NoticeChannel::send(title, &data, nullptr, 200), 0L);
    }
    // Socket names are plain file names short enough for a socket path, and titles that differ
    // only in characters left out of the name still get names of their own.
    void serverNamesAreSafeAndDistinct()
    {
        const QStringList titles{QStringLiteral("V7 Mouse"), QStringLiteral("V7_Mouse"),
                                 QStringLiteral("../../etc/passwd"),
                                 QString::fromUcs4(U"\U0001F5B1").repeated(200)};
        QSet<QString> names;
        for (const QString &t : titles) {
            const QString name = NoticeServer::serverName(t);
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
        const QString title = kTitle + " left behind";
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
