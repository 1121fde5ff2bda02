#include "mainwindow/Mp3Count.h"

#include "support/TestDir.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

class TestMp3Count : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void threeLevelsCounted();
};

void TestMp3Count::threeLevelsCounted()
{
    TestDir d;
    QStringList files{u"Elsewhere/a.mp3"_s,     u"Top/loose.mp3"_s,
                      u"Top/notes.txt"_s,       u"Top/Empty/"_s,
                      u"Top/Five/a.MP3"_s,      u"Top/Five/Deep/x.mp3"_s,
                      u"Top/Five/Deep/y.mp3"_s, u"Top/Five/Deep/Deeper/not counted.mp3"_s,
                      u"Top/.hidden/z.mp3"_s};
    for (int i = 0; i < 10; ++i)
        files.append(u"Top/Ten/"_s + QString::number(i) + u".mp3"_s);
    for (int i = 0; i < 4; ++i)
        files.append(u"Top/Five/"_s + QString::number(i) + u".mp3"_s);
    d.create(files);
    // Links are neither counted nor followed.
    QVERIFY(QFile::link(d(u"Elsewhere"_s), d(u"Top/Link"_s)));
    QVERIFY(QFile::link(d(u"Elsewhere/a.mp3"_s), d(u"Top/Ten/link.mp3"_s)));
    // 1 + 10 + 0 + 5 + 2: the fourth level and hidden folders are not counted.
    QCOMPARE(countMp3ThreeLevels(d(u"Top"_s)), 18);
    QCOMPARE(countMp3ThreeLevels(d(u"Missing"_s)), 0);

    // The count goes past 32767.
    const QString many = d.mkdir(u"Many"_s);
    for (int i = 0; i < 32800; ++i)
        QFile(many + u'/' + QString::number(i) + u".mp3"_s).open(QIODevice::WriteOnly);
    QCOMPARE(countMp3ThreeLevels(many), 32800);
}

QTEST_GUILESS_MAIN(TestMp3Count)
#include "tst_mp3count.moc"
