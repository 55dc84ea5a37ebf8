#include "FuzzHarness.h"

#include "bridge/IniGuard.h"
#include "bridge/myQQuickView.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Millions of runs would drown the fuzzer's own output in qDebug lines.
void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::abort();
    }
}

QTemporaryDir *g_dir = nullptr;
myQQuickView *g_view = nullptr;
qint64 g_stamp = 0;

} // namespace

namespace FuzzHarness {

void init()
{
    if (qApp)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    qInstallMessageHandler(quiet);
    static int argc = 1;
    static char name[] = "v7fuzz";
    static char *argv[] = {name, nullptr};
    // Lives for the whole process: libFuzzer exits without returning to a caller.
    new QApplication(argc, argv);
    g_dir = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/v7fuzz-XXXXXX"));
    if (!g_dir->isValid())
        std::abort();
    QDir::setCurrent(g_dir->path());
    for (const char *sub : {"setting", "macro", "gun", "i18n"})
        QDir().mkpath(QStringLiteral("modules/") + QLatin1String(sub));
    std::atexit([] { delete g_dir; });
}

myQQuickView &view()
{
    init();
    if (!g_view)
        g_view = new myQQuickView;
    return *g_view;
}

void writeFile(const QString &path, const uint8_t *data, size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    if (size > 0 && file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    file.setFileTime(QDateTime::fromSecsSinceEpoch(1'000'000'000 + ++g_stamp),
                     QFileDevice::FileModificationTime);
}

bool refusedByStores(const uint8_t *data, size_t size)
{
    return !IniGuard::isSafe(QByteArrayView(data, qsizetype(size)));
}

void drainEvents()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace FuzzHarness
