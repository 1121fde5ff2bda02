#include "VersionText.h"

QString versionText(int major, int minor, int revision)
{
    QString text =
        QString::number(major) + u'.' + QString::number(minor) + QString::number(revision);
    if (text.endsWith(u'0'))
        text.chop(1);
    return text;
}
