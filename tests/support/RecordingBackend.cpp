#include "support/RecordingBackend.h"

#include <QMutexLocker>

namespace {

QByteArray bytesOf(const uint8_t *data, size_t len)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(len));
}

HidCall makeCall(const QString &op, HidCall::Iface iface, const QByteArray &bytes, int rc,
                 const QByteArray &path)
{
    HidCall c;
    c.op = op;
    c.iface = iface;
    c.bytes = bytes;
    c.rc = rc;
    c.path = path;
    return c;
}

QList<QByteArray> bytesOfCalls(const QList<HidCall> &calls, bool successOnly)
{
    QList<QByteArray> out;
    for (const HidCall &c : calls)
        if (!successOnly || c.rc > 0)
            out.append(c.bytes);
    return out;
}

} // namespace

// Wraps the inner backend's handle and remembers which interface it is.
class RecordingBackend::Handle final : public HidHandle
{
public:
    Handle(RecordingBackend &owner, std::unique_ptr<HidHandle> inner, QByteArray path,
           HidCall::Iface iface)
        : owner(owner), inner(std::move(inner)), path(std::move(path)), iface(iface)
    {
    }
    ~Handle() override
    {
        inner.reset();
        owner.record(makeCall(QStringLiteral("close"), iface, path, 0, path));
    }

    RecordingBackend &owner;
    std::unique_ptr<HidHandle> inner;
    const QByteArray path;
    const HidCall::Iface iface;
};

RecordingBackend::RecordingBackend(HidBackend &inner)
    : m_inner(inner), m_isEventPath([](const QByteArray &path) { return path.endsWith("event"); })
{
    m_clock.start();
}

RecordingBackend::~RecordingBackend() = default;

void RecordingBackend::setEventPathRule(std::function<bool(const QByteArray &)> isEventPath)
{
    QMutexLocker lock(&m_mutex);
    m_isEventPath = std::move(isEventPath);
}

void RecordingBackend::record(HidCall call)
{
    QMutexLocker lock(&m_mutex);
    call.atNs = m_clock.nsecsElapsed();
    m_calls.append(std::move(call));
}

void RecordingBackend::recordRead(const Handle &h, const uint8_t *data, int rc)
{
    const bool event = h.iface == HidCall::Iface::Event;
    record(makeCall(event ? QStringLiteral("event-in") : QStringLiteral("in"), h.iface,
                    rc > 0 ? bytesOf(data, size_t(rc)) : QByteArray(), rc, h.path));
}

QList<HidCall> RecordingBackend::calls() const
{
    QMutexLocker lock(&m_mutex);
    return m_calls;
}

void RecordingBackend::clear()
{
    QMutexLocker lock(&m_mutex);
    m_calls.clear();
}

QList<HidCall> RecordingBackend::callsOf(const QString &op, HidCall::Iface iface) const
{
    QList<HidCall> out;
    QMutexLocker lock(&m_mutex);
    for (const HidCall &c : m_calls)
        if (c.op == op && (iface == HidCall::Iface::None || c.iface == iface))
            out.append(c);
    return out;
}

int RecordingBackend::count(const QString &op, HidCall::Iface iface) const
{
    return int(callsOf(op, iface).size());
}

QList<QByteArray> RecordingBackend::featureOuts() const
{
    return bytesOfCalls(callsOf(QStringLiteral("feature-out"), HidCall::Iface::Command), false);
}

QList<QByteArray> RecordingBackend::featureIns() const
{
    return bytesOfCalls(callsOf(QStringLiteral("feature-in"), HidCall::Iface::Command), false);
}

QList<QByteArray> RecordingBackend::outputs() const
{
    return bytesOfCalls(callsOf(QStringLiteral("out"), HidCall::Iface::Command), false);
}

QList<QByteArray> RecordingBackend::inputs() const
{
    return bytesOfCalls(callsOf(QStringLiteral("in"), HidCall::Iface::Command), true);
}

QList<HidInterfaceInfo> RecordingBackend::enumerate(uint16_t vid, uint16_t pid)
{
    QList<HidInterfaceInfo> found = m_inner.enumerate(vid, pid);
    QByteArray ids;
    ids.append(char(vid >> 8)).append(char(vid)).append(char(pid >> 8)).append(char(pid));
    record(makeCall(QStringLiteral("enumerate"), HidCall::Iface::None, ids, int(found.size()), {}));
    return found;
}

std::unique_ptr<HidHandle> RecordingBackend::open(const QByteArray &path)
{
    bool event;
    {
        QMutexLocker lock(&m_mutex);
        event = m_isEventPath(path);
    }
    const HidCall::Iface iface = event ? HidCall::Iface::Event : HidCall::Iface::Command;
    std::unique_ptr<HidHandle> inner = m_inner.open(path);
    if (!inner) {
        record(makeCall(QStringLiteral("open-failed"), iface, path, -1, path));
        return nullptr;
    }
    record(makeCall(QStringLiteral("open"), iface, path, 0, path));
    return std::make_unique<Handle>(*this, std::move(inner), path, iface);
}

int RecordingBackend::setNonblocking(HidHandle &h, bool nonblock)
{
    auto &r = static_cast<Handle &>(h);
    const int rc = m_inner.setNonblocking(*r.inner, nonblock);
    record(makeCall(QStringLiteral("set-nonblocking"), r.iface, QByteArray(1, char(nonblock)), rc,
                    r.path));
    return rc;
}

int RecordingBackend::sendFeatureReport(HidHandle &h, const uint8_t *data, size_t len)
{
    auto &r = static_cast<Handle &>(h);
    const QByteArray given = bytesOf(data, len);
    const int rc = m_inner.sendFeatureReport(*r.inner, data, len);
    record(makeCall(QStringLiteral("feature-out"), r.iface, given, rc, r.path));
    return rc;
}

int RecordingBackend::getFeatureReport(HidHandle &h, uint8_t *data, size_t len)
{
    auto &r = static_cast<Handle &>(h);
    const int rc = m_inner.getFeatureReport(*r.inner, data, len);
    record(makeCall(QStringLiteral("feature-in"), r.iface, bytesOf(data, len), rc, r.path));
    return rc;
}

int RecordingBackend::write(HidHandle &h, const uint8_t *data, size_t len)
{
    auto &r = static_cast<Handle &>(h);
    const QByteArray given = bytesOf(data, len);
    const int rc = m_inner.write(*r.inner, data, len);
    record(makeCall(QStringLiteral("out"), r.iface, given, rc, r.path));
    return rc;
}

int RecordingBackend::readTimeout(HidHandle &h, uint8_t *data, size_t len, int milliseconds)
{
    auto &r = static_cast<Handle &>(h);
    const int rc = m_inner.readTimeout(*r.inner, data, len, milliseconds);
    recordRead(r, data, rc);
    return rc;
}
