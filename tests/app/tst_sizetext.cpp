#include "app/SizeText.h"

#include <QLocale>
#include <QScopeGuard>
#include <QTest>

#include <clocale>
#include <cmath>
#include <string>

using namespace Qt::StringLiterals;

class TestSizeText : public QObject {
    Q_OBJECT

private:
    static void addLocaleRows();
    static void compareLocaleRow();

private Q_SLOTS:
    void bytesWithThreeDigits_data();
    void bytesWithThreeDigits();
    void prefixEdgeCases_data();
    void prefixEdgeCases();
    void eightCharactersWide_data();
    void eightCharactersWide();
    void significant_data();
    void significant();
    void pointUnderSwedishQtLocale_data();
    void pointUnderSwedishQtLocale();
    void pointUnderSwedishCLocale_data();
    void pointUnderSwedishCLocale();
};

void TestSizeText::bytesWithThreeDigits_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0") << 0.0 << QString();
    QTest::newRow("1") << 1.0 << u" 1.00 B "_s;
    QTest::newRow("12") << 12.0 << u" 12.0 B "_s;
    QTest::newRow("123") << 123.0 << u"  123 B "_s;
    QTest::newRow("999.4") << 999.4 << u"  999 B "_s;
    QTest::newRow("999.5") << 999.5 << u" 1.00 kB"_s;
    QTest::newRow("1024") << 1024.0 << u" 1.02 kB"_s;
    QTest::newRow("1500") << 1500.0 << u" 1.50 kB"_s;
    QTest::newRow("12345.6") << 12345.6 << u" 12.3 kB"_s;
    QTest::newRow("99960") << 99960.0 << u"  100 kB"_s;
    QTest::newRow("1048576") << 1048576.0 << u" 1.05 MB"_s;
    QTest::newRow("4.7e9") << 4.7e9 << u" 4.70 GB"_s;
    QTest::newRow("1.6e10") << 1.6e10 << u" 16.0 GB"_s;
    QTest::newRow("123456789012") << 123456789012.0 << u"  123 GB"_s;
    QTest::newRow("2.5e12") << 2.5e12 << u" 2.50 TB"_s;
    QTest::newRow("-500") << -500.0 << u" -500 B "_s;
    QTest::newRow("-1500") << -1500.0 << u"-1.50 kB"_s;
}

void TestSizeText::bytesWithThreeDigits()
{
    QFETCH(double, value);
    QFETCH(QString, expected);

    QCOMPARE(FormatWithPrefix(value, u"B"_s, 103), expected);
}

