#include "app/VersionText.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestVersionText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void oneTrailingZeroDropped_data();
    void oneTrailingZeroDropped();
};

void TestVersionText::oneTrailingZeroDropped_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("text");

    QTest::newRow("1.7.0") << 1 << 7 << 0 << u"1.7"_s;
    QTest::newRow("1.7.3") << 1 << 7 << 3 << u"1.73"_s;
    QTest::newRow("2.0.0") << 2 << 0 << 0 << u"2.0"_s;
    QTest::newRow("1.10.0") << 1 << 10 << 0 << u"1.10"_s;
    QTest::newRow("1.0.0") << 1 << 0 << 0 << u"1.0"_s;
    QTest::newRow("1.2.10") << 1 << 2 << 10 << u"1.21"_s;
}

void TestVersionText::oneTrailingZeroDropped()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, text);

    QCOMPARE(versionText(major, minor, revision), text);
}

QTEST_APPLESS_MAIN(TestVersionText)
#include "tst_versiontext.moc"
