#include "Paths.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace paths {

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
