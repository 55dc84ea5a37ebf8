#pragma once

#include "device/HidBackend.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QString>

#include <functional>

// One call that went through a RecordingBackend.
struct HidCall
{
    enum class Iface { None, Command, Event };

    // "enumerate", "open", "open-failed", "close", "set-nonblocking", "feature-out",
    // "feature-in", "out", "in" (a read on the command interface) or "event-in" (a read on the
    // event interface).
    QString op;
    Iface iface = Iface::None;
    // Given to the call (feature-out, out) or returned by it (feature-in: the whole buffer
    // after the call; in, event-in: the rc bytes read, empty on a timeout or an error);
    // the path for open, open-failed and close.
    QByteArray bytes;
    int rc = 0;
    QByteArray path;
    // When the call returned, in nanoseconds since the recorder was made.
    qint64 atNs = 0;
};

// A HidBackend decorator: forwards every call to another backend and records it, in call order,
// from any thread. Use it to assert the exact bytes a command put on the wire:
//
//     RecordingBackend rec(sim);            // sim: any HidBackend, it must outlive rec
//     hid.setBackend(&rec);
//     hid.hid_01H_SetReportRate(2);  ... wait until the transfer ended ...
//     QCOMPARE(rec.featureOuts().last(), QByteArray::fromHex("000102000000000000fc"));
//
// An interface counts as the event interface when `isEventPath` says so (by default: the path
// ends with "event", as the emulated devices' paths do); every other path is the command
// interface.
class RecordingBackend final : public HidBackend
{
public:
    explicit RecordingBackend(HidBackend &inner);
    ~RecordingBackend() override;

    void setEventPathRule(std::function<bool(const QByteArray &path)> isEventPath);

    // Everything recorded so far, oldest first.
    QList<HidCall> calls() const;
    void clear();

    // Calls of one op on one interface (None: any interface).
    QList<HidCall> callsOf(const QString &op, HidCall::Iface iface = HidCall::Iface::None) const;
    // The 9-byte feature reports given to sendFeatureReport on the command interface, as sent
    // (scrambled when scrambling is on).
    QList<QByteArray> featureOuts() const;
    // The answers read back with getFeatureReport on the command interface.
    QList<QByteArray> featureIns() const;
    // The output reports (report ID byte included) written to the command interface.
    QList<QByteArray> outputs() const;
    // The input reports read from the command interface (successful reads only).
    QList<QByteArray> inputs() const;
    // How often op was called on iface (None: any interface).
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
    friend class Handle;
    void record(HidCall call);
    void recordRead(const Handle &h, const uint8_t *data, int rc);

    HidBackend &m_inner;
    std::function<bool(const QByteArray &)> m_isEventPath;
    QElapsedTimer m_clock;
    mutable QMutex m_mutex;
    QList<HidCall> m_calls;
};
