#include "Transfer.h"

#include "CopyPlan.h"
#include "TargetFolder.h"
#include "Writeback.h"
#include "platform/Folders.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <deque>
#include <memory>

using namespace Qt::StringLiterals;

namespace transfer {

namespace {

// Data moves in pieces of this size; the caller's hook runs between them.
constexpr size_t ChunkSize = 1024 * 1024;
// How many folders' flushes may run at once while the next folder is filled: several, as the
// journal commits and cache flushes of one file system serve them together.
constexpr size_t FlushLimit = 4;

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

} // namespace

namespace {

// Moves all data from in to the file, starting writeback chunk by chunk. A source that ends
// before the size it had when it was opened fails.
void copyData(int in, off_t expected, Writeback::File& file, const QString& source,
              Writeback& writeback, bool& kernelCopy, const std::function<void()>& betweenChunks)
{
    QByteArray buffer;
    off_t offset = 0;
    for (;;) {
        ssize_t moved = 0;
        if (kernelCopy) {
            moved = ::copy_file_range(in, nullptr, file.fd.get(), nullptr, ChunkSize, 0);
            if (moved < 0 && (errno == EXDEV || isUnsupported(errno))) {
                kernelCopy = false;
                continue;
            }
            if (moved < 0) {
                if (errno == EINTR)
                    continue;
                throw errnoError(file.path);
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
            writeAll(file.fd.get(), buffer.constData(), moved, file.path);
        }
        if (moved == 0)
            break;
        writeback.started(file, offset, moved);
        offset += moved;
        if (betweenChunks)
            betweenChunks();
    }
    if (offset < expected)
        throw FsError(FsErrorKind::Other, source, u"The file became shorter while it was copied"_s,
                      u"Filen blev kortare medan den kopierades"_s);
}

// A folder being copied, from its creation until its flush has returned.
struct FolderOnTheWay {
    FolderOnTheWay(Fd folderFd, QString folderPath)
        : fd(std::move(folderFd))
        , path(std::move(folderPath))
        , order(fd.get(), path)
        , writeback(fd.get())
    {
    }

    // Puts the files, their entries and the folder's own entry on the medium, after the hook.
    // Throws FsError naming the file that failed; every file not confirmed on the medium is then
    // removed.
    void flush(const std::function<void()>& first)
    {
        try {
            if (first)
                first();
            order.finish();
            writeback.confirmAll();
            // The entries and the folder's own entry follow the data onto the medium.
            if (::syncfs(fd.get()) != 0)
                throw errnoError(path);
        } catch (...) {
            abandon();
            throw;
        }
    }

    // What reached the medium stays; nothing else does. Never throws.
    void abandon()
    {
        writeback.keepConfirmed();
        ::syncfs(fd.get());
    }

    Fd fd;
    QString path;
    AppendGuard order;
    Writeback writeback;
};

} // namespace

Target::Target(const QString& folder, const QString& mountPoint, bool fatRules)
    : m_path(folder)
    , m_fd(::open(paths::toNative(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    , m_order(m_fd.get(), folder)
    , m_fatRules(fatRules)
{
    if (m_fd.get() < 0)
        throw errnoError(folder);
    // The folder opened must lie on the drive the run means, not on the disk beneath its mount
    // point.
    struct stat opened {};
    struct stat drive {};
    if (::fstat(m_fd.get(), &opened) != 0 ||
        ::stat(paths::toNative(mountPoint).constData(), &drive) != 0 ||
        opened.st_dev != drive.st_dev)
        throw FsError(FsErrorKind::DeviceUnavailable, folder);
    m_sizeLimit = sizeLimitOf(m_fd.get());
}

Target::~Target()
{
    for (Flush& flush : m_flushes)
        flush.done.wait();
}

QSet<QString> Target::namesBefore(const QString& folder, const QByteArray& nativeName) const
{
    QSet<QString> names;
    folders::forEachEntry(folder, [&](const QByteArray& name, folders::Kind) {
        names.insert(paths::fromNative(name).toCaseFolded());
    });
    return names - m_written.value(nativeName);
}

void Target::copyFile(int folderFd, const QString& folder, const QString& source,
                      copyplan::WrittenNames& names, const QSet<QString>& before,
                      AppendGuard& order, Writeback& writeback,
                      const std::function<void()>& betweenChunks)
{
    // Never a link, and never waiting on a pipe or device that stands where a file stood.
    const Fd in(::open(paths::toNative(source).constData(),
                       O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (in.get() < 0)
        throw errnoError(source);
    struct stat sourceStat {};
    if (::fstat(in.get(), &sourceStat) != 0)
        throw errnoError(source);
    if (S_ISDIR(sourceStat.st_mode))
        throw FsError::fromErrno(EISDIR, source);
    if (!S_ISREG(sourceStat.st_mode))
        throw FsError(FsErrorKind::Other, source, u"Not a regular file"_s, u"Inte en vanlig fil"_s);
    if (sourceStat.st_size > m_sizeLimit)
        throw FsError::fromErrno(EFBIG, source);

    writeback.makeRoom();
    const QByteArray folderName = paths::toNative(paths::folderName(folder));
    const QString sourceName = paths::folderName(source);
    QString written = names.take(sourceName);
    QByteArray native = paths::toNative(written);
    order.beforeCreating();
    Fd out;
    for (;;) {
        out = Fd(::openat(folderFd, native.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
        if (out.get() >= 0)
            break;
        if (errno == EEXIST) {
            if (!before.contains(written.toCaseFolded())) {
                // Written by this run, perhaps under a name that differs only in case.
                written = names.take(sourceName);
                native = paths::toNative(written);
                continue;
            }
            // There before the run: replaced, unless it is the source itself (truncating it would
            // lose its data).
            struct stat target {};
            const QString path = paths::join(folder, written);
            if (::fstatat(folderFd, native.constData(), &target, 0) == 0 &&
                target.st_dev == sourceStat.st_dev && target.st_ino == sourceStat.st_ino)
                throw FsError(FsErrorKind::Other, path,
                              u"The file cannot be copied onto itself: "_s + source,
                              u"Filen kan inte kopieras till sig själv: "_s + source);
            out = Fd(::openat(folderFd, native.constData(),
                              O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC));
            if (out.get() < 0)
                throw errnoError(path);
            break;
        }
        if (!isRefusal(folderFd) || names.fatRules())
            throw errnoError(paths::join(folder, written));
        names.useFatRules();
        written = names.take(sourceName);
        native = paths::toNative(written);
    }

    const QString destination = paths::join(folder, written);
    Writeback::File& file = writeback.add(std::move(out), destination, native);
    order.created(native);
    m_written[folderName].insert(written.toCaseFolded());
    copyData(in.get(), sourceStat.st_size, file, source, writeback, m_kernelCopy, betweenChunks);
    const timespec times[2] = {{0, UTIME_OMIT}, sourceStat.st_mtim};
    if (::futimens(file.fd.get(), times) != 0)
        throw errnoError(destination);
    file.complete = true;
}

QString Target::copyFolder(const QString& source, const QString& name, const QStringList& files,
                           const Steps& steps)
{
    try {
        return startFolder(source, name, files, steps);
    } catch (...) {
        // The folders before were copied first: their failure is the one reported.
        collectFlushes(0);
        throw;
    }
}

QString Target::startFolder(const QString& source, const QString& name, const QStringList& files,
                            const Steps& steps)
{
    QString written = m_fatRules ? copyplan::fatSafeName(name) : name;
    QByteArray native = paths::toNative(written);
    m_order.beforeCreating();
    if (!makeFolder(m_fd.get(), native)) {
        if (!isRefusal(m_fd.get()) || m_fatRules)
            throw errnoError(paths::join(m_path, written));
        m_fatRules = true;
        written = copyplan::fatSafeName(name);
        native = paths::toNative(written);
        if (!makeFolder(m_fd.get(), native))
            throw errnoError(paths::join(m_path, written));
    }
    m_order.created(native);
    // A folder copied into again is read and filled only once its flush has returned.
    if (std::any_of(m_flushes.begin(), m_flushes.end(), [&](const Flush& flush) {
            return flush.folder.toCaseFolded() == written.toCaseFolded();
        }))
        collectFlushes(0);
    const QString folder = paths::join(m_path, written);
    Fd folderFd(
        ::openat(m_fd.get(), native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (folderFd.get() < 0)
        throw errnoError(folder);

    copyplan::WrittenNames names(m_fatRules);
    const QSet<QString> before = namesBefore(folder, native);
    const auto work = std::make_shared<FolderOnTheWay>(std::move(folderFd), folder);
    try {
        for (int j = 0; j < files.size(); ++j) {
            copyFile(work->fd.get(), folder, paths::join(source, files[j]), names, before,
                     work->order, work->writeback, steps.betweenChunks);
            collectFlushes(FlushLimit);
            if (steps.afterFile && !steps.afterFile(j))
                break;
        }
        collectFlushes(FlushLimit - 1);
    } catch (...) {
        work->abandon();
        throw;
    }
    const auto flush = [work, first = steps.beforeFlush] {
        work->flush(first);
    };
    // Where no thread can be started, the flush runs when it is waited for.
    m_flushes.push_back({std::async(std::launch::async | std::launch::deferred, flush), written});
    return written;
}

void Target::finish()
{
    collectFlushes(0);
}

void Target::collectFlushes(size_t running)
{
    while (!m_flushes.empty()) {
        if (m_flushes.size() <= running &&
            m_flushes.front().done.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return;
        Flush oldest = std::move(m_flushes.front());
        m_flushes.pop_front();
        try {
            oldest.done.get();
        } catch (...) {
            // The run stops at the first failure: the flushes after it end, each removing what did
            // not reach the medium, and none of their folders counts as copied.
            for (Flush& later : m_flushes)
                later.done.wait();
            m_flushes.clear();
            throw;
        }
        m_copied.append(oldest.folder);
    }
}

} // namespace transfer
