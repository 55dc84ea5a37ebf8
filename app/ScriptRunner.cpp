#include "app/ScriptRunner.h"

#include "app/ScriptGlobals.h"
#include "app/ScriptScene.h"
#include "app/Widget.h"
#include "bridge/Ui_Controler.h"
#include "bridge/myQQuickView.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QQmlEngine>
#include <QQuickItem>

#include <cstdio>

namespace {

QJSValue wrap(QJSEngine &engine, QObject *object)
{
    if (!object)
        return QJSValue(QJSValue::NullValue);
    // The program owns these; the engine must never delete them.
    QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
    return engine.newQObject(object);
}

} // namespace

ScriptRunner::ScriptRunner(Widget &widget, SimBackend *sim, const QString &path)
    : QObject(&widget), m_widget(widget), m_sim(sim), m_path(path)
{
    // Queued behind the scene's "run", which the same event queued just before.
    connect(&widget, &Widget::uiStarted, this, &ScriptRunner::runFileAndExit, Qt::QueuedConnection);
    connect(&widget.transport(), &Hid_Thread::closeRequested, this,
            [this] { m_deviceLost = true; });
}

int ScriptRunner::run(const QString &source, const QString &fileName)
{
    myQQuickView *view = m_widget.view();
    QQmlEngine *engine = view ? view->engine() : nullptr;
    if (!engine) {
        std::fprintf(stderr, "%s: the scene has no engine\n", qUtf8Printable(fileName));
        return 1;
    }
    auto *sim = new ScriptSim(m_sim, this);
    auto *dialogs = new ScriptDialogs(dynamic_cast<ScriptedDialogs *>(&Dialogs::instance()), this);
    auto *host = new ScriptHost(this);
    auto *scene = new ScriptScene(view, this);

    // The globals are parameters of a function around the script: the scene's global object
    // is read-only. The script keeps its line numbers.
    const QJSValue function = engine->evaluate(
        QStringLiteral("(function (ui_View, ui_Ctl, hid, sim, dialogs, scene, __host, __scene) {"
                       "var wait = function (ms) { __host.wait(ms); }; "
                       "var find = function (name) { return __scene.find(name); }; "
                       "var click = function (name) { return __scene.click(name); }; "
                       "var grab = function (path) { return __scene.grab(path); }; ") +
            source + QStringLiteral("\n})"),
        fileName, 1);
    QJSValue result = function;
    if (!function.isError())
        result = QJSValue(function).call({wrap(*engine, view), wrap(*engine, m_widget.controller()),
                                          wrap(*engine, &m_widget.transport()), wrap(*engine, sim),
                                          wrap(*engine, dialogs), wrap(*engine, view->rootObject()),
                                          wrap(*engine, host), wrap(*engine, scene)});
    sim->deleteLater();
    dialogs->deleteLater();
    host->deleteLater();
    scene->deleteLater();
    if (!result.isError())
        return 0;
    std::fprintf(stderr, "%s:%d: %s\n", qUtf8Printable(fileName),
                 result.property(QStringLiteral("lineNumber")).toInt(),
                 qUtf8Printable(result.toString()));
    return 1;
}

void ScriptRunner::runFileAndExit()
{
    QFile file(m_path);
    int status = 1;
    if (file.open(QIODevice::ReadOnly))
        status = run(QString::fromUtf8(file.readAll()), m_path);
    else
        std::fprintf(stderr, "Cannot read the script %s\n", qUtf8Printable(m_path));
    // A device check that failed while the script ran ends the program as a failure.
    QCoreApplication::exit(m_deviceLost ? 1 : status);
}
