// Qt Quick Test runner for the scene's documents (tests/qml/tst_*.qml), with recording stand-ins
// for the native objects the scene calls.
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

namespace {

// A JavaScript object that records every call made on it as "name arg…" in `calls` and answers
// from `answers` (a value, or a function of the arguments), so the scene can call any slot.
const char *const kRecorder = R"((function () {
    const target = {
        calls: [],
        answers: {},
        clear: function () { target.calls = [] }
    }
    return new Proxy(target, {
        get: function (t, name) {
            if (name in t || typeof name !== "string")
                return t[name]
            return function () {
                const args = Array.prototype.slice.call(arguments)
                t.calls = t.calls.concat([[name].concat(args.map(String)).join(" ")])
                const answer = t.answers[name]
                return typeof answer === "function" ? answer.apply(null, args) : answer
            }
        }
    })
}))";

class Setup : public QObject
{
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        const QJSValue make = engine->evaluate(QString::fromLatin1(kRecorder));
        QQmlContext *context = engine->rootContext();
        context->setContextProperty(QStringLiteral("ui_View"), QVariant::fromValue(make.call()));
        context->setContextProperty(QStringLiteral("ui_Ctl"), QVariant::fromValue(make.call()));
    }
};

} // namespace

QUICK_TEST_MAIN_WITH_SETUP(scene, Setup)
#include "tst_qml.moc"
