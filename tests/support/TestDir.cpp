#include "TestDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

TestDir::TestDir()
    : m_dir(QDir::tempPath() + u"/ordrane-test-XXXXXX"_s)
{
}

QString TestDir::operator()(const QString& relative) const
{
    return relative.isEmpty() ? path() : path() + u'/' + relative;
}

void TestDir::create(const QStringList& entries) const
{
    for (const QString& e : entries) {
        if (e.endsWith(u'/'))
            mkdir(e.chopped(1));
        else
            file(e);
    }
}

QString TestDir::mkdir(const QString& relative) const
{
    const QString full = (*this)(relative);
    QDir().mkpath(full);
    return full;
}

QString TestDir::file(const QString& relative, const QByteArray& content) const
{
    const QString full = (*this)(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return full;
}
