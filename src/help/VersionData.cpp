#include "VersionData.h"

#include <algorithm>

namespace versiondata {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool endsItem(QChar c)
{
    return c == u',' || c == u'\r' || c == u'\n';
}

} // namespace

std::optional<QString> programVersion(const QString& text, const QString& title)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        while (i < n && isBlank(text[i]))
            ++i;
        const qsizetype start = i;
        QStringView item;
        if (i < n && text[i] == u'"') {
            qsizetype close = text.indexOf(u'"', start + 1);
            if (close < 0)
                close = n;
            item = QStringView(text).sliced(start + 1, close - start - 1);
            i = close;
            while (i < n && !endsItem(text[i]))
                ++i;
        } else {
            while (i < n && !endsItem(text[i]))
                ++i;
            item = QStringView(text).sliced(start, i - start);
        }
        if (item.contains(title, Qt::CaseInsensitive)) {
            const qsizetype colon = item.indexOf(u':');
            if (colon < 0)
                return std::nullopt;
            const QStringView version = item.sliced(colon + 1);
            if (!std::any_of(version.begin(), version.end(),
                             [](QChar c) { return c >= u'0' && c <= u'9'; }))
                return std::nullopt;
            return version.toString();
        }
        // The comma or line end; CRLF is one line end.
        if (i + 1 < n && text[i] == u'\r' && text[i + 1] == u'\n')
            ++i;
        ++i;
    }
    return std::nullopt;
}

double versionValue(const QString& version)
{
    QString number;
    bool point = false;
    for (const QChar c : version) {
        if (isBlank(c))
            continue;
        if ((c == u'-' || c == u'+') && number.isEmpty()) {
            number += c;
        } else if (c >= u'0' && c <= u'9') {
            number += c;
        } else if (c == u'.' && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    return number.toDouble();
}

bool isNewer(const QString& available, const QString& running)
{
    return versionValue(available) > versionValue(running);
}

} // namespace versiondata
