#pragma once

#include "device/HidBackend.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QString>

// One call that went through a RecordingBackend: "open", "open-failed", "close", "feature-out",
// "feature-in", "out" or "in" (a read); the bytes given (feature-out, out) or returned
// (feature-in: the whole buffer; in: the rc bytes read), the path for open and close.
struct HidCall
{
    QString op;
    bool event = false; // on the event interface (a path ending in "event")
    QByteArray bytes;
    int rc = 0;
    qint64 atNs = 0; // when the call returned, since the recorder was made
};

// A HidBackend decorator that records the calls, in order, from any thread, so a test can
// assert the exact bytes a command put on the wire.
class RecordingBackend final : public HidBackend
{
public:
    explicit RecordingBackend(HidBackend &inner) : m_inner(inner) { m_clock.start(); }

    QList<HidCall> calls() const;
    // The calls that carry commands. The listener polls the event interface every 500 ms
    // whatever a test does, so "nothing was sent" is asked of these.
    QList<HidCall> commandCalls() const;
    void clear();

    // On the command interface: feature reports given, output reports written (report ID
    // first), input reports read, and the number of calls of one op; reads count only when
    // they got bytes.
    QList<QByteArray> featureOuts() const { return commandBytes(QStringLiteral("feature-out")); }
    QList<QByteArray> outputs() const { return commandBytes(QStringLiteral("out")); }
    QList<QByteArray> inputs() const { return commandBytes(QStringLiteral("in")); }
    int count(const QString &op) const { return int(commandBytes(op).size()); }

    QList<HidInterfaceInfo> enumerate(uint16_t vid, uint16_t pid) override
    {
        return m_inner.enumerate(vid, pid);
    }
    std::unique_ptr<HidHandle> open(const QByteArray &path) override;
    int setNonblocking(HidHandle &h, bool nonblock) override;
    int sendFeatureReport(HidHandle &h, const uint8_t *data, size_t len) override;
    int getFeatureReport(HidHandle &h, uint8_t *data, size_t len) override;
    int write(HidHandle &h, const uint8_t *data, size_t len) override;
    int readTimeout(HidHandle &h, uint8_t *data, size_t len, int milliseconds) override;

private:
    class Handle;
    static HidHandle &inner(HidHandle &h);
    void record(const QString &op, const QByteArray &path, const QByteArray &bytes, int rc);
    int record(const QString &op, HidHandle &h, const uint8_t *data, qsizetype len, int rc);
    QList<QByteArray> commandBytes(const QString &op) const;

    HidBackend &m_inner;
    QElapsedTimer m_clock;
    mutable QMutex m_mutex;
    QList<HidCall> m_calls;
};
