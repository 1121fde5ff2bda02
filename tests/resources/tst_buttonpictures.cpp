#include "resources/ButtonPictures.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QList<std::pair<const char*, ButtonPicture>> pictures = {
    {"add one", ButtonPicture::AddOne}, {"add several", ButtonPicture::AddSeveral},
    {"remove", ButtonPicture::Remove},  {"delete", ButtonPicture::Delete},
    {"copy", ButtonPicture::Copy},      {"up one level", ButtonPicture::UpOneLevel},
    {"home", ButtonPicture::Home},
};

// The picture as the button shows it: 24 by 24 pixels on the given window colour.
QImage onBackground(const QIcon& icon, const QColor& background)
{
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, icon.pixmap(QSize(24, 24)));
    painter.end();
    return image;
}

// The share of the pixels that stand clearly apart from the background.
double visibleShare(const QImage& image, const QColor& background)
{
    int visible = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int difference = std::max({std::abs(c.red() - background.red()),
                                             std::abs(c.green() - background.green()),
                                             std::abs(c.blue() - background.blue())});
            if (difference >= 64)
                ++visible;
        }
    }
    return double(visible) / (image.width() * image.height());
}

// The mean difference per colour channel, transparency included, of two images of one size.
double meanDifference(const QImage& a, const QImage& b)
{
    const QImage first = a.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    const QImage second = b.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    qint64 sum = 0;
    for (int y = 0; y < first.height(); ++y) {
        const uchar* p = first.constScanLine(y);
        const uchar* q = second.constScanLine(y);
        for (int i = 0; i < first.width() * 4; ++i)
            sum += std::abs(p[i] - q[i]);
    }
    return double(sum) / (first.width() * first.height() * 4);
}

} // namespace

class TestButtonPictures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sharpAndReadable();
    void everyPictureIsItsOwn();
    void applicationIconMatchesItsPngSizes();
};

// Drawn from the vector image at the screen's scale, not blown up from a small bitmap, and on
// light and dark windows alike at least 15 percent of the picture area stands clearly apart from
// the window colour.
void TestButtonPictures::sharpAndReadable()
{
    for (const auto& [name, picture] : pictures) {
        const QIcon icon = buttonPicture(picture);
        QVERIFY2(!icon.isNull(), name);
        for (const qreal scale : {1.0, 1.5, 2.0, 3.0}) {
            const QPixmap pixmap = icon.pixmap(QSize(24, 24), scale);
            QCOMPARE(pixmap.size(), QSize(24, 24) * scale);
            QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(24, 24));
        }
        for (const QColor background : {QColor(0xff, 0xff, 0xff), QColor(0xef, 0xef, 0xef),
                                        QColor(0x35, 0x35, 0x35), QColor(0x1e, 0x1e, 0x1e)}) {
            const double share = visibleShare(onBackground(icon, background), background);
            QVERIFY2(share >= 0.15,
                     qPrintable(u"%1: visible share %2 on %3"_s.arg(QLatin1StringView(name))
                                    .arg(share)
                                    .arg(background.name())));
        }
    }
}

void TestButtonPictures::everyPictureIsItsOwn()
{
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        const QImage first = buttonPicture(pictures[i].second).pixmap(QSize(24, 24)).toImage();
        for (qsizetype j = i + 1; j < pictures.size(); ++j) {
            const QImage second = buttonPicture(pictures[j].second).pixmap(QSize(24, 24)).toImage();
            QVERIFY2(
                meanDifference(first, second) > 4.0,
                qPrintable(u"%1 and %2 look alike"_s.arg(QLatin1StringView(pictures[i].first),
                                                         QLatin1StringView(pictures[j].first))));
        }
    }
}

// The installed PNG sizes are renderings of the same picture, redone when the picture changes.
void TestButtonPictures::applicationIconMatchesItsPngSizes()
{
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString file =
            QFINDTESTDATA(u"../../src/resources/icons/hicolor/%1x%1/apps/ordrane.png"_s.arg(size));
        const QImage png(file);
        QCOMPARE(png.size(), QSize(size, size));
        const QImage drawn = applicationIcon().pixmap(QSize(size, size)).toImage();
        QCOMPARE(drawn.size(), QSize(size, size));
        const double difference = meanDifference(drawn, png);
        QVERIFY2(difference < 8.0,
                 qPrintable(u"%1x%1: mean difference %2"_s.arg(size).arg(difference)));
    }
}

QTEST_MAIN(TestButtonPictures)
#include "tst_buttonpictures.moc"
