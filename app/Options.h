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
    QString dataDir; // empty: the default folder

    // Exits the process for --help, --version and errors, as QCommandLineParser does.
    // dataFolder is the folder used without --data-dir, named in the help text.
    static Options parse(const QCoreApplication &app, const QString &dataFolder);
    // Looked at before the application object exists, to pick the platform: a headless run, or
    // one that only prints help or the version, needs no display.
    static bool wantsHeadless(int argc, char **argv);
    static bool wantsNoWindow(int argc, char **argv);
};
