#include "resources/ButtonPictures.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestButtonPictures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The installed PNG sizes of the application icon are renderings of its current picture:
    // the mean difference per colour channel, transparency included, stays small.
    void iconSizesCurrent()
    {
        for (const int size : {16, 32, 48, 64, 128, 256}) {
            const auto format = QImage::Format_RGBA8888_Premultiplied;
            const QImage png = QImage(QFINDTESTDATA(
                u"../../src/resources/icons/hicolor/%1x%1/apps/ordrane.png"_s.arg(size)));
            const QImage a = png.convertToFormat(format);
            const QImage b = applicationIcon().pixmap(png.size()).toImage().convertToFormat(format);
            QCOMPARE(b.size(), QSize(size, size));
            qint64 sum = 0;
            for (qsizetype i = 0; i < a.sizeInBytes(); ++i)
                sum += std::abs(a.constBits()[i] - b.constBits()[i]);
            QVERIFY(sum < 8 * a.sizeInBytes());
        }
    }
};

QTEST_MAIN(TestButtonPictures)
#include "tst_buttonpictures.moc"
