#pragma once

#include "device/HidBackend.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QString>

// One call that went through a RecordingBackend.
struct HidCall
{
    enum class Iface { None, Command, Event };

    // "enumerate", "open", "open-failed", "close", "set-nonblocking", "feature-out",
    // "feature-in", "out" or "in" (reads, on either interface).
    QString op;
    Iface iface = Iface::None;
    // Given to the call (feature-out, out) or returned by it (feature-in: the whole buffer;
    // in: the rc bytes read); the path for open and close.
    QByteArray bytes;
    int rc = 0;
    qint64 atNs = 0; // when the call returned, since the recorder was made
};

// A HidBackend decorator that records every call, in order, from any thread, so a test can
// assert the exact bytes a command put on the wire. Paths ending in "event" (as the emulated
// devices' are) count as the event interface, the others as the command interface.
class RecordingBackend final : public HidBackend
{
public:
    explicit RecordingBackend(HidBackend &inner);
    ~RecordingBackend() override;

    QList<HidCall> calls() const;
    // The calls that carry commands. The listener polls the event interface every 500 ms
    // whatever a test does, so "nothing was sent" is asked of these.
    QList<HidCall> commandCalls() const;
    void clear();

    // Feature reports given (as sent, scrambled or not), output reports written (report ID
    // first) and input reports read (successful reads only), all on the command interface.
    QList<QByteArray> featureOuts() const;
    QList<QByteArray> outputs() const;
    QList<QByteArray> inputs() const;
    int count(const QString &op, HidCall::Iface iface = HidCall::Iface::None) const;

    QList<HidInterfaceInfo> enumerate(uint16_t vid, uint16_t pid) override;
    std::unique_ptr<HidHandle> open(const QByteArray &path) override;
    int setNonblocking(HidHandle &h, bool nonblock) override;
    int sendFeatureReport(HidHandle &h, const uint8_t *data, size_t len) override;
    int getFeatureReport(HidHandle &h, uint8_t *data, size_t len) override;
    int write(HidHandle &h, const uint8_t *data, size_t len) override;
    int readTimeout(HidHandle &h, uint8_t *data, size_t len, int milliseconds) override;

private:
    class Handle;
    void record(const QString &op, HidCall::Iface iface, const QByteArray &bytes, int rc);
    QList<QByteArray> commandBytes(const QString &op, bool successOnly) const;

    HidBackend &m_inner;
    QElapsedTimer m_clock;
    mutable QMutex m_mutex;
    QList<HidCall> m_calls;
};
