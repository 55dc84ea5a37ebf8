#include "support/RecordingBackend.h"

#include <QMutexLocker>

namespace {

QByteArray bytesOf(const uint8_t *data, size_t len)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(len));
}

} // namespace

// Wraps the inner backend's handle and remembers which interface it is.
class RecordingBackend::Handle final : public HidHandle
{
public:
    Handle(RecordingBackend &owner, std::unique_ptr<HidHandle> inner, QByteArray path)
        : owner(owner), inner(std::move(inner)), path(std::move(path)),
          iface(this->path.endsWith("event") ? HidCall::Iface::Event : HidCall::Iface::Command)
    {
    }
    ~Handle() override
    {
        inner.reset();
        owner.record(QStringLiteral("close"), iface, path, 0);
    }

    RecordingBackend &owner;
    std::unique_ptr<HidHandle> inner;
    const QByteArray path;
    const HidCall::Iface iface;
};

RecordingBackend::RecordingBackend(HidBackend &inner) : m_inner(inner)
{
    m_clock.start();
}

RecordingBackend::~RecordingBackend() = default;

void RecordingBackend::record(const QString &op, HidCall::Iface iface, const QByteArray &bytes,
                              int rc)
{
    QMutexLocker lock(&m_mutex);
    m_calls.append({op, iface, bytes, rc, m_clock.nsecsElapsed()});
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
        if (c.iface == HidCall::Iface::Command)
            out.append(c);
    return out;
}

void RecordingBackend::clear()
{
    QMutexLocker lock(&m_mutex);
    m_calls.clear();
}

int RecordingBackend::count(const QString &op, HidCall::Iface iface) const
{
    int n = 0;
    for (const HidCall &c : calls())
        n += c.op == op && (iface == HidCall::Iface::None || c.iface == iface);
    return n;
}

QList<QByteArray> RecordingBackend::commandBytes(const QString &op, bool successOnly) const
{
    QList<QByteArray> out;
    for (const HidCall &c : commandCalls())
        if (c.op == op && (!successOnly || c.rc > 0))
            out.append(c.bytes);
    return out;
}

QList<QByteArray> RecordingBackend::featureOuts() const
{
    return commandBytes(QStringLiteral("feature-out"), false);
}

QList<QByteArray> RecordingBackend::outputs() const
{
    return commandBytes(QStringLiteral("out"), false);
}

QList<QByteArray> RecordingBackend::inputs() const
{
    return commandBytes(QStringLiteral("in"), true);
}

QList<HidInterfaceInfo> RecordingBackend::enumerate(uint16_t vid, uint16_t pid)
{
    QList<HidInterfaceInfo> found = m_inner.enumerate(vid, pid);
    record(QStringLiteral("enumerate"), HidCall::Iface::None, {}, int(found.size()));
    return found;
}

std::unique_ptr<HidHandle> RecordingBackend::open(const QByteArray &path)
{
    std::unique_ptr<HidHandle> inner = m_inner.open(path);
    if (!inner) {
        const bool event = path.endsWith("event");
        record(QStringLiteral("open-failed"),
               event ? HidCall::Iface::Event : HidCall::Iface::Command, path, -1);
        return nullptr;
    }
    auto h = std::make_unique<Handle>(*this, std::move(inner), path);
    record(QStringLiteral("open"), h->iface, path, 0);
    return h;
}

int RecordingBackend::setNonblocking(HidHandle &h, bool nonblock)
{
    auto &r = static_cast<Handle &>(h);
    const int rc = m_inner.setNonblocking(*r.inner, nonblock);
    record(QStringLiteral("set-nonblocking"), r.iface, QByteArray(1, char(nonblock)), rc);
    return rc;
}

int RecordingBackend::sendFeatureReport(HidHandle &h, const uint8_t *data, size_t len)
{
    auto &r = static_cast<Handle &>(h);
    const int rc = m_inner.sendFeatureReport(*r.inner, data, len);
    record(QStringLiteral("feature-out"), r.iface, bytesOf(data, len), rc);
    return rc;
}

int RecordingBackend::getFeatureReport(HidHandle &h, uint8_t *data, size_t len)
{
    auto &r = static_cast<Handle &>(h);
    const int rc = m_inner.getFeatureReport(*r.inner, data, len);
    record(QStringLiteral("feature-in"), r.iface, bytesOf(data, len), rc);
    return rc;
}

int RecordingBackend::write(HidHandle &h, const uint8_t *data, size_t len)
{
    auto &r = static_cast<Handle &>(h);
    const QByteArray given = bytesOf(data, len);
    const int rc = m_inner.write(*r.inner, data, len);
    record(QStringLiteral("out"), r.iface, given, rc);
    return rc;
}

int RecordingBackend::readTimeout(HidHandle &h, uint8_t *data, size_t len, int milliseconds)
{
    auto &r = static_cast<Handle &>(h);
    const int rc = m_inner.readTimeout(*r.inner, data, len, milliseconds);
    record(QStringLiteral("in"), r.iface, rc > 0 ? bytesOf(data, size_t(rc)) : QByteArray(), rc);
    return rc;
}
