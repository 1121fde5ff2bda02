#include "Transfer.h"

#include "CopyPlan.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <deque>
#include <memory>

using namespace Qt::StringLiterals;

namespace transfer {

namespace {

// Data moves in pieces of this size; the caller's hook runs between them.
constexpr size_t ChunkSize = 1024 * 1024;
// How far the medium may lag behind the data written: the progress bar never claims more.
constexpr off_t WritebackWindow = 32 * 1024 * 1024;

FsError errnoError(const QString& path)
{
    return FsError::fromErrno(errno, path);
}

// The errors of a target that will not hold a name.
bool isRefusal(int err)
{
    return err == EINVAL || err == EILSEQ || err == EPERM;
}

// The errors of a kernel without the call, or of a file system that does not offer it.
bool isUnsupported(int err)
{
    return err == EINVAL || err == ENOSYS || err == EOPNOTSUPP;
}

// Makes the folder unless something of its name exists; false with errno set when that fails.
bool makeFolder(int parentFd, const QByteArray& name)
{
    struct stat st {};
    return ::fstatat(parentFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 ||
           ::mkdirat(parentFd, name.constData(), 0755) == 0;
}

struct WrittenFile {
    Fd fd;
    QString path;
};

// Writeback of every chunk starts as soon as it is written, and is waited for once the window
// is full, so the device never idles while the window lets events through.
class Writeback {
public:
    void started(const std::shared_ptr<WrittenFile>& file, off_t offset, off_t length)
    {
        if (::sync_file_range(file->fd.get(), offset, length, SYNC_FILE_RANGE_WRITE) != 0 &&
            !isUnsupported(errno))
            throw errnoError(file->path);
        m_ranges.push_back(Range{file, offset, length});
        m_bytes += length;
        while (m_bytes > WritebackWindow)
            waitOldest();
    }

    void waitAll()
    {
        while (!m_ranges.empty())
            waitOldest();
    }

private:
    struct Range {
        std::shared_ptr<WrittenFile> file;
        off_t offset;
        off_t length;
    };

    void waitOldest()
    {
        const Range range = m_ranges.front();
        m_ranges.pop_front();
        m_bytes -= range.length;
        const unsigned flags =
            SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER;
        if (::sync_file_range(range.file->fd.get(), range.offset, range.length, flags) != 0 &&
            !isUnsupported(errno))
            throw errnoError(range.file->path);
    }

    std::deque<Range> m_ranges;
    off_t m_bytes = 0;
};

void writeAll(int out, const char* data, ssize_t size, const QString& destination)
{
    while (size > 0) {
        const ssize_t written = ::write(out, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw errnoError(destination);
        }
        data += written;
        size -= written;
    }
}

// Moves all data from in to the file, starting writeback chunk by chunk.
void copyData(int in, const std::shared_ptr<WrittenFile>& file, const QString& source,
              Writeback& writeback, const std::function<void()>& betweenChunks)
{
    bool kernelCopy = true;
    QByteArray buffer;
    off_t offset = 0;
    for (;;) {
        ssize_t moved = 0;
        if (kernelCopy) {
            moved = ::copy_file_range(in, nullptr, file->fd.get(), nullptr, ChunkSize, 0);
            if (moved < 0 && (errno == EXDEV || isUnsupported(errno))) {
                kernelCopy = false;
                continue;
            }
            if (moved < 0) {
                if (errno == EINTR)
                    continue;
                throw errnoError(file->path);
            }
        } else {
            if (buffer.isEmpty())
                buffer.resize(ChunkSize);
            moved = ::read(in, buffer.data(), ChunkSize);
            if (moved < 0) {
                if (errno == EINTR)
                    continue;
                throw errnoError(source);
            }
            writeAll(file->fd.get(), buffer.constData(), moved, file->path);
        }
        if (moved == 0)
            return;
        writeback.started(file, offset, moved);
        offset += moved;
        if (betweenChunks)
            betweenChunks();
    }
}

// Opens the destination for writing, or gives a descriptor of -1 with errno set. Overwriting a
// file with itself would truncate it before reading it.
Fd openDestination(int folderFd, const QByteArray& name, const struct stat& source,
                   const QString& path, const QString& sourcePath)
{
    struct stat st {};
    if (::fstatat(folderFd, name.constData(), &st, 0) == 0 && st.st_dev == source.st_dev &&
        st.st_ino == source.st_ino)
        throw FsError(FsErrorKind::Other, path,
                      u"The file cannot be copied onto itself: "_s + sourcePath,
                      u"Filen kan inte kopieras till sig själv: "_s + sourcePath);
    return Fd(::openat(folderFd, name.constData(),
                       O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644));
}

// Copies one file into the open folder under the next of its written names; the modification
// time is kept. A destination left incomplete by a failure is removed.
void copyFile(int folderFd, const QString& folder, const QString& source,
              copyplan::WrittenNames& names, AppendGuard& order, Writeback& writeback,
              const std::function<void()>& betweenChunks)
{
    const Fd in(::open(paths::toNative(source).constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        throw errnoError(source);
    struct stat sourceStat {};
    if (::fstat(in.get(), &sourceStat) != 0)
        throw errnoError(source);
    if (S_ISDIR(sourceStat.st_mode))
        throw FsError::fromErrno(EISDIR, source);

    const QString sourceName = paths::folderName(source);
    QString written = names.take(sourceName);
    QByteArray native = paths::toNative(written);
    order.beforeCreating();
    Fd out = openDestination(folderFd, native, sourceStat, paths::join(folder, written), source);
    if (out.get() < 0 && isRefusal(errno) && !names.fatRules()) {
        names.useFatRules();
        written = names.take(sourceName);
        native = paths::toNative(written);
        out = openDestination(folderFd, native, sourceStat, paths::join(folder, written), source);
    }
    const QString destination = paths::join(folder, written);
    if (out.get() < 0)
        throw errnoError(destination);
    auto file = std::make_shared<WrittenFile>(WrittenFile{std::move(out), destination});
    try {
        order.created(native);
        copyData(in.get(), file, source, writeback, betweenChunks);
        const timespec times[2] = {{0, UTIME_OMIT}, sourceStat.st_mtim};
        if (::futimens(file->fd.get(), times) != 0)
            throw errnoError(destination);
    } catch (...) {
        ::unlinkat(folderFd, native.constData(), 0);
        throw;
    }
}

// Everything written into the folder's file system, entries included, reaches the medium.
void flush(Writeback& writeback, int folderFd, const QString& folder)
{
    writeback.waitAll();
    if (::syncfs(folderFd) != 0)
        throw errnoError(folder);
}

} // namespace

Target::Target(const QString& folder, bool fatRules)
    : m_path(folder)
    , m_fd(::open(paths::toNative(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    , m_order(m_fd.get(), folder)
    , m_fatRules(fatRules)
{
    if (m_fd.get() < 0)
        throw errnoError(folder);
}

QString Target::copyFolder(const QString& source, const QString& name, const QStringList& files,
                           const Steps& steps)
{
    QString written = name;
    QByteArray native = paths::toNative(written);
    m_order.beforeCreating();
    if (!makeFolder(m_fd.get(), native)) {
        if (!isRefusal(errno) || m_fatRules)
            throw errnoError(paths::join(m_path, written));
        m_fatRules = true;
        written = copyplan::fatSafeName(name);
        native = paths::toNative(written);
        if (!makeFolder(m_fd.get(), native))
            throw errnoError(paths::join(m_path, written));
    }
    m_order.created(native);
    const QString folder = paths::join(m_path, written);
    const Fd folderFd(
        ::openat(m_fd.get(), native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (folderFd.get() < 0)
        throw errnoError(folder);

    copyplan::WrittenNames names(m_fatRules);
    AppendGuard order(folderFd.get(), folder);
    Writeback writeback;
    try {
        for (int j = 0; j < files.size(); ++j) {
            copyFile(folderFd.get(), folder, paths::join(source, files[j]), names, order, writeback,
                     steps.betweenChunks);
            if (steps.afterFile && !steps.afterFile(j))
                break;
        }
    } catch (...) {
        // What was copied before the failure stays, and is on the medium too.
        try {
            flush(writeback, folderFd.get(), folder);
        } catch (const FsError&) {
        }
        throw;
    }
    order.finish();
    flush(writeback, folderFd.get(), folder);
    return written;
}

} // namespace transfer
