#include "app/ScriptScene.h"

#include <QApplication>
#include <QImage>
#include <QJSEngine>
#include <QMouseEvent>
#include <QQuickItem>
#include <QQuickWidget>
#include <QQuickWindow>

namespace {

QQuickItem *findInTree(QQuickItem *item, const QString &name)
{
    if (item->objectName() == name)
        return item;
    const QList<QQuickItem *> children = item->childItems();
    for (QQuickItem *child : children) {
        if (QQuickItem *found = findInTree(child, name))
            return found;
    }
    return nullptr;
}

void send(QWidget *view, QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, at, view->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

} // namespace

QQuickItem *ScriptScene::find(const QString &objectName) const
{
    QQuickItem *top =
        m_view && m_view->quickWindow() ? m_view->quickWindow()->contentItem() : nullptr;
    if (!top || objectName.isEmpty())
        return nullptr;
    QQuickItem *item = findInTree(top, objectName);
    // Items of closed popups are only children of the objects that declare them.
    if (!item && m_view->rootObject())
        item = m_view->rootObject()->findChild<QQuickItem *>(objectName);
    // The scene owns its items; the script's engine must never collect one.
    if (item)
        QJSEngine::setObjectOwnership(item, QJSEngine::CppOwnership);
    return item;
}

bool ScriptScene::click(const QString &objectName)
{
    QQuickItem *item = find(objectName);
    if (!item || !m_view || !m_view->isVisible() || !item->isVisible() || !item->isEnabled() ||
        item->width() <= 0 || item->height() <= 0)
        return false;
    const QPointF at = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    if (!QRectF(m_view->rect()).contains(at))
        return false;
    send(m_view, QEvent::MouseMove, at, Qt::NoButton);
    send(m_view, QEvent::MouseButtonPress, at, Qt::LeftButton);
    send(m_view, QEvent::MouseButtonRelease, at, Qt::NoButton);
    return true;
}

bool ScriptScene::grab(const QString &path) const
{
    return m_view && m_view->grabFramebuffer().save(path, "PNG");
}
