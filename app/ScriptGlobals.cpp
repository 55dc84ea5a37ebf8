#include "app/ScriptGlobals.h"

#include "platform/Dialogs.h"
#include "sim/SimBackend.h"

#include <QEventLoop>
#include <QJSEngine>
#include <QTimer>

namespace {

void throwError(QObject *from, const QString &message)
{
    if (QJSEngine *engine = qjsEngine(from))
        engine->throwError(message);
}

} // namespace

bool ScriptSim::check(const QString &kind)
{
    if (!m_sim) {
        throwError(this, QStringLiteral("sim: the program does not run with --simulate"));
        return false;
    }
    if (!m_sim->device(kind)) {
        throwError(this, QStringLiteral("sim: no emulated %1 (use --simulate=%1)").arg(kind));
        return false;
    }
    return true;
}

void ScriptSim::plug(const QString &kind)
{
    if (check(kind))
        m_sim->plug(kind);
}

void ScriptSim::unplug(const QString &kind)
{
    if (check(kind))
        m_sim->unplug(kind);
}

void ScriptSim::fault(const QString &kind, const QString &name, bool on)
{
    if (!check(kind))
        return;
    static const struct
    {
        const char *name;
        EmulatedDevice::Fault fault;
    } faults[] = {{"unplugged", EmulatedDevice::Fault::Unplugged},
                  {"noAck", EmulatedDevice::Fault::NoAck},
                  {"stalled", EmulatedDevice::Fault::Stalled},
                  {"wrongEcho", EmulatedDevice::Fault::WrongEcho}};
    for (const auto &f : faults) {
        if (name == QLatin1String(f.name)) {
            m_sim->device(kind)->setFault(f.fault, on);
            return;
        }
    }
    throwError(
        this,
        QStringLiteral("sim: unknown fault %1 (unplugged, noAck, stalled, wrongEcho)").arg(name));
}

bool ScriptDialogs::check()
{
    if (m_dialogs)
        return true;
    throwError(this, QStringLiteral("dialogs: boxes are not scripted in this run"));
    return false;
}

void ScriptDialogs::nextFile(const QString &path)
{
    if (check())
        m_dialogs->nextFile(path);
}

void ScriptDialogs::nextAnswer(bool yes)
{
    if (check())
        m_dialogs->nextAnswer(yes);
}

QVariantList ScriptDialogs::shown()
{
    QVariantList list;
    if (!check())
        return list;
    for (const QStringList &box : m_dialogs->shown())
        list.append(QVariant(box));
    return list;
}

void ScriptHost::wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(std::max(ms, 0), &loop, &QEventLoop::quit);
    loop.exec();
}
