#include "device/HidTrace.h"

#include <fcntl.h>
#include <unistd.h>

HidTrace &HidTrace::instance()
{
    static HidTrace trace;
    return trace;
}

HidTrace::HidTrace()
{
    m_clock.start();
}

HidTrace::~HidTrace()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool HidTrace::open(const QByteArray &path)
{
    std::lock_guard lock(m_mutex);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (path.isEmpty())
        return true;
    m_fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    return m_fd >= 0;
}

QByteArray HidTrace::head(const char *op, unsigned did, Role role) const
{
    const double seconds = double(m_clock.nsecsElapsed()) / 1e9;
    return QByteArray::number(seconds, 'f', 6) + ' ' + op + ' ' + QByteArray::number(did) + ' ' +
           (role == Role::Command ? "cmd" : "event");
}

void HidTrace::path(const char *op, unsigned did, Role role, const QByteArray &path)
{
    if (!enabled())
        return;
    emitLine(head(op, did, role) + ' ' + path);
}

void HidTrace::bytes(const char *op, unsigned did, Role role, const uint8_t *data, size_t len,
                     bool ok)
{
    if (!enabled())
        return;
    QByteArray line = head(op, did, role);
    if (len > 0)
        line += ' ' + QByteArray(reinterpret_cast<const char *>(data), qsizetype(len)).toHex(' ');
    if (!ok)
        line += " ERR";
    emitLine(std::move(line));
}

void HidTrace::emitLine(QByteArray line)
{
    line += '\n';
    std::lock_guard lock(m_mutex);
    // One write per line keeps lines whole when several processes append to one file.
    if (m_fd >= 0 && ::write(m_fd, line.constData(), size_t(line.size())) < 0)
        return;
}
