#include "SizeText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

using namespace Qt::StringLiterals;

// The arithmetic below deliberately stores intermediate results in float: every store rounds to
// single precision, and the digit counts and rounding of the texts depend on exactly that.

namespace {

struct Prefix {
    QStringView text;
    double multiplier;
};

// Index 0 is "p" (below 1e-9), index 4 is no prefix, index 8 is "T" (1e12 and above).
constexpr std::array<Prefix, 9> prefixes{{
    {u"p", 1e12},
    {u"n", 1e9},
    {u"\u00B5", 1e6},
    {u"m", 1e3},
    {u"", 1.0},
    {u"k", 1e-3},
    {u"M", 1e-6},
    {u"G", 1e-9},
    {u"T", 1e-12},
}};

constexpr std::size_t NoPrefix = 4;
constexpr std::size_t LargestPrefix = 8;

std::size_t prefixIndex(double magnitude)
{
    if (magnitude == 0.0) {
        return NoPrefix;
    }
    // Lower bounds of the prefixes "n" to "T"; a smaller magnitude takes the prefix before.
    static constexpr std::array<double, 8> lowerBounds{1e-9, 1e-6, 1e-3, 1.0, 1e3, 1e6, 1e9, 1e12};
    std::size_t index = 0;
    while (index < lowerBounds.size() && magnitude >= lowerBounds[index]) {
        ++index;
    }
    return index;
}

// Scientific form of x with the given count of significant digits: "1.234000e+03".
// std::to_chars never looks at the locale, so the point is always '.'.
std::string scientific(double x, int significantDigits)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                      std::chars_format::scientific, significantDigits - 1);
    return {buffer.data(), result.ptr};
}

