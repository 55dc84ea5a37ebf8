#pragma once

#include <QObject>
#include <QString>

class QJSEngine;
class SimBackend;
class Widget;

// Runs a user's script in the scene's engine once the UI has started, then ends the program:
// status 0, or 1 when the script throws (the message goes to standard error).
class ScriptRunner : public QObject
{
    Q_OBJECT
public:
    // A child of widget; sim is null without emulated devices.
    ScriptRunner(Widget &widget, SimBackend *sim, const QString &path);

    // Runs source with the script globals; returns the exit status.
    int run(const QString &source, const QString &fileName);

private:
    void runFileAndExit();

    Widget &m_widget;
    SimBackend *m_sim;
    QString m_path;
    bool m_deviceLost = false;
};
