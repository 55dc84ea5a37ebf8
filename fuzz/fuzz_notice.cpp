// The notice channel's receiver fed arbitrary bytes over its local socket, as another process
// would send them.
#include "FuzzHarness.h"

#include "input/NoticeServer.h"

#include <QCoreApplication>
#include <QLocalSocket>

#include <cstdlib>

namespace {

// Reads every byte the receiver claims to hand over, so a wrong count is caught.
void touch(const CopyDataStruct *data, void *)
{
    const auto *bytes = static_cast<const unsigned char *>(data->lpData);
    volatile unsigned sum = 0;
    for (quint32 i = 0; i < data->cbData; ++i)
        sum = sum + bytes[i];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzHarness::init();
    static NoticeServer *server = [] {
        auto *s = new NoticeServer(
            QStringLiteral("v7fuzz notice %1").arg(QCoreApplication::applicationPid()));
        if (!s->isListening())
            std::abort();
        s->setCallback(touch, nullptr);
        return s;
    }();

    QLocalSocket client;
    client.connectToServer(NoticeServer::serverName(server->windowTitle()));
    if (!client.waitForConnected(5000))
        std::abort();
    client.write(reinterpret_cast<const char *>(data), qint64(size));
    client.waitForBytesWritten(5000);
    // The receiver answers or hangs up once it has a whole frame; a part frame just waits.
    for (int i = 0; i < 8 && client.state() == QLocalSocket::ConnectedState; ++i) {
        QCoreApplication::processEvents();
        client.waitForReadyRead(0);
    }
    client.readAll();
    client.abort();
    FuzzHarness::drainEvents();
    FuzzHarness::drainEvents();
    return 0;
}
