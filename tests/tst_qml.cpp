// Qt Quick Test runner for the scene's documents (tests/qml/tst_*.qml), with recording stand-ins
// for the native objects the scene calls.
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

namespace {

// Records every call the scene makes on "ui_View" or "ui_Ctl" as "name arg…".
class CallRecorder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList calls READ calls NOTIFY callsChanged)
public:
    QStringList calls() const { return m_calls; }
    Q_INVOKABLE void clear()
    {
        m_calls.clear();
        emit callsChanged();
    }

    // ui_View
    Q_INVOKABLE void setEnabled(bool on)
    {
        record(on ? QStringLiteral("setEnabled true") : QStringLiteral("setEnabled false"));
    }
    Q_INVOKABLE void playMedia_Index(int index)
    {
        record(QStringLiteral("playMedia_Index %1").arg(index));
    }
    // ui_Ctl
    Q_INVOKABLE void onMinimize() { record(QStringLiteral("onMinimize")); }
    Q_INVOKABLE void onXChanged(int x) { record(QStringLiteral("onXChanged %1").arg(x)); }
    Q_INVOKABLE void onYChanged(int y) { record(QStringLiteral("onYChanged %1").arg(y)); }

signals:
    void callsChanged();

private:
    void record(const QString &call)
    {
        m_calls << call;
        emit callsChanged();
    }
    QStringList m_calls;
};

class Setup : public QObject
{
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        engine->rootContext()->setContextProperty(QStringLiteral("ui_View"), &m_view);
        engine->rootContext()->setContextProperty(QStringLiteral("ui_Ctl"), &m_controller);
    }

private:
    CallRecorder m_view;
    CallRecorder m_controller;
};

} // namespace

QUICK_TEST_MAIN_WITH_SETUP(scene, Setup)
#include "tst_qml.moc"
