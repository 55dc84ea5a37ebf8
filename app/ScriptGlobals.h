#pragma once

#include <QObject>
#include <QVariantList>

class ScriptedDialogs;
class SimBackend;

// The objects a script sees as "sim", "dialogs" and (behind wait) the event-loop host.
// Misuse is thrown back into the script as a JavaScript error.

class ScriptSim : public QObject
{
    Q_OBJECT
public:
    ScriptSim(SimBackend *sim, QObject *parent) : QObject(parent), m_sim(sim) {}

    // kind: "mouse" or "keyboard". Plugging and unplugging raise a device change.
    Q_INVOKABLE void plug(const QString &kind);
    Q_INVOKABLE void unplug(const QString &kind);
    // name: "unplugged", "noAck", "stalled" or "wrongEcho".
    Q_INVOKABLE void fault(const QString &kind, const QString &name, bool on);

private:
    bool check(const QString &kind);

    SimBackend *m_sim;
};

class ScriptDialogs : public QObject
{
    Q_OBJECT
public:
    ScriptDialogs(ScriptedDialogs *dialogs, QObject *parent) : QObject(parent), m_dialogs(dialogs)
    {
    }

    // "" cancels the next file dialog.
    Q_INVOKABLE void nextFile(const QString &path);
    Q_INVOKABLE void nextAnswer(bool yes);
    // [title, text] of every box shown so far.
    Q_INVOKABLE QVariantList shown();

private:
    bool check();

    ScriptedDialogs *m_dialogs;
};

class ScriptHost : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Runs the event loop for ms milliseconds.
    Q_INVOKABLE void wait(int ms);
};
