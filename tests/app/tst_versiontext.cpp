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
    QTest::addColumn<QString>("text");

    for (const char* row : {"1.7.0 1.7", "1.7.3 1.73", "2.0.0 2.0", "1.10.0 1.10", "1.2.10 1.21"})
        QTest::newRow(row) << QString::fromLatin1(row).section(u' ', 1);
}

void TestVersionText::oneTrailingZeroDropped()
{
    const QStringList parts =
        QString::fromLatin1(QTest::currentDataTag()).section(u' ', 0, 0).split(u'.');
    QTEST(versionText(parts[0].toInt(), parts[1].toInt(), parts[2].toInt()), "text");
}

QTEST_APPLESS_MAIN(TestVersionText)
#include "tst_versiontext.moc"
