#include "support/RecordingBackend.h"

#include <QMutexLocker>

namespace {

QByteArray bytesOf(const uint8_t *data, size_t len)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(len));
}

} // namespace

// Wraps the inner backend's handle; closing it is recorded.
class RecordingBackend::Handle final : public HidHandle
{
public:
    Handle(RecordingBackend &owner, std::unique_ptr<HidHandle> inner, QByteArray path)
        : owner(owner), inner(std::move(inner)), path(std::move(path)),
          event(this->path.endsWith("event"))
    {
    }
    ~Handle() override
    {
        inner.reset();
        owner.record(QStringLiteral("close"), event, path, 0);
    }

    RecordingBackend &owner;
    std::unique_ptr<HidHandle> inner;
    const QByteArray path;
    const bool event;
};

void RecordingBackend::record(const QString &op, bool event, const QByteArray &bytes, int rc)
{
    QMutexLocker lock(&m_mutex);
    m_calls.append({op, event, bytes, rc, m_clock.nsecsElapsed()});
}

QList<HidCall> RecordingBackend::calls() const
{
    QMutexLocker lock(&m_mutex);
    return m_calls;
}

QList<HidCall> RecordingBackend::commandCalls() const
{
    QList<HidCall> out;
    for (const HidCall &c : calls())
        if (!c.event)
            out.append(c);
    return out;
}

void RecordingBackend::clear()
{
    QMutexLocker lock(&m_mutex);
    m_calls.clear();
}

QList<QByteArray> RecordingBackend::commandBytes(const QString &op) const
{
    QList<QByteArray> out;
    for (const HidCall &c : commandCalls())
        if (c.op == op)
            out.append(c.bytes);
    return out;
}

QList<QByteArray> RecordingBackend::inputs() const
{
    QList<QByteArray> out;
    for (const HidCall &c : commandCalls())
        if (c.op == QLatin1String("in") && c.rc > 0)
            out.append(c.bytes);
    return out;
}

std::unique_ptr<HidHandle> RecordingBackend::open(const QByteArray &path)
{
    std::unique_ptr<HidHandle> inner = m_inner.open(path);
    const bool event = path.endsWith("event");
    record(inner ? QStringLiteral("open") : QStringLiteral("open-failed"), event, path, 0);
    return inner ? std::make_unique<Handle>(*this, std::move(inner), path) : nullptr;
}

int RecordingBackend::setNonblocking(HidHandle &h, bool nonblock)
{
    return m_inner.setNonblocking(*static_cast<Handle &>(h).inner, nonblock);
}

int RecordingBackend::sendFeatureReport(HidHandle &h, const uint8_t *data, size_t len)
{
    auto &r = static_cast<Handle &>(h);
    const int rc = m_inner.sendFeatureReport(*r.inner, data, len);
    record(QStringLiteral("feature-out"), r.event, bytesOf(data, len), rc);
    return rc;
}

int RecordingBackend::getFeatureReport(HidHandle &h, uint8_t *data, size_t len)
{
    auto &r = static_cast<Handle &>(h);
    const int rc = m_inner.getFeatureReport(*r.inner, data, len);
    record(QStringLiteral("feature-in"), r.event, bytesOf(data, len), rc);
    return rc;
}

int RecordingBackend::write(HidHandle &h, const uint8_t *data, size_t len)
{
    auto &r = static_cast<Handle &>(h);
    const QByteArray given = bytesOf(data, len);
    const int rc = m_inner.write(*r.inner, data, len);
    record(QStringLiteral("out"), r.event, given, rc);
    return rc;
}

int RecordingBackend::readTimeout(HidHandle &h, uint8_t *data, size_t len, int milliseconds)
{
    auto &r = static_cast<Handle &>(h);
    const int rc = m_inner.readTimeout(*r.inner, data, len, milliseconds);
    record(QStringLiteral("in"), r.event, rc > 0 ? bytesOf(data, size_t(rc)) : QByteArray(), rc);
    return rc;
}
