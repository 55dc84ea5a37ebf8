#include "app/Program.h"

#include "app/DataDir.h"
#include "app/ExposeReport.h"
#include "app/InputCapture.h"
#include "app/Options.h"
#include "app/ScriptRunner.h"
#include "app/Widget.h"
#include "device/HidTrace.h"
#include "device/HidapiBackend.h"
#include "input/NoticeChannel.h"
#include "platform/DeviceMonitor.h"
#include "platform/Dialogs.h"
#include "sim/SimBackend.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <memory>

#ifndef V7_APP_ID
#define V7_APP_ID "v7config"
#endif

int Program::run(int argc, char **argv)
{
    if (Options::wantsNoWindow(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QT_QUICK_BACKEND", "software");
    }
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("v7config"));
    QCoreApplication::setApplicationVersion(QStringLiteral(V7_VERSION));
    // Lets Wayland compositors and docks match the window with the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(V7_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(V7_APP_ID)));
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString defaultData = DataDir::defaultFolder(exeDir);
    const Options options = Options::parse(app, defaultData);
    const QString data = options.dataDir.isEmpty() ? defaultData : options.dataDir;
    if (!DataDir::enter(data, exeDir)) {
        std::fprintf(stderr, "Cannot use the data folder %s\n", qUtf8Printable(data));
        return 2;
    }

    if (!options.hidTrace.isEmpty() && !HidTrace::instance().open(options.hidTrace.toLocal8Bit()))
        std::fprintf(stderr, "Cannot write the HID trace %s\n", qUtf8Printable(options.hidTrace));

    std::unique_ptr<HidBackend> backend;
    SimBackend *sim = nullptr;
    if (options.simulate) {
        auto s = std::make_unique<SimBackend>(options.simulated);
        sim = s.get();
        backend = std::move(s);
    } else {
        backend = std::make_unique<HidapiBackend>();
    }
    Hid_Thread::setDefaultBackend(backend.get());

    if (options.headless || !options.evalScript.isEmpty())
        Dialogs::setInstance(std::make_unique<ScriptedDialogs>());
    else
        Dialogs::setInstance(std::make_unique<WidgetDialogs>());

    int code = 0;
    {
        Widget widget;
        InputCapture inputCapture(widget); // removes the hooks before the window goes
        DeviceMonitor monitor;
        QObject::connect(&monitor, &DeviceMonitor::changed, &widget, &Widget::deviceChanged);
        if (sim)
            QObject::connect(sim, &SimBackend::deviceChanged, &widget, &Widget::deviceChanged);

        if (!options.evalScript.isEmpty())
            new ScriptRunner(widget, sim, options.evalScript); // a child of widget
        widget.checkDevice();
        Hid_Thread &hid = widget.transport();
        if (hid.isVerified()) {
            widget.showNormal();
            reportFirstExposeIfAsked(widget); // the window is exposed later, from the event loop
            widget.startUi();
            if (hid.isDemo())
                NoticeChannel::sendNotice(widget.windowTitle(),
                                          QStringLiteral("===== Demo Mode ====="));
        }
        code = QApplication::exec();
    }
    Hid_Thread::setDefaultBackend(nullptr);
    return code;
}
