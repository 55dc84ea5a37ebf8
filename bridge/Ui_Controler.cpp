#include "bridge/Ui_Controler.h"

#include "bridge/myQQuickView.h"
#include "platform/DataPaths.h"

#include <QQmlContext>
#include <QQuickItem>
#include <QSettings>
#include <QUrl>
#include <QWidget>

Ui_Controler::Ui_Controler(QWidget *host, QObject *hid) : QObject(host), m_host(host)
{
    if (!host)
        return;
    if (host->objectName().isEmpty())
        host->setObjectName(QStringLiteral("Widget"));
    host->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    host->setWindowOpacity(1.0);
    host->setAttribute(Qt::WA_TranslucentBackground);
    host->setStyleSheet(QStringLiteral("background:transparent;"));

    m_view = new myQQuickView(host);
    m_view->setObjectName(QStringLiteral("ui_View"));
    // V7_QML_DIR points at a source scene, so QML can be tried without rebuilding.
    const QString qmlDir = qEnvironmentVariable("V7_QML_DIR");
    m_view->setSource(qmlDir.isEmpty() ? QUrl(QStringLiteral("qrc:modules/qml/main.qml"))
                                       : QUrl::fromLocalFile(qmlDir + QStringLiteral("/main.qml")));

    // Published after loading, as the scene only reaches them from its functions.
    QQmlContext *context = m_view->rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), m_view);
    context->setContextProperty(QStringLiteral("hid"), hid);
    context->setContextProperty(QStringLiteral("ui_Ctl"), this);

    host->resize(m_view->width(), m_view->height());

    const QSettings apConfig(DataPaths::apConfig(), QSettings::IniFormat);
    host->setWindowTitle(apConfig.value(QStringLiteral("common/name")).toString());
}

void Ui_Controler::onMinimize()
{
    if (m_host)
        m_host->close();
}

void Ui_Controler::onXChanged(int x)
{
    if (m_host)
        m_host->move(m_host->x() + x, m_host->y());
}

void Ui_Controler::onYChanged(int y)
{
    if (m_host)
        m_host->move(m_host->x(), m_host->y() + y);
}

void Ui_Controler::setBusy(int busyTime)
{
    QObject *root = m_view ? m_view->rootObject() : nullptr;
    if (root)
        QMetaObject::invokeMethod(root, "setProtectUI", Qt::DirectConnection,
                                  Q_ARG(QVariant, QVariant(busyTime)));
}

void Ui_Controler::setBusy()
{
    setBusy(0);
}
