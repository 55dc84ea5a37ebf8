#include "app/Options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <cstring>

bool Options::wantsHeadless(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--headless") == 0)
            return true;
    return false;
}

bool Options::wantsNoWindow(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        for (const char *info : {"--help", "-h", "--help-all", "--version", "-v"})
            if (std::strcmp(argv[i], info) == 0)
                return true;
    return wantsHeadless(argc, argv);
}

Options Options::parse(const QCoreApplication &app, const QString &dataFolder)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configures the V7 gaming mouse and its companion keyboard.\n"
                       "Settings, profiles and macros are kept in %1/modules.")
            .arg(QDir::toNativeSeparators(dataFolder)));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Use emulated devices instead of USB: a comma list of mouse and "
                       "keyboard (default: mouse). Write it as --simulate=mouse,keyboard."));
    const QCommandLineOption trace(QStringLiteral("hid-trace"),
                                   QStringLiteral("Append every HID call to <file>."),
                                   QStringLiteral("file"));
    const QCommandLineOption headless(QStringLiteral("headless"),
                                      QStringLiteral("Run without a window; boxes go to "
                                                     "standard error."));
    const QCommandLineOption eval(QStringLiteral("eval"),
                                  QStringLiteral("After start-up, run <script> in the scene's "
                                                 "engine and exit."),
                                  QStringLiteral("script"));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Keep settings, profiles and macros in "
                                                    "<dir>/modules, filled from the shipped "
                                                    "files where missing."),
                                     QStringLiteral("dir"));
    parser.addOptions({simulate, trace, headless, eval, dataDir});

    // --simulate takes an optional value, which QCommandLineParser cannot express.
    QStringList args = app.arguments();
    Options o;
    for (qsizetype i = args.size() - 1; i >= 1; --i) {
        const QString &a = args[i];
        if (a == QLatin1String("--simulate")) {
            o.simulate = true;
            args.removeAt(i);
        } else if (a.startsWith(QLatin1String("--simulate="))) {
            o.simulate = true;
            o.simulated += a.mid(11).split(QLatin1Char(','), Qt::SkipEmptyParts);
            args.removeAt(i);
        }
    }
    parser.process(args);
    if (o.simulate && o.simulated.isEmpty())
        o.simulated = {QStringLiteral("mouse")};
    for (const QString &kind : std::as_const(o.simulated)) {
        if (kind != QLatin1String("mouse") && kind != QLatin1String("keyboard")) {
            std::fprintf(stderr, "Unknown device to simulate: %s (use mouse or keyboard)\n",
                         qUtf8Printable(kind));
            std::exit(2);
        }
    }
    o.headless = parser.isSet(headless);
    const QString cwd = QDir::currentPath();
    if (parser.isSet(trace))
        o.hidTrace = QFileInfo(QDir(cwd), parser.value(trace)).absoluteFilePath();
    else if (qEnvironmentVariableIsSet("V7_HID_TRACE"))
        o.hidTrace = QFileInfo(QDir(cwd), qEnvironmentVariable("V7_HID_TRACE")).absoluteFilePath();
    if (parser.isSet(eval))
        o.evalScript = QFileInfo(QDir(cwd), parser.value(eval)).absoluteFilePath();
    if (parser.isSet(dataDir))
        o.dataDir = QFileInfo(QDir(cwd), parser.value(dataDir)).absoluteFilePath();
    return o;
}
