#include "support/RecordingBackend.h"

#include <QMutexLocker>

// Wraps the inner backend's handle; closing it is recorded.
class RecordingBackend::Handle final : public HidHandle
{
public:
    Handle(RecordingBackend &owner, std::unique_ptr<HidHandle> inner, QByteArray path)
        : owner(owner), inner(std::move(inner)), path(std::move(path))
    {
    }
    ~Handle() override
    {
        inner.reset();
        owner.record(QStringLiteral("close"), path, path, 0);
    }

    RecordingBackend &owner;
    std::unique_ptr<HidHandle> inner;
    const QByteArray path;
};

void RecordingBackend::record(const QString &op, const QByteArray &path, const QByteArray &bytes,
                              int rc)
{
    QMutexLocker lock(&m_mutex);
    m_calls.append({op, path.endsWith("event"), bytes, rc, m_clock.nsecsElapsed()});
}

int RecordingBackend::record(const QString &op, HidHandle &h, const uint8_t *data, qsizetype len,
                             int rc)
{
    record(op, static_cast<Handle &>(h).path,
           QByteArray(reinterpret_cast<const char *>(data), std::max<qsizetype>(len, 0)), rc);
    return rc;
}

HidHandle &RecordingBackend::inner(HidHandle &h)
{
    return *static_cast<Handle &>(h).inner;
}

QList<HidCall> RecordingBackend::calls() const
{
    QMutexLocker lock(&m_mutex);
    return m_calls;
}

QList<HidCall> RecordingBackend::commandCalls() const
{
    QList<HidCall> out = calls();
    out.removeIf([](const HidCall &c) { return c.event; });
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
        if (c.op == op && (op != QLatin1String("in") || c.rc > 0))
            out.append(c.bytes);
    return out;
}

std::unique_ptr<HidHandle> RecordingBackend::open(const QByteArray &path)
{
    std::unique_ptr<HidHandle> inner = m_inner.open(path);
    record(inner ? QStringLiteral("open") : QStringLiteral("open-failed"), path, path, 0);
    return inner ? std::make_unique<Handle>(*this, std::move(inner), path) : nullptr;
}

int RecordingBackend::setNonblocking(HidHandle &h, bool nonblock)
{
    return m_inner.setNonblocking(inner(h), nonblock);
}

int RecordingBackend::sendFeatureReport(HidHandle &h, const uint8_t *data, size_t len)
{
    return record(QStringLiteral("feature-out"), h, data, qsizetype(len),
                  m_inner.sendFeatureReport(inner(h), data, len));
}

int RecordingBackend::getFeatureReport(HidHandle &h, uint8_t *data, size_t len)
{
    return record(QStringLiteral("feature-in"), h, data, qsizetype(len),
                  m_inner.getFeatureReport(inner(h), data, len));
}

int RecordingBackend::write(HidHandle &h, const uint8_t *data, size_t len)
{
    return record(QStringLiteral("out"), h, data, qsizetype(len),
                  m_inner.write(inner(h), data, len));
}

// A read keeps the bytes it got.
int RecordingBackend::readTimeout(HidHandle &h, uint8_t *data, size_t len, int milliseconds)
{
    const int rc = m_inner.readTimeout(inner(h), data, len, milliseconds);
    return record(QStringLiteral("in"), h, data, rc, rc);
}
