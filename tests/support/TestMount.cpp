#include "TestMount.h"

#include <QFile>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

TestMount::TestMount(const QStringList& arguments)
    : m_folder(arguments.last())
    , m_mounted(run(u"mount"_s, arguments))
{
}

TestMount::~TestMount()
{
    if (m_mounted)
        run(u"umount"_s, {m_folder});
}

bool makeImage(const QString& file, qint64 size, const QString& mkfs)
{
    {
        QFile image(file);
        if (!image.open(QIODevice::WriteOnly) || !image.resize(size))
            return false;
    }
    const QStringList quiet =
        mkfs.startsWith(u"mkfs.ext"_s) ? QStringList{u"-q"_s, u"-F"_s} : QStringList{};
    return run(mkfs, quiet + QStringList{file});
}
