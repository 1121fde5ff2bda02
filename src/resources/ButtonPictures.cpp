#include "resources/ButtonPictures.h"

using namespace Qt::StringLiterals;

// The pictures live in the program's resources, which sit in a static library: registering
// them here makes sure the linker keeps them.
static void registerPictures()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
}

QIcon buttonPicture(ButtonPicture picture)
{
    registerPictures();
    switch (picture) {
    case ButtonPicture::AddOne:
        return QIcon(u":/pictures/add-one.svg"_s);
    case ButtonPicture::AddSeveral:
        return QIcon(u":/pictures/add-several.svg"_s);
    case ButtonPicture::Remove:
        return QIcon(u":/pictures/remove.svg"_s);
    case ButtonPicture::Delete:
        return QIcon(u":/pictures/delete.svg"_s);
    case ButtonPicture::Copy:
        return QIcon(u":/pictures/copy.svg"_s);
    case ButtonPicture::UpOneLevel:
        return QIcon(u":/pictures/up-one-level.svg"_s);
    case ButtonPicture::Home:
        return QIcon(u":/pictures/home.svg"_s);
    }
    return {};
}

QIcon applicationIcon()
{
    registerPictures();
    return QIcon(u":/icons/ordrane.svg"_s);
}
