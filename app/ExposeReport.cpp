#include "app/ExposeReport.h"

#include <QEvent>
#include <QFile>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// From the start time the kernel keeps (in clock ticks since boot), so the loader's work counts.
double msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // Field 22; the fields after the command name in parentheses start at field 3.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6 -
           fields[19].toDouble() * 1e3 / double(sysconf(_SC_CLK_TCK));
}

class FirstExpose : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            std::fprintf(stderr, "exposed %.0f\n", msSinceProcessStart());
            std::fflush(stderr);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void reportFirstExposeIfAsked(QWidget &window)
{
    if (qEnvironmentVariableIntValue("V7_REPORT_EXPOSE") != 1)
        return;
    if (QWindow *handle = window.windowHandle())
        handle->installEventFilter(new FirstExpose(handle));
}
