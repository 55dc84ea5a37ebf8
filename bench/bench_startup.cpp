// Start-up cost of the program against a bare Qt Quick window of the same size, both started as
// child processes under the current display: the time until the window is first exposed, the
// resident memory two seconds later and the GUI thread's wake-ups per second while idle.
//
// Run from the build directory: ./bench/bench_startup [rounds, default 5]
// (the program runs as "v7config --simulate"; use Xvfb or QT_QPA_PLATFORM=offscreen without X)
#include "app/ExposeReport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QQuickWidget>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Sample
{
    double startMs = -1;
    double rssMb = -1;
    double wakeupsPerSecond = -1;
};

// A field of /proc/<pid>/status (or of a thread's) as a number; -1 when missing.
double statusField(const QString &statusPath, const QByteArray &name)
{
    QFile f(statusPath);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').value(0).toDouble();
    }
    return -1;
}

double contextSwitches(qint64 pid)
{
    const QString path = QStringLiteral("/proc/%1/task/%1/status").arg(pid);
    return statusField(path, "voluntary_ctxt_switches") +
           statusField(path, "nonvoluntary_ctxt_switches");
}

Sample measure(const QString &program, const QStringList &arguments)
{
    Sample s;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("V7_REPORT_EXPOSE"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setReadChannel(QProcess::StandardError);
    QElapsedTimer clock;
    clock.start();
    p.start(program, arguments);
    QByteArray err;
    while (!err.contains("exposed ") && p.waitForReadyRead(30000))
        err += p.readAllStandardError();
    if (err.contains("exposed ")) {
        s.startMs = clock.nsecsElapsed() / 1e6;
        const QString status = QStringLiteral("/proc/%1/status").arg(p.processId());
        QThread::sleep(2);
        s.rssMb = statusField(status, "VmRSS") / 1024;
        const double before = contextSwitches(p.processId());
        QThread::sleep(3);
        s.wakeupsPerSecond = (contextSwitches(p.processId()) - before) / 3;
    } else {
        std::fprintf(stderr, "%s never showed its window:\n%s\n", qUtf8Printable(program),
                     err.constData());
    }
    p.terminate();
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished();
    }
    return s;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

// The reference: one Qt Quick widget showing a 1000 x 600 rectangle, nothing else.
int runBare(int argc, char **argv)
{
    QApplication app(argc, argv);
    QQuickWidget view;
    view.setSource(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[2])));
    view.show();
    reportFirstExposeIfAsked(view);
    return QApplication::exec();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--bare") == 0)
        return runBare(argc, argv);

    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir dir;
    const QString qml = dir.filePath(QStringLiteral("bare.qml"));
    QFile f(qml);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write("import QtQuick\nRectangle { width: 1000; height: 600; color: \"#1b1d22\" }\n") < 0)
        return 1;
    f.close();
    const QString self = QCoreApplication::applicationFilePath();
    const QString v7config =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../v7config");

    std::vector<double> start[2], rss[2], wakeups[2];
    for (int round = 0; round < rounds; ++round) {
        // Alternating, so a busy moment of the machine hits both alike.
        const Sample samples[2] = {measure(self, {QStringLiteral("--bare"), qml}),
                                   measure(v7config, {QStringLiteral("--simulate")})};
        for (int i = 0; i < 2; ++i) {
            if (samples[i].startMs < 0)
                return 1;
            start[i].push_back(samples[i].startMs);
            rss[i].push_back(samples[i].rssMb);
            wakeups[i].push_back(samples[i].wakeupsPerSecond);
        }
        std::fprintf(stderr, "round %d done\n", round + 1);
    }

    std::printf("medians of %d rounds    bare  program   ratio   goal\n", rounds);
    const struct
    {
        const char *name;
        std::vector<double> *values;
        const char *goal;
    } rows[] = {{"start until exposed (ms)", start, "<= 1.25"},
                {"resident memory (MB)    ", rss, "<= 1.20"},
                {"idle wake-ups per second", wakeups, "program 0"}};
    for (const auto &row : rows) {
        const double bare = median(row.values[0]);
        const double program = median(row.values[1]);
        if (bare > 0)
            std::printf("%s %8.1f %8.1f %7.2f   %s\n", row.name, bare, program, program / bare,
                        row.goal);
        else
            std::printf("%s %8.1f %8.1f       -   %s\n", row.name, bare, program, row.goal);
    }
    return 0;
}