void TestSizeText::prefixEdgeCases_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<float>("code");
    QTest::addColumn<QString>("expected");

    const QString micro = u"\u00B5"_s;

    QTest::newRow("999.7 kB rolls over to MB") << 999700.0 << u"B"_s << 103.0F << u" 1.00 MB"_s;
    QTest::newRow("9995 carries to two integer digits")
        << 9995.0 << u"B"_s << 103.0F << u" 10.0 kB"_s;
    QTest::newRow("99.95 kB carries to three integer digits")
        << 99950.0 << u"B"_s << 103.0F << u"  100 kB"_s;
    QTest::newRow("just below the roll-over, rounded in single precision")
        << 999499990.0 << u"B"_s << 103.0F << u"  1000 MB"_s;
    QTest::newRow("beyond 1000 TB is wider") << 3e15 << u"B"_s << 103.0F << u"  3000 TB"_s;
    QTest::newRow("error code through prefix")
        << 1500.0 << u"B"_s << 101.0F << u"Error: IntFrac= 101  kB"_s;

    QTest::newRow("milli") << 0.0015 << u"B"_s << 103.0F << u" 1.50 mB"_s;
    QTest::newRow("micro") << 2.5e-6 << u"B"_s << 103.0F << QString(u" 2.50 "_s + micro + u'B');
    QTest::newRow("nano") << 4.7e-8 << u"B"_s << 103.0F << u" 47.0 nB"_s;
    QTest::newRow("pico") << 1.5e-11 << u"B"_s << 103.0F << u" 15.0 pB"_s;
    QTest::newRow("below pico range stays pico") << 1.23e-13 << u"B"_s << 103.0F << u" 0.12 pB"_s;
    QTest::newRow("999.6 milli rolls over to no prefix")
        << 0.9996 << u"B"_s << 103.0F << u" 1.00 B "_s;
    QTest::newRow("999.6 micro rolls over to milli")
        << 0.0009996 << u"B"_s << 103.0F << u" 1.00 mB"_s;
    QTest::newRow("123 micro") << 0.000123 << u"B"_s << 103.0F
                               << QString(u"  123 "_s + micro + u'B');

    QTest::newRow("-1") << -1.0 << u"B"_s << 103.0F << u"-1.00 B "_s;
    QTest::newRow("-12345.6") << -12345.6 << u"B"_s << 103.0F << u"-12.3 kB"_s;
    QTest::newRow("-99960") << -99960.0 << u"B"_s << 103.0F << u" -100 kB"_s;
    QTest::newRow("-999.5 rolls over") << -999.5 << u"B"_s << 103.0F << u"-1.00 kB"_s;
    QTest::newRow("-123456789012") << -123456789012.0 << u"B"_s << 103.0F << u" -123 GB"_s;
    QTest::newRow("-0.0015") << -0.0015 << u"B"_s << 103.0F << u"-1.50 mB"_s;

    QTest::newRow(";B; strips both ends") << 123.0 << u";B;"_s << 103.0F << u"123 B"_s;
    QTest::newRow(";B strips leading blanks") << 1500.0 << u";B"_s << 103.0F << u"1.50 kB"_s;
    QTest::newRow("B; strips trailing blanks") << 1.0 << u"B;"_s << 103.0F << u" 1.00 B"_s;
    QTest::newRow("inner ; takes off the last characters")
        << 12.0 << u"B;y"_s << 103.0F << u" 12.0 B"_s;
    QTest::newRow("no unit, no suffix") << 1500.0 << QString() << 103.0F << u" 1.50"_s;

    QTest::newRow("negative code truncates") << 1999.0 << u"B"_s << -103.0F << u" 1.99 kB"_s;
    QTest::newRow("negative code does not roll over")
        << 999.7 << u"B"_s << -103.0F << u"  999 B "_s;
    QTest::newRow("code 0 gives the plain number") << 1500.0 << u"B"_s << 0.0F << u" 1.5 kB"_s;
    QTest::newRow("code 0 does not roll over") << 999.7 << u"B"_s << 0.0F << u" 999.7 B "_s;
    QTest::newRow("fixed code") << 1234.0 << u"B"_s << 3.1F << u"  1.2 kB"_s;
}

void TestSizeText::prefixEdgeCases()
{
    QFETCH(double, value);
    QFETCH(QString, unit);
    QFETCH(float, code);
    QFETCH(QString, expected);

    QCOMPARE(FormatWithPrefix(value, unit, code), expected);
}

void TestSizeText::eightCharactersWide_data()
{
    QTest::addColumn<double>("value");

    // Whole byte counts around the places where rounding adds an integer digit or changes the
    // prefix.
    const double mantissas[] = {1.0,   1.004,  1.005,  1.234,   1.5,     1.995,  2.5,
                                3.333, 4.9999, 5.0,    7.77,    9.9,     9.94,   9.949,
                                9.95,  9.951,  9.99,   9.994,   9.9949,  9.995,  9.9951,
                                9.999, 9.9994, 9.9995, 9.99949, 9.99951, 9.99999};
    double decade = 1.0;
    for (int exponent = 0; exponent < 15; ++exponent) {
        for (const double mantissa : mantissas) {
            const double value = std::round(mantissa * decade);
            // From 999.5 TB on the number rounds to four digits: "  1000 TB".
            if (value >= 999.5e12) {
                continue;
            }
            QTest::addRow("%.6ge%d", mantissa, exponent) << value;
            QTest::addRow("-%.6ge%d", mantissa, exponent) << -value;
        }
        decade *= 10.0;
    }
}

void TestSizeText::eightCharactersWide()
{
    QFETCH(double, value);

    const QString text = FormatWithPrefix(value, u"B"_s, 103);
    QCOMPARE(text.size(), 8);
}

