#pragma once

#include <QString>
#include <QStringList>

// A file system mounted for a test; it needs root, and is unmounted when this goes out of scope.
class TestMount {
public:
    // Runs mount(8) with the arguments, the folder last. mount resolves a link given as the
    // folder, which lets a test mount at a name that is not UTF-8.
    explicit TestMount(const QStringList& arguments);
    ~TestMount();
    TestMount(const TestMount&) = delete;
    TestMount& operator=(const TestMount&) = delete;

    bool isMounted() const { return m_mounted; }

private:
    QString m_folder;
    bool m_mounted;
};

// A file of the given size holding a new file system made by mkfs ("mkfs.ext2"); false when
// that fails.
bool makeImage(const QString& file, qint64 size, const QString& mkfs);
