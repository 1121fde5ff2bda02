#include "FsError.h"

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

FsErrorKind kindOfErrno(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return FsErrorKind::PathNotFound;
    case ENXIO:
    case ENODEV:
    case EIO:
    case ENOMEDIUM:
        return FsErrorKind::DeviceUnavailable;
    case EACCES:
    case EPERM:
        return FsErrorKind::PermissionDenied;
    case EROFS:
        return FsErrorKind::PathFileAccess;
    case ENOSPC:
    case EDQUOT:
        return FsErrorKind::DiskFull;
    default:
        return FsErrorKind::Other;
    }
}

} // namespace

FsError::FsError(FsErrorKind kind, QString path, QString reason)
    : m_kind(kind)
    , m_path(std::move(path))
    , m_reason(std::move(reason))
    , m_what(QString(m_path + u": "_s + m_reason).toStdString())
{
}

FsError::FsError(FsErrorKind kind, QString path, QString reason, QString swedishReason)
    : FsError(kind, std::move(path), std::move(reason))
{
    m_swedishReason = std::move(swedishReason);
}

FsError FsError::fromErrno(int err, const QString& path)
{
    return FsError(kindOfErrno(err), path, QString::fromLocal8Bit(std::strerror(err)));
}

int FsError::number() const
{
    switch (m_kind) {
    case FsErrorKind::DeviceUnavailable:
        return 68;
    case FsErrorKind::PathNotFound:
        return 76;
    case FsErrorKind::PermissionDenied:
        return 70;
    case FsErrorKind::PathFileAccess:
        return 75;
    case FsErrorKind::DiskFull:
        return 61;
    case FsErrorKind::Other:
        break;
    }
    return 5;
}
