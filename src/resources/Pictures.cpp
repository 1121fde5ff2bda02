#include "resources/Pictures.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <map>
#include <utility>

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

namespace {

// A picture kept as square PNGs of several sizes. A size is read from the resources only when
// it is first drawn: a window of many pictures starts without decoding sizes it never shows.
class PngPicture final : public QIconEngine {
public:
    // pattern has "%1" where the size goes; sizes in pixels, ascending.
    PngPicture(QString pattern, QList<int> sizes)
        : m_pattern(std::move(pattern))
        , m_sizes(std::move(sizes))
    {
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        QPixmap drawn = read(bestSizeFor(std::min(size.width(), size.height())));
        if (drawn.width() > size.width() || drawn.height() > size.height())
            drawn = drawn.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode == QIcon::Normal || mode == QIcon::Active)
            return drawn;
        // Disabled and selected pictures look as the style makes them from the normal one.
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, drawn, &option);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                                drawn.deviceIndependentSize().toSize(), rect),
                            drawn);
    }

    // As the style's own icons do: the largest size drawn that fits, so that a list or a button
    // makes room for the picture at a size it was drawn for.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int fits = std::min(size.width(), size.height());
        int largest = m_sizes.first();
        for (const int drawn : std::as_const(m_sizes))
            if (drawn <= fits)
                largest = drawn;
        return {largest, largest};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const int size : std::as_const(m_sizes))
            sizes.append(QSize(size, size));
        return sizes;
    }

    QIconEngine* clone() const override { return new PngPicture(*this); }
    QString key() const override { return u"PngPicture"_s; }

private:
    // The smallest size at least as large as wanted, else the largest.
    int bestSizeFor(int wanted) const
    {
        const auto at = std::lower_bound(m_sizes.cbegin(), m_sizes.cend(), wanted);
        return at == m_sizes.cend() ? m_sizes.last() : *at;
    }

    const QPixmap& read(int size)
    {
        auto [at, added] = m_read.try_emplace(size);
        if (added)
            at->second = QPixmap(m_pattern.arg(size), "PNG");
        return at->second;
    }

    QString m_pattern;
    QList<int> m_sizes;
    std::map<int, QPixmap> m_read;
};

QIcon sized(const QString& pattern, QList<int> sizes)
{
    registerPictures();
    return QIcon(new PngPicture(pattern, std::move(sizes)));
}

QIcon named(const QString& name)
{
    return sized(u":/pictures/"_s + name + u"-%1.png"_s, {24, 32, 48, 64});
}

// The list pictures, kept by the application object so that they go before it does.
class ListPictures final : public QObject {
public:
    using QObject::QObject;
    std::map<ListPicture, QIcon> made;
};

QIcon listPictureMade(ListPicture picture)
{
    // The icon theme's names, and Ordrane's own pictures where the desktop has no theme.
    static const std::map<ListPicture, std::pair<QString, QString>> names{
        {ListPicture::Folder, {u"folder"_s, u"folder"_s}},
        {ListPicture::OpenFolder, {u"folder-open"_s, u"folder-open"_s}},
        {ListPicture::Drive, {u"drive-harddisk"_s, u"drive"_s}},
        {ListPicture::RemovableDrive, {u"drive-removable-media"_s, u"drive-removable"_s}},
    };
    const auto& [themed, own] = names.at(picture);
    if (!QIcon::themeName().isEmpty() && QIcon::hasThemeIcon(themed))
        return QIcon::fromTheme(themed);
    return sized(u":/pictures/lists/"_s + own + u"-%1.png"_s, {16, 32});
}

} // namespace

const QIcon& listPicture(ListPicture picture)
{
    static QPointer<ListPictures> pictures;
    if (!pictures)
        pictures = new ListPictures(QCoreApplication::instance());
    auto [at, added] = pictures->made.try_emplace(picture);
    if (added)
        at->second = listPictureMade(picture);
    return at->second;
}

QIcon buttonPicture(ButtonPicture picture)
{
    switch (picture) {
    case ButtonPicture::AddOne:
        return named(u"add-one"_s);
    case ButtonPicture::AddSeveral:
        return named(u"add-several"_s);
    case ButtonPicture::Remove:
        return named(u"remove"_s);
    case ButtonPicture::Delete:
        return named(u"delete"_s);
    case ButtonPicture::Copy:
        return named(u"copy"_s);
    case ButtonPicture::UpOneLevel:
        return named(u"up-one-level"_s);
    case ButtonPicture::Home:
        return named(u"home"_s);
    }
    return {};
}

QIcon applicationIcon()
{
    return sized(u":/icons/hicolor/%1x%1/apps/ordrane.png"_s, {16, 32, 48, 64, 128, 256});
}
