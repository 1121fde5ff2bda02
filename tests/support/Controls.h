#pragma once

#include <QListWidget>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The control, menu item or window below parent that carries the object name, as a user's
// script finds it. A name that is not there ends the test program: the window's layout has
// changed under the test.
template <typename T> T* child(const QObject& parent, const QString& name)
{
    T* found = parent.findChild<T*>(name);
    if (!found)
        qFatal("No %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return found;
}

// The entries of a list box, top to bottom.
inline QStringList itemsOf(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}
