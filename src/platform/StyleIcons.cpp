#include "StyleIcons.h"

#include <QApplication>
#include <QPointer>

#include <map>

namespace {

// Kept by the application object, so that the icons go before the style and the application do.
class IconCache final : public QObject {
public:
    using QObject::QObject;
    std::map<QStyle::StandardPixmap, QIcon> icons;
};

} // namespace

const QIcon& styleIcon(QStyle::StandardPixmap which)
{
    static QPointer<IconCache> cache;
    if (!cache)
        cache = new IconCache(QCoreApplication::instance());
    auto [at, added] = cache->icons.try_emplace(which);
    if (added)
        at->second = QApplication::style()->standardIcon(which);
    return at->second;
}
