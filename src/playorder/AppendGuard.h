#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Keeps the entries a copy run creates in one folder after every entry that was there before and
// after everything the run created there earlier, whatever gaps the folder has. On a volume that
// keeps a stored order, the gaps are filled with placeholders before the first entry is made, and
// every entry made is read back. On other volumes it does nothing.
class AppendGuard final {
public:
    // The folder stays open as long as the guard lives; nothing is touched yet.
    AppendGuard(int folderFd, QString path);
    ~AppendGuard();
    AppendGuard(const AppendGuard&) = delete;
    AppendGuard& operator=(const AppendGuard&) = delete;

    // Called before an entry is made in the folder: the first call removes the placeholders an
    // earlier run left behind and fills the gaps. Throws FsError.
    void beforeCreating();
    // Called after the entry of this name was made or opened: a new entry must be the folder's
    // last where the volume gives its stored order back (not through FUSE), else FsError is
    // thrown; an entry that was there before is left alone.
    void created(const QByteArray& name);
    // Removes the placeholders and flushes the folder. Throws FsError. The destructor does the
    // same when it was not called, ignoring failures.
    void finish();

private:
    int m_fd;
    QString m_path;
    bool m_active;
    bool m_readsBack;
    bool m_prepared = false;
    QList<QByteArray> m_known;
    QList<QByteArray> m_placeholders;
};
