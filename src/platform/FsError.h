#pragma once

#include <QString>

#include <exception>
#include <string>

// Kinds of failure of the file-system service and the list controls. The numbers are the ones
// the program's messages and error traps test for.
enum class FsErrorKind {
    DeviceUnavailable, // 68: drive gone, no medium, I/O error
    PathNotFound,      // 76
    PermissionDenied,  // 70
    PathFileAccess,    // 75: read-only file system or read-only entry met by a deletion
    DiskFull,          // 61
    Other,
};

class FsError : public std::exception {
public:
    FsError(FsErrorKind kind, QString path, QString reason = {});
    // A failure the program words itself, in English and Swedish.
    FsError(FsErrorKind kind, QString path, QString reason, QString swedishReason);

    // Maps an errno value to its kind; the reason is the system's text for it.
    static FsError fromErrno(int err, const QString& path);

    FsErrorKind kind() const { return m_kind; }
    const QString& path() const { return m_path; }
    // The reason in the user's language; the system's own texts come in one language only.
    const QString& reason(bool swedish) const
    {
        return swedish && !m_swedishReason.isEmpty() ? m_swedishReason : m_reason;
    }
    int number() const;
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    FsErrorKind m_kind;
    QString m_path;
    QString m_reason;
    QString m_swedishReason;
    std::string m_what;
};
