#include "help/VersionData.h"

#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

class TestVersionData : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readItems_data();
    void readItems();
    void programVersion_data();
    void programVersion();
    void versionValue_data();
    void versionValue();
    void isNewer_data();
    void isNewer();
};

void TestVersionData::readItems_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("one item") << u"Ordrane:2.15"_s << QStringList{u"Ordrane:2.15"_s};
    QTest::newRow("commas") << u"A:1,B:2,Ordrane:2.15"_s
                            << QStringList{u"A:1"_s, u"B:2"_s, u"Ordrane:2.15"_s};
    QTest::newRow("CRLF, CR and LF end lines")
        << u"A:1\r\nB:2\rC:3\nD:4\r\n"_s << QStringList{u"A:1"_s, u"B:2"_s, u"C:3"_s, u"D:4"_s};
    QTest::newRow("blanks before an item skipped, after it kept")
        << u"  A:1 ,\tB:2"_s << QStringList{u"A:1 "_s, u"B:2"_s};
    QTest::newRow("quoted item keeps its commas")
        << u"\"Tool, Pro:3.0\",Ordrane:2.15"_s
        << QStringList{u"Tool, Pro:3.0"_s, u"Ordrane:2.15"_s};
    QTest::newRow("quoted item keeps inner blanks")
        << u"  \"  Ordrane: 2.2 \"  ,x"_s << QStringList{u"  Ordrane: 2.2 "_s, u"x"_s};
    QTest::newRow("text after the closing quote dropped")
        << u"\"A:1\" tail,B:2"_s << QStringList{u"A:1"_s, u"B:2"_s};
    QTest::newRow("quoted item runs over a line end")
        << u"\"A\r\nB\",C"_s << QStringList{u"A\r\nB"_s, u"C"_s};
    QTest::newRow("unclosed quote runs to the end") << u"\"A,B"_s << QStringList{u"A,B"_s};
    QTest::newRow("empty items") << u"A,,B\r\n\r\nC"_s
                                 << QStringList{u"A"_s, u""_s, u"B"_s, u""_s, u"C"_s};
}

void TestVersionData::readItems()
{
    QFETCH(QString, text);
    QFETCH(QStringList, items);

    QCOMPARE(versiondata::readItems(text), items);
}

void TestVersionData::programVersion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<QString>>("version");

    const std::optional<QString> none;
    QTest::newRow("entry") << u"Ordrane:2.15"_s << std::optional(u"2.15"_s);
    QTest::newRow("everything behind the first colon")
        << u"Ordrane: 2.2:beta"_s << std::optional(u" 2.2:beta"_s);
    QTest::newRow("several programs")
        << u"Alpha:1.0,Ordrane:2.15,Beta:3.1\r\n"_s << std::optional(u"2.15"_s);
    QTest::newRow("an item containing the title counts")
        << u"My Ordrane Lite:4.0,Ordrane:2.15"_s << std::optional(u"4.0"_s);
    QTest::newRow("quoted entry") << u"\"Alpha, Pro:1.0\",\"Ordrane:2.3\""_s
                                  << std::optional(u"2.3"_s);
    QTest::newRow("nothing behind the colon stops the search")
        << u"Ordrane:\r\nOrdrane:2.0"_s << none;
    QTest::newRow("title alone") << u"Ordrane"_s << none;
    QTest::newRow("no colon") << u"Ordrane 2.2"_s << none;
}

void TestVersionData::programVersion()
{
    QFETCH(QString, text);
    QFETCH(std::optional<QString>, version);

    QCOMPARE(versiondata::programVersion(text, u"Ordrane"_s), version);
}

void TestVersionData::versionValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("2.15") << u"2.15"_s << 2.15;
    QTest::newRow("leading blank") << u" 2.1"_s << 2.1;
    QTest::newRow("blanks inside ignored") << u" 2 . 1 5"_s << 2.15;
    QTest::newRow("text after the number") << u"2.1beta"_s << 2.1;
    QTest::newRow("second point ends the number") << u"1.7.3"_s << 1.7;
    QTest::newRow("point first") << u".5"_s << 0.5;
    QTest::newRow("sign") << u"-1.5"_s << -1.5;
    QTest::newRow("no number") << u"beta"_s << 0.0;
    QTest::newRow("letter first") << u"v2.0"_s << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("point alone") << u"."_s << 0.0;
}

void TestVersionData::versionValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);

    QCOMPARE(versiondata::versionValue(text), value);
}

void TestVersionData::isNewer_data()
{
    QTest::addColumn<QString>("available");
    QTest::addColumn<QString>("running");
    QTest::addColumn<bool>("newer");

    QTest::newRow("2.15 newer than 2.1") << u"2.15"_s << u"2.1"_s << true;
    QTest::newRow("2.9 newer than 2.15") << u"2.9"_s << u"2.15"_s << true;
    QTest::newRow("equal is not newer") << u"2.15"_s << u"2.15"_s << false;
    QTest::newRow("equal in value is not newer") << u" 2.10"_s << u"2.1"_s << false;
    QTest::newRow("whole numbers") << u"3"_s << u"2.99"_s << true;
    QTest::newRow("no number is 0") << u"beta"_s << u"1.0"_s << false;
    QTest::newRow("anything is newer than no number") << u"0.1"_s << u"x"_s << true;
}

void TestVersionData::isNewer()
{
    QFETCH(QString, available);
    QFETCH(QString, running);
    QFETCH(bool, newer);

    QCOMPARE(versiondata::isNewer(available, running), newer);
}

QTEST_GUILESS_MAIN(TestVersionData)
#include "tst_versiondata.moc"
