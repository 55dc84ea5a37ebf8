#pragma once

#include <QObject>
#include <QPointer>
#include <QQuickWidget> // QPointer needs the whole class

class QQuickItem;

// What a script sees of the scene: find(objectName), click(objectName) and grab(path).
class ScriptScene : public QObject
{
    Q_OBJECT
public:
    ScriptScene(QQuickWidget *view, QObject *parent) : QObject(parent), m_view(view) {}

    // The first item named so, depth first through the whole tree (loaded pages, open popups),
    // then among items not in the tree (closed popups); null when there is none.
    Q_INVOKABLE QQuickItem *find(const QString &objectName) const;
    // A press and release at the item's centre, through the view like a real mouse. False when
    // the item is missing, hidden (or under a hidden parent), disabled, empty or outside the
    // window.
    Q_INVOKABLE bool click(const QString &objectName);
    // Writes the window as drawn to a PNG file.
    Q_INVOKABLE bool grab(const QString &path) const;

private:
    QPointer<QQuickWidget> m_view;
};
