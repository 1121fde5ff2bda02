#include "app/SizeText.h"

#include <QLocale>
#include <QScopeGuard>
#include <QTest>

#include <clocale>
#include <cmath>
#include <string>

using namespace Qt::StringLiterals;

namespace {

void row(const char* name, double value, const QString& unit, float code, const QString& text)
{
    QTest::newRow(name) << value << unit << code << text;
}

} // namespace

class TestSizeText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void withPrefix_data();
    void withPrefix();
    void eightCharactersWide_data();
    void eightCharactersWide();
    void significant_data();
    void significant();
    void pointUnderSwedishLocales_data();
    void pointUnderSwedishLocales();
};

void TestSizeText::withPrefix_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<float>("code");
    QTest::addColumn<QString>("expected");

    const QString b = u"B"_s;
    const QString micro = u"\u00B5"_s;
    // Bytes with three significant digits, as every size of the program is shown.
    row("0", 0.0, b, 103, QString());
    row("1", 1.0, b, 103, u" 1.00 B "_s);
    row("12", 12.0, b, 103, u" 12.0 B "_s);
    row("123", 123.0, b, 103, u"  123 B "_s);
    row("999.4", 999.4, b, 103, u"  999 B "_s);
    row("999.5", 999.5, b, 103, u" 1.00 kB"_s);
    row("1500", 1500.0, b, 103, u" 1.50 kB"_s);
    row("99960", 99960.0, b, 103, u"  100 kB"_s);
    row("4.7e9", 4.7e9, b, 103, u" 4.70 GB"_s);
    row("2.5e12", 2.5e12, b, 103, u" 2.50 TB"_s);
    row("-1500", -1500.0, b, 103, u"-1.50 kB"_s);
    // Rounding that changes the prefix or the number of integer digits.
    row("999.7 kB rolls over to MB", 999700.0, b, 103, u" 1.00 MB"_s);
    row("9995 carries to two integer digits", 9995.0, b, 103, u" 10.0 kB"_s);
    row("just below the roll-over, in single precision", 999499990.0, b, 103, u"  1000 MB"_s);
    row("beyond 1000 TB is wider", 3e15, b, 103, u"  3000 TB"_s);
    row("999.6 micro rolls over to milli", 0.0009996, b, 103, u" 1.00 mB"_s);
    // Below one.
    row("micro", 2.5e-6, b, 103, u" 2.50 "_s + micro + u'B');
    row("below pico range stays pico", 1.23e-13, b, 103, u" 0.12 pB"_s);
    // Units with ";" strip blanks at that end.
    row(";B; strips both ends", 123.0, u";B;"_s, 103, u"123 B"_s);
    row("inner ; takes off the last characters", 12.0, u"B;y"_s, 103, u" 12.0 B"_s);
    row("no unit, no suffix", 1500.0, QString(), 103, u" 1.50"_s);
    // Other codes.
    row("error code", 1500.0, b, 101, u"Error: IntFrac= 101  kB"_s);
    row("negative code truncates", 1999.0, b, -103, u" 1.99 kB"_s);
    row("code 0 gives the plain number", 1500.0, b, 0, u" 1.5 kB"_s);
    row("fixed code", 1234.0, b, 3.1F, u"  1.2 kB"_s);
}

void TestSizeText::withPrefix()
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
            if (value >= 999.5e12)
                continue;
            QTest::addRow("%.6ge%d", mantissa, exponent) << value;
            QTest::addRow("-%.6ge%d", mantissa, exponent) << -value;
        }
        decade *= 10.0;
    }
}

void TestSizeText::eightCharactersWide()
{
    QFETCH(double, value);

    QCOMPARE(FormatWithPrefix(value, u"B"_s, 103).size(), 8);
}

void TestSizeText::significant_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<float>("code");
    QTest::addColumn<QString>("expected");

    QTest::newRow("1.2 rounds half up") << 1.999 << 1.2F << u" 2.00"_s;
    QTest::newRow("-1.2 truncates") << 1.999 << -1.2F << u" 1.99"_s;
    QTest::newRow("5.2 pads the integer field") << 3.14159 << 5.2F << u"    3.14"_s;
    QTest::newRow("1.3 on 0.001") << 0.001 << 1.3F << u" 0.001"_s;
    QTest::newRow("1 widens for six digits") << 123456.7 << 1.0F << u" 123457"_s;
    QTest::newRow("103 below one") << 0.123 << 103.0F << u" 0.12"_s;
    QTest::newRow("102 carries 9.96") << 9.96 << 102.0F << u"  10"_s;
    QTest::newRow("303 widens by two") << 1.5 << 303.0F << u"  1.50"_s;
    QTest::newRow("0 keeps fifteen digits") << 0.1 + 0.2 << 0.0F << u" 0.3"_s;
    QTest::newRow("0 on 3e20") << 3e20 << 0.0F << u" 300000000000000000000"_s;
}

void TestSizeText::significant()
{
    QFETCH(double, value);
    QFETCH(float, code);
    QFETCH(QString, expected);

    QCOMPARE(FormatSignificant(value, code), expected);
}

void TestSizeText::pointUnderSwedishLocales_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<float>("code");
    QTest::addColumn<QString>("significant");
    QTest::addColumn<QString>("withPrefix");

    QTest::newRow("1234.5678 with 0") << 1234.5678 << 0.0F << u" 1234.5678"_s << u" 1.2345678 kB"_s;
}

// Sizes always show a decimal point, whatever the decimal sign of Qt's or the C library's locale.
void TestSizeText::pointUnderSwedishLocales()
{
    QFETCH(double, value);
    QFETCH(float, code);
    QFETCH(QString, significant);
    QFETCH(QString, withPrefix);

    const QLocale previous;
    const std::string previousC = std::setlocale(LC_NUMERIC, nullptr);
    const auto restore = qScopeGuard([&] {
        QLocale::setDefault(previous);
        std::setlocale(LC_NUMERIC, previousC.c_str());
    });
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    QCOMPARE(QLocale().decimalPoint(), u","_s);
    if (std::setlocale(LC_NUMERIC, "sv_SE.UTF-8") != nullptr)
        QCOMPARE(std::string(std::localeconv()->decimal_point), std::string(","));
    else
        qWarning("The sv_SE.UTF-8 locale is not installed: only Qt's locale is Swedish");

    QCOMPARE(FormatSignificant(value, code), significant);
    QCOMPARE(FormatWithPrefix(value, u"B"_s, code), withPrefix);
}

QTEST_GUILESS_MAIN(TestSizeText)
#include "tst_sizetext.moc"
