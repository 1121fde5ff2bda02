#pragma once

#include <QString>

// Sizes as short fixed-width texts with a decimal SI prefix: " 1.50 kB", "  123 GB".
// code 103 asks for three significant digits; every caller of the program passes unit "B".
QString FormatWithPrefix(double value, const QString& unit, float code);

// The already scaled number as text with the digits and width the format code asks for.
QString FormatSignificant(double value, float code);