void TestSizeText::significant_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<float>("code");
    QTest::addColumn<QString>("expected");

    QTest::newRow("1.2 on 1.5") << 1.5 << 1.2F << u" 1.50"_s;
    QTest::newRow("1.2 rounds half up") << 1.999 << 1.2F << u" 2.00"_s;
    QTest::newRow("-1.2 truncates") << 1.999 << -1.2F << u" 1.99"_s;
    QTest::newRow("1.2 on -2.345") << -2.345 << 1.2F << u"-2.35"_s;
    QTest::newRow("5.2 pads the integer field") << 3.14159 << 5.2F << u"    3.14"_s;
    QTest::newRow("0.2 below one") << 0.5 << 0.2F << u" 0.50"_s;
    QTest::newRow("1.3 on 0.001") << 0.001 << 1.3F << u" 0.001"_s;
    QTest::newRow("1.1 rounds 0.05 up") << 0.05 << 1.1F << u" 0.1"_s;
    QTest::newRow("3 on 0.5") << 0.5 << 3.0F << u"  1"_s;
    QTest::newRow("3 on 0.4") << 0.4 << 3.0F << u"  0"_s;
    QTest::newRow("2 rounds 12.5 up") << 12.5 << 2.0F << u" 13"_s;
    QTest::newRow("-2 truncates 12.5") << 12.5 << -2.0F << u" 12"_s;
    QTest::newRow("1 widens for six digits") << 123456.7 << 1.0F << u" 123457"_s;

    QTest::newRow("103 on 1.5") << 1.5 << 103.0F << u" 1.50"_s;
    QTest::newRow("103 on -500") << -500.0 << 103.0F << u" -500"_s;
    QTest::newRow("103 below one") << 0.123 << 103.0F << u" 0.12"_s;
    QTest::newRow("104 on 1.23456") << 1.23456 << 104.0F << u" 1.235"_s;
    QTest::newRow("102 carries 9.96") << 9.96 << 102.0F << u"  10"_s;
    QTest::newRow("303 widens by two") << 1.5 << 303.0F << u"  1.50"_s;
    QTest::newRow("101") << 1.5 << 101.0F << u"Error: IntFrac= 101 "_s;
    QTest::newRow("111") << 1.5 << 111.0F << u"Error: IntFrac= 111 "_s;
    QTest::newRow("-101") << 1.5 << -101.0F << u"Error: IntFrac= 101 "_s;

    QTest::newRow("0 on 0.5") << 0.5 << 0.0F << u" 0.5"_s;
    QTest::newRow("0 on -0.25") << -0.25 << 0.0F << u"-0.25"_s;
    QTest::newRow("0 on 1234.5678") << 1234.5678 << 0.0F << u" 1234.5678"_s;
    QTest::newRow("0 keeps fifteen digits") << 0.1 + 0.2 << 0.0F << u" 0.3"_s;
    QTest::newRow("0 on 12345678.9") << 12345678.9 << 0.0F << u" 12345678.9"_s;
    QTest::newRow("0 on 3e20") << 3e20 << 0.0F << u" 300000000000000000000"_s;
}

void TestSizeText::significant()
{
    QFETCH(double, value);
    QFETCH(float, code);
    QFETCH(QString, expected);

    QCOMPARE(FormatSignificant(value, code), expected);
}

void TestSizeText::addLocaleRows()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<float>("code");
    QTest::addColumn<QString>("significant");
    QTest::addColumn<QString>("withPrefix");

    QTest::newRow("1.5 with 1.2") << 1.5 << 1.2F << u" 1.50"_s << u" 1.50 B "_s;
    QTest::newRow("0.123 with 103") << 0.123 << 103.0F << u" 0.12"_s << u"  123 mB"_s;
    QTest::newRow("12345.6 with 103") << 12345.6 << 103.0F << u"  12346"_s << u" 12.3 kB"_s;
    QTest::newRow("0.5 with 0") << 0.5 << 0.0F << u" 0.5"_s << u" 500 mB"_s;
    QTest::newRow("1234.5678 with 0") << 1234.5678 << 0.0F << u" 1234.5678"_s << u" 1.2345678 kB"_s;
}

void TestSizeText::compareLocaleRow()
{
    QFETCH(double, value);
    QFETCH(float, code);
    QFETCH(QString, significant);
    QFETCH(QString, withPrefix);

    QCOMPARE(FormatSignificant(value, code), significant);
    QCOMPARE(FormatWithPrefix(value, u"B"_s, code), withPrefix);
}

void TestSizeText::pointUnderSwedishQtLocale_data()
{
    addLocaleRows();
}

void TestSizeText::pointUnderSwedishQtLocale()
{
    const QLocale previous;
    const auto restore = qScopeGuard([&previous] { QLocale::setDefault(previous); });
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    QCOMPARE(QLocale().decimalPoint(), u","_s);

    compareLocaleRow();
}

void TestSizeText::pointUnderSwedishCLocale_data()
{
    addLocaleRows();
}

void TestSizeText::pointUnderSwedishCLocale()
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const auto restore = qScopeGuard([&previous] { std::setlocale(LC_NUMERIC, previous.c_str()); });
    if (std::setlocale(LC_NUMERIC, "sv_SE.UTF-8") == nullptr) {
        QSKIP("The sv_SE.UTF-8 locale is not installed");
    }
    QCOMPARE(std::string(std::localeconv()->decimal_point), std::string(","));

    compareLocaleRow();
}

QTEST_GUILESS_MAIN(TestSizeText)
#include "tst_sizetext.moc"
