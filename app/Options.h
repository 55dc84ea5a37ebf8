#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

// The command line. Paths are made absolute against the directory the user started in.
struct Options
{
    bool headless = false;
    bool simulate = false;
    QStringList simulated; // "mouse", "keyboard"
    QString hidTrace;
    QString evalScript;

    // Exits the process for --help, --version and errors, as QCommandLineParser does.
    static Options parse(const QCoreApplication &app);
    // Looked at before the application object exists, to pick the platform: a headless run, or
    // one that only prints help or the version, needs no display.
    static bool wantsHeadless(int argc, char **argv);
    static bool wantsNoWindow(int argc, char **argv);
};
