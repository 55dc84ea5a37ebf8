#pragma once

#include "input/HookTypes.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// Receives notices addressed to one window title, from this process directly and from other
// processes through a local socket named after the title.
class NoticeServer : public QObject
{
    Q_OBJECT
public:
    // Largest notice accepted from another process.
    static constexpr quint32 kMaxBytes = 64 * 1024;
    // Frame: data code (8 bytes), byte count (4 bytes), both little-endian, then the bytes.
    static constexpr int kHeaderBytes = 12;

    NoticeServer(const QString &windowTitle, QObject *parent = nullptr);
    ~NoticeServer() override;

    // The socket name for a window title: readable, bounded in length, unique per user.
    static QString serverName(const QString &windowTitle);

    const QString &windowTitle() const { return m_title; }
    // False when another live process already receives for this title.
    bool isListening() const;

    void setCallback(CopyDataCallback callback, void *context);
    CopyDataCallback callback() const { return m_callback; }

    // Hands a notice to the callback; 1 when one is registered (the notice is then consumed
    // whatever its content), else 0.
    long deliver(const CopyDataStruct &data);

private:
    void listen();
    void accept();
    void readFrom(QLocalSocket *socket);

    QString m_title;
    QLocalServer *m_server;
    CopyDataCallback m_callback = nullptr;
    void *m_context = nullptr;
};
