#include "resources/ButtonPictures.h"

#include <QImage>
#include <QTest>

#include <cstdlib>

using namespace Qt::StringLiterals;

// The mean difference per colour channel, transparency included, of two images of one size.
static double meanDifference(const QImage& a, const QImage& b)
{
    const QImage first = a.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    const QImage second = b.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    qint64 sum = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int i = 0; i < first.width() * 4; ++i)
            sum += std::abs(first.constScanLine(y)[i] - second.constScanLine(y)[i]);
    return double(sum) / (first.width() * first.height() * 4);
}

class TestButtonPictures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void picturesAreSharpAndApart();
    void applicationIconMatchesItsPngSizes();
};

// Drawn from the vector image at the screen's scale, and no two pictures look alike.
void TestButtonPictures::picturesAreSharpAndApart()
{
    const QList<ButtonPicture> pictures = {ButtonPicture::AddOne, ButtonPicture::AddSeveral,
                                           ButtonPicture::Remove, ButtonPicture::Delete,
                                           ButtonPicture::Copy,   ButtonPicture::UpOneLevel,
                                           ButtonPicture::Home};
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        QCOMPARE(buttonPicture(pictures[i]).pixmap(QSize(24, 24), 2.0).size(), QSize(48, 48));
        const QImage first = buttonPicture(pictures[i]).pixmap(QSize(24, 24)).toImage();
        for (qsizetype j = i + 1; j < pictures.size(); ++j)
            QVERIFY(meanDifference(
                        first, buttonPicture(pictures[j]).pixmap(QSize(24, 24)).toImage()) > 4.0);
    }
}

// The installed PNG sizes are renderings of the same picture, redone when the picture changes.
void TestButtonPictures::applicationIconMatchesItsPngSizes()
{
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QImage png(
            QFINDTESTDATA(u"../../src/resources/icons/hicolor/%1x%1/apps/ordrane.png"_s.arg(size)));
        QCOMPARE(png.size(), QSize(size, size));
        QVERIFY(meanDifference(applicationIcon().pixmap(QSize(size, size)).toImage(), png) < 8.0);
    }
}

QTEST_MAIN(TestButtonPictures)
#include "tst_buttonpictures.moc"
