#include "input/NoticeChannel.h"

#include "input/NoticeServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QPointer>
#include <QtEndian>

namespace {

QPointer<NoticeServer> &current()
{
    static QPointer<NoticeServer> server;
    return server;
}

} // namespace

CopyDataCallback NoticeChannel::setFilter(CopyDataCallback callback, QCoreApplication *application,
                                          void *context, const QString &windowTitle)
{
    QPointer<NoticeServer> &server = current();
    const CopyDataCallback previous = server ? server->callback() : nullptr;
    if (server && server->windowTitle() != windowTitle)
        delete server.data();
    if (!server && application)
        server = new NoticeServer(windowTitle, application);
    if (server)
        server->setCallback(callback, context);
    return previous;
}

NoticeServer *NoticeChannel::receiver()
{
    return current().data();
}

long NoticeChannel::sendNotice(const QString &windowTitle, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    const CopyDataStruct data{kNoticeCode, quint32(bytes.size()), bytes.constData()};
    return send(windowTitle, &data, nullptr);
}

long NoticeChannel::send(const QString &windowTitle, const CopyDataStruct *data,
                         const void *excludedReceiver, int timeoutMs)
{
    if (!data || (data->cbData > 0 && !data->lpData) || data->cbData > NoticeServer::kMaxBytes)
        return 0;
    NoticeServer *own = current().data();
    if (own && own->windowTitle() == windowTitle) {
        if (own == excludedReceiver)
            return 0;
        // Our own window: handled right here, as a message sent within one thread would be.
        return own->deliver(*data);
    }

    QLocalSocket socket;
    socket.connectToServer(NoticeServer::serverName(windowTitle));
    QDeadlineTimer deadline(timeoutMs);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return 0;
    uchar header[NoticeServer::kHeaderBytes];
    qToLittleEndian<quint64>(quint64(data->dwData), header);
    qToLittleEndian<quint32>(data->cbData, header + 8);
    socket.write(reinterpret_cast<const char *>(header), sizeof header);
    socket.write(static_cast<const char *>(data->lpData), data->cbData);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return 0;
    // The receiver answers once its box is closed; bounded, so a hung receiver cannot hang us.
    while (socket.bytesAvailable() < 1)
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return 0;
    char answer = 0;
    socket.read(&answer, 1);
    return answer == 1 ? 1 : 0;
}
