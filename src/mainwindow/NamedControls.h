#pragma once

#include "resources/Pictures.h"

#include <QPushButton>
#include <QString>

// The object gets its name, by which tests, scripts and accessibility tools find it.
template <typename T> T* named(T* object, const QString& name)
{
    object->setObjectName(name);
    return object;
}

// A button showing one of the program's pictures.
inline QPushButton* pictureButton(const QString& name, ButtonPicture picture, QWidget* parent)
{
    auto* button = named(new QPushButton(parent), name);
    button->setIcon(buttonPicture(picture));
    button->setIconSize(QSize(24, 24));
    return button;
}
