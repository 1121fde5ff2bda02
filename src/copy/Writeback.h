#pragma once

#include "platform/Fd.h"
#include "platform/FsError.h"

#include <QByteArray>
#include <QString>

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <memory>

namespace transfer {

// How far the medium may lag behind the data written: the progress bar never claims more.
constexpr off_t WritebackWindow = 32 * 1024 * 1024;
// How many written files may wait for the medium, each holding a descriptor.
constexpr size_t PendingFileLimit = 16;

inline FsError errnoError(const QString& path)
{
    return FsError::fromErrno(errno, path);
}

// The errors of a kernel without the call, or of a file system that does not offer it.
inline bool isUnsupported(int err)
{
    return err == EINVAL || err == ENOSYS || err == EOPNOTSUPP;
}

// The files of one folder between their creation and the medium. Writeback of every chunk starts
// as soon as it is written, and is waited for once the window is full or too many files wait,
// so the device never idles while the window lets events through. A file is confirmed when all
// its data reached the medium and its descriptor closed without error.
class Writeback {
public:
    struct File {
        Fd fd;
        QString path;
        QByteArray name;
        bool complete = false; // all data handed over
        bool failed = false;
    };

    explicit Writeback(int folderFd)
        : m_folderFd(folderFd)
    {
    }

    // Confirms the oldest files until another one may be added.
    void makeRoom()
    {
        while (m_files.size() >= PendingFileLimit)
            confirmOldest();
    }

    // A file just created: it is removed again unless confirmed.
    File& add(Fd fd, const QString& path, const QByteArray& name)
    {
        m_files.push_back(std::make_unique<File>(File{std::move(fd), path, name}));
        return *m_files.back();
    }

    void started(File& file, off_t offset, off_t length)
    {
        if (::sync_file_range(file.fd.get(), offset, length, SYNC_FILE_RANGE_WRITE) != 0 &&
            !isUnsupported(errno))
            fail(file);
        m_ranges.push_back(Range{&file, offset, length});
        m_bytes += length;
        while (m_bytes > WritebackWindow)
            waitOldest();
    }

    void confirmAll()
    {
        while (!m_files.empty())
            confirmOldest();
    }

    // After a failure: what can still be confirmed stays, everything else is removed. Never
    // throws.
    void keepConfirmed()
    {
        while (!m_files.empty()) {
            File& file = *m_files.front();
            try {
                if (file.complete && !file.failed) {
                    confirmOldest();
                    continue;
                }
            } catch (const FsError&) {
            }
            remove(file);
        }
    }

private:
    struct Range {
        File* file;
        off_t offset;
        off_t length;
    };

    [[noreturn]] static void fail(File& file)
    {
        file.failed = true;
        throw errnoError(file.path);
    }

    void waitOldest()
    {
        const Range range = m_ranges.front();
        m_ranges.pop_front();
        m_bytes -= range.length;
        const unsigned flags =
            SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER;
        if (::sync_file_range(range.file->fd.get(), range.offset, range.length, flags) == 0)
            return;
        // Without the call, the whole file's data is waited for.
        if (isUnsupported(errno) && ::fdatasync(range.file->fd.get()) == 0)
            return;
        fail(*range.file);
    }

    void confirmOldest()
    {
        File& file = *m_files.front();
        // Files are written one after the other, so the oldest file's ranges come first.
        while (!m_ranges.empty() && m_ranges.front().file == &file)
            waitOldest();
        if (file.fd.close() != 0)
            fail(file);
        m_files.pop_front();
    }

    void remove(File& file)
    {
        std::erase_if(m_ranges, [&](const Range& r) { return r.file == &file; });
        file.fd.close();
        ::unlinkat(m_folderFd, file.name.constData(), 0);
        m_files.pop_front();
    }

    int m_folderFd;
    std::deque<std::unique_ptr<File>> m_files; // oldest first
    std::deque<Range> m_ranges;                // oldest first
    off_t m_bytes = 0;
};

} // namespace transfer
