#include "input/NoticeServer.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QtEndian>

#include <unistd.h>

namespace {

constexpr int kProbeMs = 500;
constexpr qsizetype kReadableChars = 32;

} // namespace

NoticeServer::NoticeServer(const QString &windowTitle, QObject *parent)
    : QObject(parent), m_title(windowTitle), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &NoticeServer::accept);
    listen();
}

NoticeServer::~NoticeServer() = default;

QString NoticeServer::serverName(const QString &windowTitle)
{
    // Titles may hold any characters; keep a readable part and tell titles apart by a hash.
    QString readable;
    for (const QChar c : windowTitle.left(kReadableChars))
        readable += (c.isLetterOrNumber() && c.unicode() < 128) ? c : QLatin1Char('_');
    const QByteArray hash =
        QCryptographicHash::hash(windowTitle.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("v7config-notice-%1-%2-%3")
        .arg(uint(::getuid()))
        .arg(readable, QString::fromLatin1(hash));
}

bool NoticeServer::isListening() const
{
    return m_server->isListening();
}

void NoticeServer::setCallback(CopyDataCallback callback, void *context)
{
    m_callback = callback;
    m_context = context;
}

long NoticeServer::deliver(const CopyDataStruct &data)
{
    if (!m_callback)
        return 0;
    m_callback(&data, m_context);
    return 1;
}

void NoticeServer::listen()
{
    const QString name = serverName(m_title);
    // A live socket belongs to another copy of the program, which keeps it (listening would
    // silently take it over). One that answers nothing was left behind by a process that died.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(kProbeMs)) {
        probe.abort();
        return;
    }
    QLocalServer::removeServer(name);
    m_server->listen(name);
}

void NoticeServer::accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        readFrom(socket);
    }
}

void NoticeServer::readFrom(QLocalSocket *socket)
{
    if (socket->bytesAvailable() < kHeaderBytes)
        return;
    uchar header[kHeaderBytes];
    socket->peek(reinterpret_cast<char *>(header), kHeaderBytes);
    const quint64 code = qFromLittleEndian<quint64>(header);
    const quint32 count = qFromLittleEndian<quint32>(header + 8);
    if (count > kMaxBytes) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < kHeaderBytes + qint64(count))
        return;
    socket->skip(kHeaderBytes);
    const QByteArray bytes = socket->read(count);
    // The answer goes back only once the notice has been handled, as the sender waits for it.
    const CopyDataStruct data{quintptr(code), count, bytes.constData()};
    // The notice box runs its own event loop, in which the sender may give up and go.
    const QPointer<QLocalSocket> guard(socket);
    const char answer = char(deliver(data));
    if (guard && socket->state() == QLocalSocket::ConnectedState) {
        socket->write(&answer, 1);
        socket->disconnectFromServer();
    }
}
