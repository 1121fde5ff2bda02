#include "Paths.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace paths {

namespace {

constexpr char16_t StrayByteBase = 0xDC00;

// Length of the well-formed UTF-8 sequence at the start of bytes, 0 when there is none.
qsizetype sequenceLength(QByteArrayView bytes)
{
    const auto at = [&](qsizetype i) {
        return static_cast<unsigned char>(bytes[i]);
    };
    const unsigned char lead = at(0);
    qsizetype length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() < length || at(1) < low || at(1) > high)
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if (at(i) < 0x80 || at(i) > 0xBF)
            return 0;
    }
    return length;
}

// A lone surrogate that stands for a byte; the same code unit after a high surrogate is half of a
// character beyond U+FFFF.
bool isStrayByteAt(const QString& text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    return c >= StrayByteBase + 0x80 && c <= StrayByteBase + 0xFF &&
           (i == 0 || !text[i - 1].isHighSurrogate());
}

} // namespace

QString fromNative(QByteArrayView bytes)
{
    // Decoded sequence by sequence: QString::fromUtf8 drops a byte-order mark at the start of its
    // input, and the name must keep it.
    QString text;
    text.reserve(bytes.size());
    while (!bytes.isEmpty()) {
        const qsizetype length = sequenceLength(bytes);
        const auto at = [&](qsizetype i) {
            return char32_t(static_cast<unsigned char>(bytes[i]));
        };
        if (length == 0) {
            text.append(QChar(char16_t(StrayByteBase + at(0))));
            bytes = bytes.sliced(1);
            continue;
        }
        char32_t code = length == 1 ? at(0) : at(0) & (0x7F >> length);
        for (qsizetype i = 1; i < length; ++i)
            code = (code << 6) | (at(i) & 0x3F);
        text.append(QChar::fromUcs4(code));
        bytes = bytes.sliced(length);
    }
    return text;
}

QByteArray toNative(const QString& path)
{
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !isStrayByteAt(path, i))
            continue;
        bytes.append(QStringView(path).sliced(start, i - start).toUtf8());
        if (i < path.size())
            bytes.append(char(path[i].unicode() - StrayByteBase));
        start = i + 1;
    }
    return bytes;
}

QString fromFileUrl(const QUrl& url)
{
    if (!url.isLocalFile())
        return {};
    return fromNative(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

bool matchesWildcard(QByteArrayView name, QByteArrayView pattern)
{
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    };
    // A "?" stands for one character: a whole UTF-8 sequence, or one byte that is not UTF-8.
    const auto characterLength = [&](qsizetype at) {
        return std::max<qsizetype>(1, sequenceLength(name.sliced(at)));
    };
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starAt = -1; // in the pattern, just after the last "*"
    qsizetype starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = ++p;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            n += characterLength(n);
            ++p;
        } else if (p < pattern.size() && lower(pattern[p]) == lower(name[n])) {
            ++n;
            ++p;
        } else if (starAt >= 0) {
            // The last "*" takes one more character, and the rest is tried again.
            starName += characterLength(starName);
            n = starName;
            p = starAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool isRoot(const QString& folder)
{
    return folder.endsWith(u'/');
}

QString join(const QString& folder, const QString& name)
{
    if (isRoot(folder))
        return folder + name;
    return folder + u'/' + name;
}

QString folderName(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString cutAfterLastSlash(const QString& path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString normalized(const QString& folder, const QString& mountPoint)
{
    QString f = folder;
    while (f.size() > 1 && f.endsWith(u'/'))
        f.chop(1);
    if (f == mountPoint || f.isEmpty())
        return mountPoint.endsWith(u'/') ? mountPoint : QString(mountPoint + u'/');
    return f;
}

namespace {

// Compares two runs of digits by value: fewer significant digits is smaller.
int compareDigits(QStringView a, QStringView b)
{
    while (a.size() > 1 && a.front() == u'0')
        a = a.mid(1);
    while (b.size() > 1 && b.front() == u'0')
        b = b.mid(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Only the digits 0 to 9 make numbers; digits of other scripts sort as letters.
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

qsizetype digitRunEnd(QStringView s, qsizetype from)
{
    while (from < s.size() && isDigit(s[from]))
        ++from;
    return from;
}

} // namespace

int naturalCompare(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const qsizetype ei = digitRunEnd(a, i);
            const qsizetype ej = digitRunEnd(b, j);
            if (const int c =
                    compareDigits(QStringView(a).mid(i, ei - i), QStringView(b).mid(j, ej - j)))
                return c;
            i = ei;
            j = ej;
            continue;
        }
        const QChar ca = a[i].toCaseFolded();
        const QChar cb = b[j].toCaseFolded();
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    const int exact = a.compare(b);
    return exact < 0 ? -1 : (exact > 0 ? 1 : 0);
}

bool naturalLess(const QString& a, const QString& b)
{
    return naturalCompare(a, b) < 0;
}

void sortNaturally(QStringList& names)
{
    std::sort(names.begin(), names.end(), naturalLess);
}

} // namespace paths
