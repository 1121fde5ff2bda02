#include "help/VersionData.h"

#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

class TestVersionData : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void programVersion_data();
    void programVersion();
    void versionValueAndNewer_data();
    void versionValueAndNewer();
};

void TestVersionData::programVersion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<QString>>("version");
    const std::optional<QString> none;

    QTest::newRow("empty") << QString() << none;
    QTest::newRow("commas, CRLF, CR and LF, empty items")
        << u"A:1,B:2\r\nC:3\rD:4\n,\r\nOrdrane:5"_s << std::optional(u"5"_s);
    QTest::newRow("blanks before an item skipped, after it kept, behind the first colon")
        << u"A:1 ,\t Ordrane: 2.2:beta "_s << std::optional(u" 2.2:beta "_s);
    QTest::newRow("the first item containing the title, in any capitals")
        << u"Alpha:1.0,My ORDRANE Lite:4.0,Ordrane:2.15"_s << std::optional(u"4.0"_s);
    QTest::newRow("quoted items keep commas and line ends, drop what follows the quote")
        << u"\"Ordrane, Pro\r\nX\" tail:1,\"Ordrane:2.3\""_s << none;
    QTest::newRow("quoted entry") << u"\"Alpha, Pro:1.0\",\"Ordrane:2.3\""_s
                                  << std::optional(u"2.3"_s);
    QTest::newRow("unclosed quote runs to the end") << u"\"A,Ordrane:3"_s << std::optional(u"3"_s);
    QTest::newRow("nothing behind the colon stops the search")
        << u"Ordrane:\r\nOrdrane:2.0"_s << none;
    QTest::newRow("no digit behind the colon") << u"Ordrane:beta,Ordrane:2.0"_s << none;
    QTest::newRow("no colon") << u"Ordrane 2.2"_s << none;
}

void TestVersionData::programVersion()
{
    QFETCH(QString, text);
    QTEST(versiondata::programVersion(text, u"Ordrane"_s), "version");
}

void TestVersionData::versionValueAndNewer_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("running");
    QTest::addColumn<bool>("newer");

    QTest::newRow("2.15 newer than 2.1") << u"2.15"_s << 2.15 << u"2.1"_s << true;
    QTest::newRow("2.9 newer than 2.15") << u"2.9"_s << 2.9 << u"2.15"_s << true;
    QTest::newRow("equal is not newer") << u"2.15"_s << 2.15 << u"2.15"_s << false;
    QTest::newRow("equal in value, blanks ignored") << u" 2 . 1 0"_s << 2.1 << u"2.1"_s << false;
    QTest::newRow("second point ends the number") << u"1.7.3"_s << 1.7 << u"1.69"_s << true;
    QTest::newRow("text after the number") << u"2.1beta"_s << 2.1 << u"2"_s << true;
    QTest::newRow("point first, sign") << u"-.5"_s << -0.5 << u"0"_s << false;
    QTest::newRow("letter first is no number") << u"v2.0"_s << 0.0 << u"0.1"_s << false;
    QTest::newRow("anything is newer than no number") << u"0.1"_s << 0.1 << u"."_s << true;
}

void TestVersionData::versionValueAndNewer()
{
    QFETCH(QString, text);
    QFETCH(QString, running);

    QTEST(versiondata::versionValue(text), "value");
    QTEST(versiondata::isNewer(text, running), "newer");
}

QTEST_GUILESS_MAIN(TestVersionData)
#include "tst_versiondata.moc"
