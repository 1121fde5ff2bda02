#pragma once

#include <QObject>
#include <QString>
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