// x rounded to the given count of significant digits and written in decimal form: a blank or "-"
// first, trailing zeros and a trailing point dropped, no "0" before the point of a number below
// one. With 7 digits: 0.5 -> " .5", 12.3 -> " 12.3", 150 -> " 150", -1.5 -> "-1.5".
QString numberText(double x, int significantDigits)
{
    QString text = x < 0 ? u"-"_s : u" "_s;
    if (x == 0.0) {
        return text + u'0';
    }
    const std::string sci = scientific(std::abs(x), significantDigits);
    const std::size_t exponentAt = sci.find('e');
    std::string digits;
    for (std::size_t i = 0; i < exponentAt; ++i) {
        if (sci[i] != '.') {
            digits += sci[i];
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    std::string_view exponentText(sci.data() + exponentAt + 1, sci.size() - exponentAt - 1);
    if (exponentText.front() == '+') {
        exponentText.remove_prefix(1);
    }
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    std::string decimal;
    if (exponent >= 0) {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            decimal = digits + std::string(integerDigits - digits.size(), '0');
        } else {
            decimal = digits.substr(0, integerDigits) + '.' + digits.substr(integerDigits);
        }
    } else {
        decimal = '.' + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return text + QLatin1StringView(decimal);
}

QString singleText(float x)
{
    return numberText(static_cast<double>(x), 7);
}

// The number a single's text stands for: x rounded to seven significant digits.
double readBack(float x)
{
    const std::string sci = scientific(static_cast<double>(x), 7);
    double value = 0.0;
    std::from_chars(sci.data(), sci.data() + sci.size(), value);
    return value;
}

// floor(log10(a) + 1) with the sum rounded to single before the floor, so that 1000 counts four
// digits although ln(1000)/ln(10) comes out just below 3.
float integerDigits(float a)
{
    const auto sum = static_cast<float>(std::log(static_cast<double>(a)) / std::log(10.0) + 1.0);
    return std::floor(sum);
}

double powerOfTen(int exponent)
{
    return std::pow(10.0, exponent);
}

void stripLeadingBlanks(QString& text)
{
    qsizetype blanks = 0;
    while (blanks < text.size() && text.at(blanks) == u' ') {
        ++blanks;
    }
    text.remove(0, blanks);
}

void stripTrailingBlanks(QString& text)
{
    while (text.endsWith(u' ')) {
        text.chop(1);
    }
}

} // namespace

QString FormatWithPrefix(double value, const QString& unit, float code)
{
    QString unitText = unit;
    bool stripLeading = false;
    bool stripTrailing = false;
    while (unitText.contains(u';')) {
        if (unitText.startsWith(u';')) {
            unitText.remove(0, 1);
            stripLeading = true;
        } else {
            unitText.chop(1);
            stripTrailing = true;
        }
    }

    std::size_t index = prefixIndex(std::abs(value));
    value *= prefixes[index].multiplier;

    // Rounding to a whole number would give four integer digits: take the next prefix instead.
    if (code > 0 && index < LargestPrefix && std::abs(value) + 0.5 >= 1000.0) {
        value /= 1000.0;
        ++index;
    }

    if (value == 0.0) {
        return QString();
    }

    const QStringView prefix = prefixes[index].text;
    QString suffix;
    if (!unitText.isEmpty()) {
        // Without a prefix the trailing blank keeps the width of a one-letter prefix.
        suffix =
            prefix.isEmpty() ? QString(u' ' + unitText + u' ') : QString(u' ' + prefix + unitText);
    }

    QString result = FormatSignificant(value, code) + suffix;
    if (stripLeading) {
        stripLeadingBlanks(result);
    }
    if (stripTrailing) {
        stripTrailingBlanks(result);
    }
    return result;
}

QString FormatSignificant(double value, float code)
{
    if (code == 0.0F) {
        QString text = numberText(value, 15);
        if (std::abs(value) < 1.0) {
            text.insert(1, u'0');
        }
        return text;
    }

    const bool negative = value < 0;
    auto a = static_cast<float>(std::abs(value));
    const float half = code > 0 ? 0.5F : 0.0F;
    float f = std::abs(code);
    QString lead;

    // Significant-digit mode: the ones digit counts the digits, the hundreds widen the field.
    // It works out a fixed-mode code "integer width.decimals" for this value.
    if (f > 100.0F) {
        const double fd = static_cast<double>(f);
        const auto digits = static_cast<int>(std::nearbyint(fd - 10.0 * std::floor(fd / 10.0)));
        if (digits == 1) {
            return u"Error: IntFrac="_s + singleText(f) + u' ';
        }

        float n = a == 0.0F ? 1.0F : integerDigits(a);
        if (n <= 0.0F) {
            n = 1.0F;
        }
        int decimals = std::max(digits - static_cast<int>(n), 0);

        // 9.996 with three digits rounds to 10.00: one integer digit more, one decimal less.
        const auto rounded = static_cast<float>(static_cast<double>(a) +
                                                static_cast<double>(half) * powerOfTen(-decimals));
        if (decimals != 0 && singleText(std::floor(rounded)).size() - 1 > static_cast<int>(n)) {
            n += 1.0F;
            --decimals;
        }
        if (decimals == 0) {
            // Stands in for the absent decimal point, so the width stays the same.
            lead = u" "_s;
        }
        f = static_cast<float>(std::floor(fd / 100.0) + static_cast<double>(n) - 1.0 +
                               decimals / 10.0);
    }

    int width = static_cast<int>(std::floor(f));
    const int places = static_cast<int>(std::nearbyint((static_cast<double>(f) - width) * 10.0));

    const double scale = powerOfTen(places);
    a = static_cast<float>(readBack(a) * scale);
    a = static_cast<float>(std::floor(static_cast<double>(a) + static_cast<double>(half)) / scale);

    const float whole = std::floor(a);
    const int k = whole == 0.0F ? 1 : static_cast<int>(integerDigits(a));
    if (width <= k) {
        width = k + 1;
    }

    QString intText = singleText(whole).mid(1);
    QString fracText = singleText(a).mid(1).mid(intText.size());
    if (places != 0) {
        if (whole == 0.0F || fracText.isEmpty()) {
            fracText.prepend(u'.');
        }
        fracText = fracText.leftJustified(places + 1, u'0');
    }
    intText = (negative ? u"-"_s : u" "_s) + intText;
    return lead + intText.rightJustified(width, u' ') + fracText;
}
